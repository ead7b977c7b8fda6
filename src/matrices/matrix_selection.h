// Bringing the chosen matrix pair onto the Matrix page.
#pragma once

#include "shell/app.h"

namespace qz::matrices {

// Copies the pair that the record's matrix number selects into the shown pair, keeps the custom pair
// within the legal range and fills the 128 value boxes of the Matrix page.
void apply_matrix_selection(App& app);

}  // namespace qz::matrices
