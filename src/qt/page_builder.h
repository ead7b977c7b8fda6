// Lays out one dialog's controls from the catalogue: group boxes arranged in columns in reading
// order, labels beside their fields, the matrix cells as 8 x 8 grids; all inside a scroll area so a
// small window never makes controls overlap.
#pragma once

class QWidget;

namespace qz::qt {

class Binding;

QWidget* build_page(int dialog, Binding& binding, QWidget* parent);

// The columns beside the pictures of the preview pages get one width, the widest they ask for, so
// the picture keeps its size from page to page.
void match_preview_side_columns(QWidget& window);

// The widget of one catalogue control, attached to the binding.
QWidget* make_control_widget(int dialog, int id, Binding& binding, QWidget* parent);

}  // namespace qz::qt
