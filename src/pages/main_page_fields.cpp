// The checks of the Main page's number fields when they lose the keyboard focus: file length,
// average and maximum bitrate, start and end frame. A field that does not read as an integer gets
// its previous value back; every field is rewritten in plain decimal form.
#include "pages/main_page.h"

#include "pages/main_page_parts.h"
#include "pages/movie_information.h"
#include "pages/settings3_page.h"
#include "settings/free_format.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

#include <algorithm>
#include <climits>

namespace qz::pages {

using ui::dialog::kMainPage;
using namespace ui::main_page_ids;

namespace {

int field_value(const App& app, int id, int previous) {
    int32_t value = previous;
    settings::parse_int_text(app.controls.text(kMainPage, id), value);
    return value;
}

// Sizes and rates are digits only: a sign makes the text no size or rate, as any other letter does.
bool read_amount(const App& app, int id, int32_t& value) {
    int32_t read = 0;
    if (!settings::parse_int_text(app.controls.text(kMainPage, id), read) || read < 0) return false;
    value = read;
    return true;
}

int amount_value(const App& app, int id, int previous) {
    int32_t value = previous;
    read_amount(app, id, value);
    return value;
}

void show_number(App& app, int id, long long value) { app.controls.set_text(kMainPage, id, std::to_string(value)); }

int to_int(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

// The seconds the frame range lasts; 0 without a usable frame rate.
double encoding_seconds(const App& app) {
    return seconds_of(app.settings.values.frames_to_encode, app.video.frame_rate);
}

// Kilobytes of 1024 bytes into an average in kilobits of 1000 per second, unless that exceeds the
// maximum: then the average is the maximum and the length follows from it.
void check_file_length(App& app) {
    settings::OptionValues& v = app.settings.values;
    int32_t kbytes = 0;
    if (!read_amount(app, kFileLengthBox, kbytes)) {
        refresh_file_length(app);  // the length that goes with the average kept
        return;
    }
    long long length = std::max(kbytes, 1);
    const double seconds = encoding_seconds(app);
    if (seconds > 0.0) {
        long long average = round_half_away(static_cast<double>(round_half_away(static_cast<double>(length) * 8.192)) / seconds);
        const int maximum = amount_value(app, kMaxBitrateBox, v.max_bitrate);
        if (average > maximum) {
            // The length that goes with the maximum, in the same kilobytes as the refresh shows.
            average = maximum;
            length = settings::file_length_kbytes(maximum, seconds);
        }
        v.bitrate = to_int(average);
        show_number(app, kAverageBitrateBox, v.bitrate);
    }
    show_number(app, kFileLengthBox, length);
}

void check_average(App& app) {
    settings::OptionValues& v = app.settings.values;
    v.bitrate = amount_value(app, kAverageBitrateBox, v.bitrate);
    show_number(app, kAverageBitrateBox, v.bitrate);
    v.max_bitrate = amount_value(app, kMaxBitrateBox, v.max_bitrate);
    if (v.bitrate > v.max_bitrate) {
        v.max_bitrate = v.bitrate;
        show_number(app, kMaxBitrateBox, v.max_bitrate);
    }
    refresh_file_length(app);
}

void check_maximum(App& app) {
    settings::OptionValues& v = app.settings.values;
    v.bitrate = amount_value(app, kAverageBitrateBox, v.bitrate);
    v.max_bitrate = amount_value(app, kMaxBitrateBox, v.max_bitrate);
    show_number(app, kMaxBitrateBox, v.max_bitrate);
    if (v.bitrate > v.max_bitrate) {
        v.bitrate = v.max_bitrate;
        show_number(app, kAverageBitrateBox, v.bitrate);
        // The file length shown belongs to the average; a stale one would promise the wrong size.
        refresh_file_length(app);
    }
}

void show_range_figures(App& app) {
    refresh_movie_information(app);
    refresh_file_length(app);
    refresh_size_estimate(app);
}

// The other end of the range as its box shows it, held inside the video.
int frame_in_video(const App& app, int id, int previous) {
    return std::clamp(field_value(app, id, previous), 0, std::max(app.video.frame_count - 1, 0));
}

void check_start_frame(App& app) {
    settings::OptionValues& v = app.settings.values;
    const int end = frame_in_video(app, kEndFrameBox, v.last_frame);
    const int start = std::max(0, std::min(field_value(app, kStartFrameBox, v.first_frame), end));
    v.first_frame = start;
    v.last_frame = end;
    v.frames_to_encode = end - start + 1;
    show_number(app, kStartFrameBox, start);
    show_range_figures(app);
}

void check_end_frame(App& app) {
    settings::OptionValues& v = app.settings.values;
    const int start = frame_in_video(app, kStartFrameBox, v.first_frame);
    int end = field_value(app, kEndFrameBox, v.last_frame);
    end = std::min(end, app.video.frame_count - 1);
    end = std::max(end, start);
    v.first_frame = start;
    v.last_frame = end;
    v.frames_to_encode = end - start + 1;
    show_number(app, kEndFrameBox, end);
    show_range_figures(app);
}

}  // namespace

void on_main_field_check(App& app, const ui::Event& event) {
    if (event.kind != ui::EventKind::FocusLost) return;
    // The frame range means something only for a video; without one the fields show "-".
    if ((event.id == kStartFrameBox || event.id == kEndFrameBox) && !app.settings.input_valid) {
        refresh_movie_information(app);
        return;
    }
    switch (event.id) {
        case kFileLengthBox: check_file_length(app); break;
        case kAverageBitrateBox: check_average(app); break;
        case kMaxBitrateBox: check_maximum(app); break;
        case kStartFrameBox: check_start_frame(app); break;
        case kEndFrameBox: check_end_frame(app); break;
        default: return;
    }
    main_page::refresh_visible_listing(app);
}

}  // namespace qz::pages
