// Applying a loaded record: every value whose given mark is set goes onto its control. Check boxes are
// set (cleared for the four "NO" keywords), radios and combos are selected by value, edit boxes show
// the number, track bars and spins move to it. The rules with side effects are in apply_rules.cpp.
#include "pages/apply_rules.h"
#include "pages/defaults.h"
#include "pages/page_states.h"
#include "settings/value_text.h"

#include <algorithm>

namespace qz::settings {

namespace {

void check_if_given(App& app, Keyword keyword, int dialog, int id, bool checked_when_given = true) {
    if (app.settings.is_given(keyword)) app.controls.set_checked(dialog, id, checked_when_given);
}

void text_if_given(App& app, Keyword keyword, int dialog, int id, int value) {
    if (app.settings.is_given(keyword)) app.controls.set_text(dialog, id, int_text(value));
}

// Radios numbered in a row: `first_id` stands for `first_value`, and so on; values outside are
// brought to the nearer end.
void radio_if_given(App& app, Keyword keyword, int dialog, int first_id, int first_value, int last_value, int value) {
    if (!app.settings.is_given(keyword)) return;
    app.controls.check_radio(dialog, first_id + std::clamp(value, first_value, last_value) - first_value);
}

void apply_main_page(App& app) {
    const Settings& s = app.settings;
    const OptionValues& v = s.values;
    constexpr int D = dialog::kMain;
    text_if_given(app, kBitrate, D, 1123, v.bitrate);
    if (s.is_given(kProfile)) {
        int id = v.profile <= 1 ? 1130 : v.profile >= 4 ? 1132 : 1131;
        app.controls.check_radio(D, id);
    }
    if (s.is_given(kAspect) && v.aspect >= 1 && v.aspect <= 4) app.controls.check_radio(D, 1133 + v.aspect - 1);
    // *PANSCAN sets aspect 5 in the record whatever *ASPECT said.
    if (s.is_given(kPanScan) && s.panscan.on) app.controls.check_radio(D, 1137);
    radio_if_given(app, kDcPrec, D, 1140, 8, 11, v.dc_precision);
    check_if_given(app, kOnePass, D, 1157);
    check_if_given(app, kClosedGops, D, 1156);
    check_if_given(app, kNoScd, D, 1152, false);
    check_if_given(app, kNoSmp, D, 1150, false);
}

void apply_settings1(App& app) {
    const OptionValues& v = app.settings.values;
    if (app.settings.is_given(kAq)) {
        int aq = std::clamp(v.aq, 0, 4);
        app.controls.set_pos(dialog::kSettings1, 1230, aq);
        app.controls.set_text(dialog::kSettings1, 1231, int_text(aq));
    }
}

void apply_settings2(App& app) {
    const Settings& s = app.settings;
    const OptionValues& v = s.values;
    auto& c = app.controls;
    constexpr int D = dialog::kSettings2;
    check_if_given(app, kPreview, D, 1310);
    if (s.is_given(kMinBrFac)) c.set_text(D, 1305, factor_text(v.min_br_factor));
    check_if_given(app, kLastIFrame, D, 1312);
    text_if_given(app, kBias, D, 1306, v.bias);
    check_if_given(app, kNoVbv, D, 1307, false);
    text_if_given(app, kMaskShift, D, 1322, v.mask_top);
    text_if_given(app, kMaskShift, D, 1323, v.mask_bottom);
    text_if_given(app, kMaskShift, D, 1324, v.mask_shift);
    text_if_given(app, kWait, D, 1316, v.wait_seconds);
    check_if_given(app, kNoSeqEndcode, D, 1308, false);
    check_if_given(app, kShutdown, D, 1309);
    if (s.is_given(kLumGain)) {
        int gain = std::clamp(v.luminance_gain, 0, 4);
        c.set_pos(D, 1320, gain);
        c.set_text(D, 1321, int_text(gain));
    }
    check_if_given(app, kScdFile, D, 1313);
    if (s.is_given(kMpegLevel)) c.select_item(D, 1325, mpeg_level_caption(v.mpeg_level));
    if (s.is_given(kFrameLog)) {
        c.set_checked(D, 1314, true);
        c.set_checked(D, 1315, v.psnr);
    }
    if (s.is_given(kColour)) c.select_item(D, 1328, colorimetry_caption(v.colour));
    if (s.is_given(kIntraVlc)) c.select_item(D, 1329, intra_vlc_caption(v.intra_vlc));
}

void apply_settings3(App& app) {
    const Settings& s = app.settings;
    const OptionValues& v = s.values;
    constexpr int D = dialog::kSettings3;
    radio_if_given(app, kCpu, D, 1410, 0, 7, v.cpu);
    if (s.is_given(kTimecode)) {
        for (int i = 0; i < 4; ++i) app.controls.set_text(D, 1401 + i, int_text(v.timecode[static_cast<size_t>(i)]));
    }
    // An Avisynth memory of 0 is the Avisynth default, shown as an empty box.
    if (s.is_given(kAvsMemory)) app.controls.set_text(D, 1424, v.avs_memory_mb > 0 ? int_text(v.avs_memory_mb) : "");
    radio_if_given(app, kPriority, D, 1420, 0, 3, v.priority);
    radio_if_given(app, kChromaFormat, D, 1430, 1, 3, v.chroma_format);
    check_if_given(app, kLossless, D, 1426);
}

void apply_matrix_page(App& app) { check_if_given(app, kAdaptiveMatrix, dialog::kMatrix, 1507); }

}  // namespace

void apply_record_to_pages(App& app) {
    auto batch = app.controls.hold();
    apply_main_page(app);
    apply_settings1(app);
    apply_settings2(app);
    apply_settings3(app);
    apply_matrix_page(app);

    apply::bitrates(app);
    apply::b_frame_limit(app);
    apply::gop(app);
    apply::constant_quantisation(app);
    apply::quantiser_factors(app);
    apply::dead_zone(app);
    apply::silent(app);
    apply::settings3_leftovers(app);
    apply::matrix_choice(app);
    apply::unmarked(app);
    apply::frame_range(app);
    apply::interlacing(app);
}

}  // namespace qz::settings
