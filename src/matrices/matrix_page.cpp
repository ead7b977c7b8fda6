#include "matrices/matrix_page.h"

namespace qz::matrices {

void on_matrix_page(App&, const ui::Event&) {}

}  // namespace qz::matrices
