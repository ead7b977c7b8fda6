// Matrix page handlers: built-in or custom pair, the combo, adaptive matrix, the 128 cells.
#pragma once

#include "state/app.h"
#include "ui/events.h"

#include <string_view>

namespace qz::matrices {

void on_matrix_page(App& app, const ui::Event& event);

// The first intra box (the intra DC value, always 8) is disabled whatever the flag; the other 127 boxes follow
// it. The paths that load the Settings record into the pages call it with apply_matrix_selection.
void set_matrix_boxes_enabled(App& app, bool enabled);

// Reads the 127 editable boxes into the custom pair: an empty or all-blank box counts as 16, a
// number is brought into 1 to 255, and a text that is no number keeps the value the pair held. The
// intra DC value becomes 8.
void read_matrix_boxes(App& app);

// One box's text as read_matrix_boxes takes it (its first 3 characters); `previous` when it is no
// number.
int32_t matrix_box_value(std::string_view text, int32_t previous);

}  // namespace qz::matrices
