#include "pages/movie_information.h"

#include "pages/main_page.h"
#include "pages/page_states.h"
#include "settings/free_format.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace qz::pages {

using ui::dialog::kMainPage;
using namespace ui::main_page_ids;

namespace {

// The fields that show "-" while no input is valid.
constexpr int kInformationFields[] = {kFrameSizeText, kRateAndFormatText,  kFrameCountText,      kMovieSecondsText,
                                      kMovieHmsText,  kEncodingFramesText, kEncodingSecondsText, kEncodingHmsText};

const char* colour_space_name(int32_t code) {
    switch (code) {
        case input::kYV12: return "YV12";
        case input::kYUY2: return "YUY2";
        case input::kYV16: return "YV16";
        case input::kYV24: return "YV24";
        default: return "other";
    }
}

std::string seconds_text(double seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", seconds);
    return text;
}

void show_no_input(App& app) {
    settings::show_frame_range(app, -1, -1);
    app.controls.set_enabled(kMainPage, kAllFramesButton, false);
    for (int id : kInformationFields) app.controls.set_text(kMainPage, id, "-");
}

}  // namespace

long long round_half_away(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2e18) return LLONG_MAX;
    if (value <= -9.2e18) return LLONG_MIN;
    return std::llround(value);
}

std::string hms_text(double seconds) {
    long long whole = round_half_away(seconds);
    if (whole < 0) whole = 0;  // a length is never negative
    char text[48];
    std::snprintf(text, sizeof text, "%2lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

double seconds_of(long long frames, float frame_rate) {
    if (!(frame_rate > 0.0f)) return 0.0;
    return static_cast<double>(frames) / static_cast<double>(frame_rate);
}

std::string frame_size_text(int32_t width, int32_t height) {
    std::string text = std::to_string(width) + "x" + std::to_string(height);
    if (width > 720 || height > 576) text += " HD res";
    return text;
}

std::string rate_and_format_text(float frame_rate, int32_t colour_space) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f / %s", static_cast<double>(frame_rate), colour_space_name(colour_space));
    return text;
}

void refresh_movie_information(App& app) {
    if (!app.settings.input_valid) {
        show_no_input(app);
        return;
    }
    const input::VideoSource& video = app.video;
    const settings::OptionValues& v = app.settings.values;
    auto& c = app.controls;
    const double movie_seconds = seconds_of(video.frame_count, video.frame_rate);
    const double encoding_seconds = seconds_of(v.frames_to_encode, video.frame_rate);

    c.set_text(kMainPage, kFrameSizeText, frame_size_text(video.width, video.height));
    c.set_text(kMainPage, kRateAndFormatText, rate_and_format_text(video.frame_rate, video.colour_space));
    c.set_text(kMainPage, kFrameCountText, std::to_string(video.frame_count));
    c.set_text(kMainPage, kMovieSecondsText, seconds_text(movie_seconds));
    c.set_text(kMainPage, kMovieHmsText, hms_text(movie_seconds));
    c.set_text(kMainPage, kEncodingFramesText, std::to_string(v.frames_to_encode));
    c.set_text(kMainPage, kEncodingSecondsText, seconds_text(encoding_seconds));
    c.set_text(kMainPage, kEncodingHmsText, hms_text(encoding_seconds));
    c.set_text(kMainPage, kStartFrameBox, std::to_string(v.first_frame));
    c.set_text(kMainPage, kEndFrameBox, std::to_string(v.last_frame));
    c.set_enabled(kMainPage, kAllFramesButton, true);
}

void refresh_file_length(App& app) {
    int32_t average = app.settings.values.bitrate;
    settings::parse_int_text(app.controls.text(kMainPage, kAverageBitrateBox), average);
    settings::show_file_length(app, average);
}

}  // namespace qz::pages
