#include "pages/page_states.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qz::settings {

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

void show_matrix_choice(App& app, bool custom) {
    auto& c = app.controls;
    c.check_radio(dialog::kMatrix, custom ? 1502 : 1501);
    c.set_enabled(dialog::kMatrix, 1501, true);
    c.set_enabled(dialog::kMatrix, 1502, true);
    c.set_enabled(dialog::kMatrix, 1503, !custom);
    set_enabled_ids(app, dialog::kMatrix, {1504, 1505, 1506}, custom);
    c.set_enabled(dialog::kMatrix, 2001, false);
    for (int i = 2; i <= 64; ++i) c.set_enabled(dialog::kMatrix, 2000 + i, custom);
    for (int i = 1; i <= 64; ++i) c.set_enabled(dialog::kMatrix, 2100 + i, custom);
}

void set_b_frame_limit(App& app, int max_b_frames) {
    app.settings.max_b_frames = max_b_frames;
    app.controls.set_range(dialog::kSettings1, 1210, 0, max_b_frames);
    app.controls.set_checked(dialog::kSettings2, 1327, max_b_frames > 2);
}

void show_automatic_gop(App& app, bool on) {
    app.controls.set_checked(dialog::kMain, 1153, on);
    set_enabled_ids(app, dialog::kMain, {1154, 1155}, on);
    set_enabled_ids(app, dialog::kSettings1, {1207, 1208, 1209, 1210}, !on);
}

void show_pulldown_interlacing(App& app, bool pulldown) {
    auto& c = app.controls;
    c.check_radio(dialog::kSettings1, pulldown ? 1202 : 1201);
    if (!pulldown) c.check_radio(dialog::kSettings1, 1205);
    set_enabled_ids(app, dialog::kSettings1, {1201, 1202, 1203, 1204}, !pulldown);
    if (!pulldown) c.set_checked(dialog::kSettings2, 1317, false);
    c.set_enabled(dialog::kSettings2, 1317, pulldown);
}

void show_frame_range(App& app, int first_frame, int last_frame) {
    OptionValues& v = app.settings.values;
    if (first_frame < 0) {
        v.first_frame = -1;
        v.last_frame = -1;
        v.frames_to_encode = 0;
        app.controls.set_text(dialog::kMain, 1126, "-");
        app.controls.set_text(dialog::kMain, 1127, "-");
        return;
    }
    if (last_frame < first_frame) last_frame = first_frame;
    v.first_frame = first_frame;
    v.last_frame = last_frame;
    v.frames_to_encode = frame_count_of(first_frame, last_frame);
    app.controls.set_text(dialog::kMain, 1126, std::to_string(first_frame));
    app.controls.set_text(dialog::kMain, 1127, std::to_string(last_frame));
}

long long file_length_kbytes(long long average_kbits, double seconds) {
    return std::llround(static_cast<double>(average_kbits) * seconds / 1.024) / 8;
}

void show_file_length(App& app, int average_kbits) {
    if (!app.settings.input_valid) {
        app.controls.set_text(dialog::kMain, 1122, "");
        return;
    }
    long long kbytes = 0;
    double frame_rate = app.video.frame_rate;
    if (frame_rate > 1.0) kbytes = file_length_kbytes(average_kbits, app.settings.values.frames_to_encode / frame_rate);
    app.controls.set_text(dialog::kMain, 1122, std::to_string(kbytes));
}

}  // namespace qz::settings
