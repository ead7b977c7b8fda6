#include "pages/page_states.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qz::settings {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kMatrixPage;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::matrix_ids;

namespace {

// The frames from first to last, both counted: the whole 32-bit range holds one frame more than a
// 32-bit count does, so the count is figured wider and kept at the largest it can be.
int32_t frame_count_of(int32_t first_frame, int32_t last_frame) {
    const int64_t frames = int64_t{last_frame} - int64_t{first_frame} + 1;
    return static_cast<int32_t>(std::clamp<int64_t>(frames, 0, INT32_MAX));
}

}  // namespace

bool input_name_set(const Settings& settings) { return settings.is_given(kInfile); }

void set_enabled_ids(App& app, int dialog, std::initializer_list<int> ids, bool enabled) {
    for (int id : ids) app.controls.set_enabled(dialog, id, enabled);
}

void set_enabled_ids(App& app, int dialog, std::span<const int> ids, bool enabled) {
    for (int id : ids) app.controls.set_enabled(dialog, id, enabled);
}

void show_matrix_choice(App& app, bool custom) {
    auto& c = app.controls;
    c.check_radio(kMatrixPage, custom ? kCustomRadio : kBuiltInRadio);
    c.set_enabled(kMatrixPage, kBuiltInRadio, true);
    c.set_enabled(kMatrixPage, kCustomRadio, true);
    c.set_enabled(kMatrixPage, kBuiltInCombo, !custom);
    set_enabled_ids(app, kMatrixPage, {kLoadButton, kSaveMtxButton, kSaveCqmButton}, custom);
    c.set_enabled(kMatrixPage, kFirstIntraCell, false);
    for (int i = 1; i < kCellsPerMatrix; ++i) c.set_enabled(kMatrixPage, intra_cell(i), custom);
    for (int i = 0; i < kCellsPerMatrix; ++i) c.set_enabled(kMatrixPage, non_intra_cell(i), custom);
}

void set_b_frame_limit(App& app, int max_b_frames) {
    app.settings.max_b_frames = max_b_frames;
    app.controls.set_range(kSettings1Page, kBFramesSpin, 0, max_b_frames);
    app.controls.set_checked(kSettings2Page, kAllow3BFramesCheck, max_b_frames > 2);
}

void show_automatic_gop(App& app, bool on) {
    app.controls.set_checked(kMainPage, kAutoGopCheck, on);
    set_enabled_ids(app, kMainPage, {kAutoGopBox, kAutoGopSpin}, on);
    set_enabled_ids(app, kSettings1Page, {kBFramesBox, kGopLengthBox, kGopLengthSpin, kBFramesSpin}, !on);
}

void show_pulldown_interlacing(App& app, bool pulldown) {
    auto& c = app.controls;
    c.check_radio(kSettings1Page, pulldown ? kProgressiveRadio : kAutoDetectRadio);
    if (!pulldown) c.check_radio(kSettings1Page, kTffRadio);
    set_enabled_ids(app, kSettings1Page, kInterlacingRadios, !pulldown);
    if (!pulldown) c.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
    c.set_enabled(kSettings2Page, kProgressiveSequenceCheck, pulldown);
}

void show_frame_range(App& app, int first_frame, int last_frame) {
    OptionValues& v = app.settings.values;
    if (first_frame < 0) {
        v.first_frame = -1;
        v.last_frame = -1;
        v.frames_to_encode = 0;
        app.controls.set_text(kMainPage, kStartFrameBox, "-");
        app.controls.set_text(kMainPage, kEndFrameBox, "-");
        return;
    }
    if (last_frame < first_frame) last_frame = first_frame;
    v.first_frame = first_frame;
    v.last_frame = last_frame;
    v.frames_to_encode = frame_count_of(first_frame, last_frame);
    app.controls.set_text(kMainPage, kStartFrameBox, std::to_string(first_frame));
    app.controls.set_text(kMainPage, kEndFrameBox, std::to_string(last_frame));
}

long long file_length_kbytes(long long average_kbits, double seconds) {
    return std::llround(static_cast<double>(average_kbits) * seconds / 1.024) / 8;
}

void show_file_length(App& app, int average_kbits) {
    if (!app.settings.input_valid) {
        app.controls.set_text(kMainPage, kFileLengthBox, "");
        return;
    }
    long long kbytes = 0;
    double frame_rate = app.video.frame_rate;
    if (frame_rate > 1.0) kbytes = file_length_kbytes(average_kbits, app.settings.values.frames_to_encode / frame_rate);
    app.controls.set_text(kMainPage, kFileLengthBox, std::to_string(kbytes));
}

}  // namespace qz::settings
