#include "pages/matrix_page.h"

#include "pages/matrix_selection.h"
#include "matrices/matrix_tables.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/matrix_page.h"

#include <algorithm>
#include <charconv>

namespace qz::matrices {

using ui::dialog::kMatrixPage;
using namespace ui::matrix_ids;

namespace {

constexpr size_t kBoxTextLength = 3;
constexpr int32_t kEmptyBoxValue = 16;

void set_file_buttons_enabled(App& app, bool enabled) {
    for (int id : {kLoadButton, kSaveMtxButton, kSaveCqmButton}) app.controls.set_enabled(kMatrixPage, id, enabled);
}

void on_built_in_clicked(App& app) {
    app.controls.set_enabled(kMatrixPage, kBuiltInCombo, true);
    std::string caption = app.controls.text(kMatrixPage, kBuiltInCombo);
    set_file_buttons_enabled(app, false);
    app.settings.matrix_number = matrix_number_from_caption(caption);
    apply_matrix_selection(app);
    set_matrix_boxes_enabled(app, false);
    app.log.add("built in matrix activated, just pick one of the matrices in the combo box");
}

void on_custom_clicked(App& app) {
    app.controls.set_enabled(kMatrixPage, kBuiltInCombo, false);
    std::string caption = app.controls.text(kMatrixPage, kBuiltInCombo);
    set_file_buttons_enabled(app, true);
    app.settings.matrix_number = kCustomMatrixNumber;
    // The user starts from the pair last chosen in the list.
    if (std::optional<int> number = built_in_number_from_caption(caption))
        app.settings.custom_matrix = *built_in_pair(*number);
    apply_matrix_selection(app);
    set_matrix_boxes_enabled(app, true);
    app.log.add("custom matrix activated, load/save your favorite matrix (mtx or cqm format) or create your own matrix");
}

void on_combo_selection(App& app) {
    app.settings.matrix_number = matrix_number_from_caption(app.controls.text(kMatrixPage, kBuiltInCombo));
    apply_matrix_selection(app);
    set_matrix_boxes_enabled(app, false);
}

void on_adaptive_matrix_clicked(App& app) {
    if (app.controls.checked(kMatrixPage, kAdaptiveMatrixCheck))
        app.log.add("adaptive matrix turned on, matrix.dll should be present");
    else
        app.log.add("adaptive matrix turned off");
}

// The custom values go back into the editable boxes, so a cleared or out-of-range box shows the
// value that will be used.
void on_box_left(App& app) {
    read_matrix_boxes(app);
    const MatrixPair& custom = app.settings.custom_matrix;
    if (app.settings.matrix_number == kCustomMatrixNumber) app.matrix.shown = custom;
    auto lock = app.controls.hold();
    for (int i = 0; i < kMatrixValues; ++i) {
        if (i > 0)
            app.controls.set_text(kMatrixPage, intra_cell(i), matrix_box_text(custom.intra[static_cast<size_t>(i)]));
        app.controls.set_text(kMatrixPage, non_intra_cell(i),
                              matrix_box_text(custom.non_intra[static_cast<size_t>(i)]));
    }
}

bool is_editable_box(int id) {
    return (id > kFirstIntraCell && id < intra_cell(kMatrixValues)) ||
           (id >= kFirstNonIntraCell && id < non_intra_cell(kMatrixValues));
}

}  // namespace

void on_matrix_page(App& app, const ui::Event& event) {
    using ui::EventKind;
    if (event.dialog != kMatrixPage) return;
    if (event.kind == EventKind::FocusLost) {
        if (is_editable_box(event.id)) on_box_left(app);
        return;
    }
    switch (event.id) {
        case kBuiltInRadio:
            if (event.kind == EventKind::Clicked) on_built_in_clicked(app);
            break;
        case kCustomRadio:
            if (event.kind == EventKind::Clicked) on_custom_clicked(app);
            break;
        case kBuiltInCombo:
            // Typing into the combo's edit field changes nothing until a radio is clicked.
            if (event.kind == EventKind::SelectionChanged) on_combo_selection(app);
            break;
        case kAdaptiveMatrixCheck:
            if (event.kind == EventKind::Clicked) on_adaptive_matrix_clicked(app);
            break;
        default:
            break;
    }
}

void set_matrix_boxes_enabled(App& app, bool enabled) {
    auto lock = app.controls.hold();
    app.controls.set_enabled(kMatrixPage, kFirstIntraCell, false);
    for (int i = 0; i < kMatrixValues; ++i) {
        if (i > 0) app.controls.set_enabled(kMatrixPage, intra_cell(i), enabled);
        app.controls.set_enabled(kMatrixPage, non_intra_cell(i), enabled);
    }
}

int32_t matrix_box_value(std::string_view text, int32_t previous) {
    text = text.substr(0, std::min(text.size(), kBoxTextLength));
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return kEmptyBoxValue;
    size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    // from_chars takes a minus sign only; "+-5" stays no number.
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return previous;
    return std::clamp(value, kMinMatrixValue, kMaxMatrixValue);
}

void read_matrix_boxes(App& app) {
    MatrixPair& custom = app.settings.custom_matrix;
    auto lock = app.controls.hold();
    custom.intra[0] = kIntraDc;
    for (size_t i = 0; i < kMatrixValues; ++i) {
        int offset = static_cast<int>(i);
        if (i > 0)
            custom.intra[i] = matrix_box_value(app.controls.text(kMatrixPage, intra_cell(offset)), custom.intra[i]);
        custom.non_intra[i] =
            matrix_box_value(app.controls.text(kMatrixPage, non_intra_cell(offset)), custom.non_intra[i]);
    }
}

}  // namespace qz::matrices
