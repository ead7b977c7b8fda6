#include "pages/compliance.h"

#include "pages/main_page.h"
#include "settings/free_format.h"
#include "pages/page_states.h"
#include "settings/value_text.h"

#include <algorithm>
#include <cmath>

namespace qz::pages {

namespace {

constexpr int kMain = settings::dialog::kMain;
constexpr int kSettings1 = settings::dialog::kSettings1;
constexpr int kSettings2 = settings::dialog::kSettings2;
constexpr int kSettings3 = settings::dialog::kSettings3;

constexpr int kDiscMaxBFrames = 2;
constexpr int kDiscAverageKbits = 9000;
constexpr int kDiscMaximumKbits = 9800;

bool near_rate(float rate, float target) { return std::fabs(rate - target) < 0.01f; }

int box_number(const App& app, int dialog, int id, int fallback) {
    int32_t value = fallback;
    settings::parse_int_text(app.controls.text(dialog, id), value);
    return value;
}

void show_number(App& app, int dialog, int id, int value) {
    app.controls.set_text(dialog, id, settings::int_text(value));
}

void select_aspect(App& app, int radio, int aspect_code) {
    app.controls.check_radio(kMain, radio);
    app.settings.values.aspect = aspect_code;
}

// ---- the steps both discs share, in their order

void fix_dc_precision(App& app) {
    if (app.controls.checked(kMain, 1143)) app.controls.check_radio(kMain, 1142);
}

void fix_b_frame_limit(App& app) {
    app.controls.set_checked(kSettings2, 1307, true);  // "VBV check"
    settings::set_b_frame_limit(app, kDiscMaxBFrames);  // also unchecks "allow 3 B-frames"
}

void fix_constant_quantisation(App& app) {
    if (!app.controls.checked(kSettings1, 1211)) return;
    app.controls.set_enabled(kMain, 1124, true);
    app.controls.set_checked(kSettings1, 1214, true);  // "check max bitrate"
}

void fix_time_code(App& app) {
    std::array<int32_t, 4>& stored = app.settings.values.timecode;
    for (size_t i = 0; i < 4; ++i) {
        const int id = 1401 + static_cast<int>(i);
        int value = std::clamp(box_number(app, kSettings3, id, stored[i]), 0, i == 0 ? 23 : 59);
        stored[i] = value;
        show_number(app, kSettings3, id, value);
    }
}

void fix_frame_structure(App& app, bool film_rate) {
    auto& c = app.controls;
    if (film_rate) {
        settings::show_pulldown_interlacing(app, true);
        c.set_checked(kMain, 1151, true);  // "3:2 pulldown"
    } else {
        c.set_checked(kMain, 1151, false);
        settings::set_enabled_ids(app, kSettings1, {1201, 1202, 1203, 1204, 1205, 1206}, true);
    }
}

void show_gop_length(App& app, int length) {
    show_number(app, kSettings1, 1208, length);
    app.controls.set_pos(kSettings1, 1209, length);
}

// The GOP length by frame rate; returns the length now set.
int fix_gop_length(App& app, RateClass rate) {
    int length = box_number(app, kSettings1, 1208, app.controls.pos(kSettings1, 1209));
    if (rate == RateClass::Rate23_976) length = std::clamp(length, 1, 12);
    if (rate == RateClass::Rate25) length = std::clamp(length, 1, 15);
    if (rate == RateClass::Rate29_97) length = std::clamp(length, 1, 18);
    show_gop_length(app, length);
    return length;
}

void fix_b_frames(App& app) {
    int b_frames = box_number(app, kSettings1, 1207, app.controls.pos(kSettings1, 1210));
    b_frames = std::clamp(b_frames, 0, app.settings.max_b_frames);
    show_number(app, kSettings1, 1207, b_frames);
    app.controls.set_pos(kSettings1, 1210, b_frames);
}

void fix_bitrates(App& app) {
    settings::OptionValues& v = app.settings.values;
    const int average = box_number(app, kMain, 1123, v.bitrate);
    v.bitrate = std::min(average, kDiscAverageKbits);
    v.max_bitrate = std::min(box_number(app, kMain, 1124, v.max_bitrate), kDiscMaximumKbits);
    show_number(app, kMain, 1123, v.bitrate);
    show_number(app, kMain, 1124, v.max_bitrate);
    // The file length shown belongs to the average; keep them together.
    if (v.bitrate != average) refresh_file_length(app);
}

// Steps 2 to 9 of both routines; returns the GOP length set by the frame rate.
int fix_shared_settings(App& app, RateClass rate) {
    fix_dc_precision(app);
    fix_b_frame_limit(app);
    fix_constant_quantisation(app);
    fix_time_code(app);
    fix_frame_structure(app, rate == RateClass::Rate23_976);
    int gop_length = fix_gop_length(app, rate);
    fix_b_frames(app);
    fix_bitrates(app);
    return gop_length;
}

void show_automatic_gop_length(App& app, int length) {
    show_number(app, kMain, 1154, length);
    app.controls.set_pos(kMain, 1155, length);
}

void select_automatic_mpeg_level(App& app) {
    app.controls.select_item(kSettings2, 1325, settings::mpeg_level_caption(0));
    app.settings.values.mpeg_level = 0;
}

// ---- DVD

void fix_dvd_aspect(App& app) {
    if (app.controls.checked(kMain, 1133)) select_aspect(app, 1134, 2);
    if (app.controls.checked(kMain, 1136)) select_aspect(app, 1135, 3);
}

void fix_dvd_automatic_gop(App& app, RateClass rate) {
    if (rate == RateClass::Rate23_976) show_automatic_gop_length(app, 12);
    if (rate == RateClass::Rate25) show_automatic_gop_length(app, 15);
    if (rate == RateClass::Rate29_97) {
        int length = box_number(app, kMain, 1154, app.controls.pos(kMain, 1155));
        show_automatic_gop_length(app, std::clamp(length, 12, 18));
    }
}

// ---- BD

void fix_bd_aspect(App& app) {
    auto& c = app.controls;
    if (c.checked(kMain, 1133) || c.checked(kMain, 1137)) {
        select_aspect(app, 1134, 2);
        // Pan-scan goes with the 4:3 PanScan aspect only; left on, a save would bring that aspect back.
        app.settings.panscan.on = false;
    }
    if (c.checked(kMain, 1136)) select_aspect(app, 1135, 3);
}

// "progressive" enabled and checked; "progressive sequence" enabled and unchecked.
void select_progressive_frames(App& app) {
    app.controls.set_enabled(kSettings1, 1202, true);
    app.controls.check_radio(kSettings1, 1202);
    app.controls.set_enabled(kSettings2, 1317, true);
    app.controls.set_checked(kSettings2, 1317, false);
}

// 1440x1080 and 1920x1080: film rates are coded progressive; 29.97 and 25 are interlaced, so
// "progressive sequence" stays off (usable only with progressive frames).
void fix_hd_frame_structure(App& app, RateClass rate, const char* rate_error) {
    if (rate == RateClass::Rate24 || rate == RateClass::Rate23_976) select_progressive_frames(app);
    if (rate == RateClass::Rate29_97 || rate == RateClass::Rate25) {
        app.controls.set_enabled(kSettings2, 1317, app.controls.checked(kSettings1, 1202));
        app.controls.set_checked(kSettings2, 1317, false);
        app.log.add(rate_error);
    }
}

// Returns false for a frame size BD does not know.
bool fix_bd_resolution(App& app, RateClass rate, int& gop_length) {
    const int w = app.video.width, h = app.video.height;
    if (w == 720 && h == 480) {
        gop_length = std::clamp(gop_length, 1, 30);
        if (rate != RateClass::Rate29_97) app.log.add("ERROR, frame rate NOT BD-COMPLIANT, should be 29.97");
    } else if (w == 720 && h == 576) {
        gop_length = std::clamp(gop_length, 1, 25);
        if (rate != RateClass::Rate25) app.log.add("ERROR, frame rate NOT BD-COMPLIANT, should be 25");
    } else if (w == 1280 && h == 720) {
        gop_length = std::clamp(gop_length, 1, 25);
        select_progressive_frames(app);
        if (rate == RateClass::Rate29_97 || rate == RateClass::Rate25)
            app.log.add(
                "ERROR, frame rate NOT BD-COMPLIANT for 1280x720 resolution, fps should be 59.94 or 50 or 24 or 23.976");
    } else if (w == 1440 && h == 1080) {
        gop_length = std::clamp(gop_length, 1, 25);
        fix_hd_frame_structure(
            app, rate,
            "ERROR, frame rate NOT BD-COMPLIANT for 1440x1080 resolution, fps should be 59.94 or 50 or 24 or 23.976");
    } else if (w == 1920 && h == 1080) {
        gop_length = std::clamp(gop_length, 1, 25);
        fix_hd_frame_structure(
            app, rate,
            "ERROR, frame rate NOT BD-COMPLIANT for 1920x1080 resolution, fps should be 59.94 or 50 or 24 or 23.976");
    } else {
        app.log.add("ERROR, resolution NOT BD-COMPLIANT");
        app.log.add("valid resolutions: 720x480, 720x576, 1280x720, 1440x1080, 1920x1080");
        return false;
    }
    return true;
}

RateClass video_rate(const App& app) { return classify_rate(app.video.frame_rate); }

}  // namespace

RateClass classify_rate(float frame_rate) {
    if (near_rate(frame_rate, 59.94f)) return RateClass::Rate59_94;
    if (near_rate(frame_rate, 50.0f)) return RateClass::Rate50;
    if (near_rate(frame_rate, 29.97f)) return RateClass::Rate29_97;
    if (near_rate(frame_rate, 25.0f)) return RateClass::Rate25;
    if (near_rate(frame_rate, 24.0f)) return RateClass::Rate24;
    if (near_rate(frame_rate, 23.976f)) return RateClass::Rate23_976;
    return RateClass::Other;
}

void make_dvd_compliant(App& app) {
    const RateClass rate = video_rate(app);
    fix_dvd_aspect(app);
    fix_shared_settings(app, rate);
    app.controls.check_radio(kSettings3, 1430);  // chroma output "4:2:0"
    fix_dvd_automatic_gop(app, rate);
    select_automatic_mpeg_level(app);
}

void make_bd_compliant(App& app) {
    const RateClass rate = video_rate(app);
    fix_bd_aspect(app);
    int gop_length = fix_shared_settings(app, rate);
    // Without a video there is no frame size to judge.
    if (app.settings.input_valid && fix_bd_resolution(app, rate, gop_length)) {
        show_gop_length(app, gop_length);
        show_automatic_gop_length(app, gop_length);
    }
    select_automatic_mpeg_level(app);
}

}  // namespace qz::pages
