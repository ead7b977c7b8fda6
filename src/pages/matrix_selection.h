// Apply matrix selection: brings the pair the matrix number selects onto the Matrix page's 128 value
// boxes and keeps the custom pair legal. Called at start-up once the pages exist, by every path that
// loads the Settings record into the pages, by the matrix import and by the Matrix page's handlers.
#pragma once

#include "state/app.h"

#include <cstdint>
#include <string>

namespace qz::matrices {

// 1) the custom pair is brought into 1 to 255 with intra DC 8, whatever the matrix number;
// 2) a number of 0, 1 to 18 or 99 copies its pair into the shown pair (any other number leaves the
//    shown pair as it was); 3) the shown pair is written into the boxes.
void apply_matrix_selection(App& app);

// A box's text: the value right-aligned in 3 characters.
std::string matrix_box_text(int32_t value);

}  // namespace qz::matrices
