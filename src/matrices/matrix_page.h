// Matrix page handlers: built-in or custom pair, the combo, adaptive matrix, the 128 cells.
#pragma once

#include "shell/app.h"
#include "ui/events.h"

namespace qz::matrices {

void on_matrix_page(App& app, const ui::Event& event);

}  // namespace qz::matrices
