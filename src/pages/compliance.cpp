#include "pages/compliance.h"
#include "settings/gop_limits.h"

#include "pages/main_page.h"
#include "settings/free_format.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <algorithm>
#include <cmath>

namespace qz::pages {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kSettings3Page;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;

namespace {

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
    app.controls.check_radio(kMainPage, radio);
    app.settings.values.aspect = aspect_code;
}

// ---- the steps both discs share, in their order

void fix_dc_precision(App& app) {
    if (app.controls.checked(kMainPage, kDcPrecision11Radio)) app.controls.check_radio(kMainPage, kDcPrecision10Radio);
}

void fix_b_frame_limit(App& app) {
    app.controls.set_checked(kSettings2Page, kVbvCheck, true);
    settings::set_b_frame_limit(app, kDiscMaxBFrames);  // also unchecks "allow 3 B-frames"
}

void fix_constant_quantisation(App& app) {
    if (!app.controls.checked(kSettings1Page, kConstantQuantisationCheck)) return;
    app.controls.set_enabled(kMainPage, kMaxBitrateBox, true);
    app.controls.set_checked(kSettings1Page, kMaxBitrateCheck, true);
}

void fix_time_code(App& app) {
    std::array<int32_t, 4>& stored = app.settings.values.timecode;
    for (size_t i = 0; i < 4; ++i) {
        const int id = kTimeCodeBoxes[i];
        int value = std::clamp(box_number(app, kSettings3Page, id, stored[i]), 0, i == 0 ? 23 : 59);
        stored[i] = value;
        show_number(app, kSettings3Page, id, value);
    }
}

void fix_frame_structure(App& app, bool film_rate) {
    auto& c = app.controls;
    if (film_rate) {
        settings::show_pulldown_interlacing(app, true);
        c.set_checked(kMainPage, kPulldownCheck, true);
    } else {
        c.set_checked(kMainPage, kPulldownCheck, false);
        settings::set_enabled_ids(app, kSettings1Page, kInterlacingRadios, true);
        settings::set_enabled_ids(app, kSettings1Page, kFieldOrderRadios, true);
    }
}

void show_gop_length(App& app, int length) {
    show_number(app, kSettings1Page, kGopLengthBox, length);
    app.controls.set_pos(kSettings1Page, kGopLengthSpin, length);
}

// The GOP length by frame rate; returns the length now set.
int fix_gop_length(App& app, RateClass rate) {
    int length = box_number(app, kSettings1Page, kGopLengthBox, app.controls.pos(kSettings1Page, kGopLengthSpin));
    if (rate == RateClass::Rate23_976) length = std::clamp(length, settings::gop::kMinLength, settings::gop::kDvdFilmLimit);
    if (rate == RateClass::Rate25) length = std::clamp(length, settings::gop::kMinLength, settings::gop::kDvdPalLimit);
    if (rate == RateClass::Rate29_97) length = std::clamp(length, settings::gop::kMinLength, settings::gop::kDvdNtscLimit);
    show_gop_length(app, length);
    return length;
}

void fix_b_frames(App& app) {
    int b_frames = box_number(app, kSettings1Page, kBFramesBox, app.controls.pos(kSettings1Page, kBFramesSpin));
    b_frames = std::clamp(b_frames, 0, app.settings.max_b_frames);
    show_number(app, kSettings1Page, kBFramesBox, b_frames);
    app.controls.set_pos(kSettings1Page, kBFramesSpin, b_frames);
}

void fix_bitrates(App& app) {
    settings::OptionValues& v = app.settings.values;
    const int average = box_number(app, kMainPage, kAverageBitrateBox, v.bitrate);
    v.bitrate = std::min(average, kDiscAverageKbits);
    v.max_bitrate = std::min(box_number(app, kMainPage, kMaxBitrateBox, v.max_bitrate), kDiscMaximumKbits);
    show_number(app, kMainPage, kAverageBitrateBox, v.bitrate);
    show_number(app, kMainPage, kMaxBitrateBox, v.max_bitrate);
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
    show_number(app, kMainPage, kAutoGopBox, length);
    app.controls.set_pos(kMainPage, kAutoGopSpin, length);
}

void select_automatic_mpeg_level(App& app) {
    app.controls.select_item(kSettings2Page, kMpegLevelCombo, settings::mpeg_level_caption(0));
    app.settings.values.mpeg_level = 0;
}

// ---- DVD

void fix_dvd_aspect(App& app) {
    if (app.controls.checked(kMainPage, kAspect1To1Radio)) select_aspect(app, kAspect4To3Radio, 2);
    if (app.controls.checked(kMainPage, kAspect221To1Radio)) select_aspect(app, kAspect16To9Radio, 3);
}

void fix_dvd_automatic_gop(App& app, RateClass rate) {
    if (rate == RateClass::Rate23_976) show_automatic_gop_length(app, settings::gop::kDvdFilmLimit);
    if (rate == RateClass::Rate25) show_automatic_gop_length(app, settings::gop::kDvdPalLimit);
    if (rate == RateClass::Rate29_97) {
        int length = box_number(app, kMainPage, kAutoGopBox, app.controls.pos(kMainPage, kAutoGopSpin));
        show_automatic_gop_length(app, std::clamp(length, settings::gop::kMinAutomatic, settings::gop::kMaxAutomatic));
    }
}

// ---- BD

void fix_bd_aspect(App& app) {
    auto& c = app.controls;
    if (c.checked(kMainPage, kAspect1To1Radio) || c.checked(kMainPage, kAspectPanScanRadio)) {
        select_aspect(app, kAspect4To3Radio, 2);
        // Pan-scan goes with the 4:3 PanScan aspect only; left on, a save would bring that aspect back.
        app.settings.panscan.on = false;
    }
    if (c.checked(kMainPage, kAspect221To1Radio)) select_aspect(app, kAspect16To9Radio, 3);
}

// "progressive" enabled and checked; "progressive sequence" enabled and unchecked.
void select_progressive_frames(App& app) {
    app.controls.set_enabled(kSettings1Page, kProgressiveRadio, true);
    app.controls.check_radio(kSettings1Page, kProgressiveRadio);
    app.controls.set_enabled(kSettings2Page, kProgressiveSequenceCheck, true);
    app.controls.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
}

// 1440x1080 and 1920x1080: film rates are coded progressive; 29.97 and 25 are interlaced, so
// "progressive sequence" stays off (usable only with progressive frames).
void fix_hd_frame_structure(App& app, RateClass rate, const char* rate_error) {
    if (rate == RateClass::Rate24 || rate == RateClass::Rate23_976) select_progressive_frames(app);
    if (rate == RateClass::Rate29_97 || rate == RateClass::Rate25) {
        app.controls.set_enabled(kSettings2Page, kProgressiveSequenceCheck,
                                 app.controls.checked(kSettings1Page, kProgressiveRadio));
        app.controls.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
        app.log.add(rate_error);
    }
}

// Returns false for a frame size BD does not know.
bool fix_bd_resolution(App& app, RateClass rate, int& gop_length) {
    const int w = app.video.width, h = app.video.height;
    if (w == 720 && h == 480) {
        gop_length = std::clamp(gop_length, settings::gop::kMinLength, settings::gop::kBdNtscLimit);
        if (rate != RateClass::Rate29_97) app.log.add("ERROR, frame rate NOT BD-COMPLIANT, should be 29.97");
    } else if (w == 720 && h == 576) {
        gop_length = std::clamp(gop_length, settings::gop::kMinLength, settings::gop::kBdLimit);
        if (rate != RateClass::Rate25) app.log.add("ERROR, frame rate NOT BD-COMPLIANT, should be 25");
    } else if (w == 1280 && h == 720) {
        gop_length = std::clamp(gop_length, settings::gop::kMinLength, settings::gop::kBdLimit);
        select_progressive_frames(app);
        if (rate == RateClass::Rate29_97 || rate == RateClass::Rate25)
            app.log.add(
                "ERROR, frame rate NOT BD-COMPLIANT for 1280x720 resolution, fps should be 59.94 or 50 or 24 or 23.976");
    } else if (w == 1440 && h == 1080) {
        gop_length = std::clamp(gop_length, settings::gop::kMinLength, settings::gop::kBdLimit);
        fix_hd_frame_structure(
            app, rate,
            "ERROR, frame rate NOT BD-COMPLIANT for 1440x1080 resolution, fps should be 59.94 or 50 or 24 or 23.976");
    } else if (w == 1920 && h == 1080) {
        gop_length = std::clamp(gop_length, settings::gop::kMinLength, settings::gop::kBdLimit);
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
    app.controls.check_radio(kSettings3Page, kChroma420Radio);
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
