#include "matrices/matrix_selection.h"

namespace qz::matrices {

// The built-in tables and the value boxes come with the Matrix page; until then there is nothing to show.
void apply_matrix_selection(App&) {}

}  // namespace qz::matrices
