#include "pages/matrix_selection.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/matrix_page.h"

#include <cstdio>

namespace qz::matrices {

using ui::dialog::kMatrixPage;
using namespace ui::matrix_ids;

namespace {

const MatrixPair* selected_pair(const settings::Settings& settings) {
    if (settings.matrix_number == kCustomMatrixNumber) return &settings.custom_matrix;
    return built_in_pair(settings.matrix_number);
}

void show_pair(App& app, const MatrixPair& pair) {
    auto lock = app.controls.hold();  // the 128 boxes change as one step for other threads
    for (int i = 0; i < kMatrixValues; ++i) {
        app.controls.set_text(kMatrixPage, intra_cell(i), matrix_box_text(pair.intra[static_cast<size_t>(i)]));
        app.controls.set_text(kMatrixPage, non_intra_cell(i),
                              matrix_box_text(pair.non_intra[static_cast<size_t>(i)]));
    }
}

}  // namespace

void apply_matrix_selection(App& app) {
    // The custom pair is made legal before it is copied, so the grids never show a value (0, 300, an
    // intra DC of 16) other than the one the encoder will be given.
    make_legal(app.settings.custom_matrix);
    if (const MatrixPair* pair = selected_pair(app.settings)) app.matrix.shown = *pair;
    show_pair(app, app.matrix.shown);
}

std::string matrix_box_text(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%3d", value);
    return text;
}

}  // namespace qz::matrices
