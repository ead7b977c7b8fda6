// Applying a loaded record: every value whose given mark is set goes onto its control. Check boxes are
// set (cleared for the four "NO" keywords), radios and combos are selected by value, edit boxes show
// the number, track bars and spins move to it. The rules with side effects are in apply_rules.cpp.
#include "pages/apply_rules.h"
#include "pages/defaults.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <algorithm>

namespace qz::settings {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kSettings3Page;
using ui::dialog::kMatrixPage;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;
using namespace ui::matrix_ids;

namespace {

void check_if_given(App& app, Keyword keyword, int dialog, int id, bool checked_when_given = true) {
    if (app.settings.is_given(keyword)) app.controls.set_checked(dialog, id, checked_when_given);
}

void text_if_given(App& app, Keyword keyword, int dialog, int id, int value) {
    if (app.settings.is_given(keyword)) app.controls.set_text(dialog, id, int_text(value));
}

// A row of radios: the first stands for `first_value`, the next for the value after it, and so on;
// values outside are brought to the nearer end.
template <size_t N>
void radio_if_given(App& app, Keyword keyword, int dialog, const int (&radios)[N], int first_value, int value) {
    if (!app.settings.is_given(keyword)) return;
    const int last_value = first_value + static_cast<int>(N) - 1;
    app.controls.check_radio(dialog, radios[std::clamp(value, first_value, last_value) - first_value]);
}

void apply_main_page(App& app) {
    const Settings& s = app.settings;
    const OptionValues& v = s.values;
    text_if_given(app, kBitrate, kMainPage, kAverageBitrateBox, v.bitrate);
    if (s.is_given(kProfile)) {
        int id = v.profile <= 1 ? kFastRadio : v.profile >= 4 ? kBestRadio : kNormalRadio;
        app.controls.check_radio(kMainPage, id);
    }
    if (s.is_given(kAspect) && v.aspect >= 1 && v.aspect <= 4)
        app.controls.check_radio(kMainPage, kAspectRadios[v.aspect - 1]);
    // *PANSCAN sets aspect 5 in the record whatever *ASPECT said.
    if (s.is_given(kPanScan) && s.panscan.on) app.controls.check_radio(kMainPage, kAspectPanScanRadio);
    radio_if_given(app, kDcPrec, kMainPage, kDcPrecisionRadios, 8, v.dc_precision);
    check_if_given(app, kOnePass, kMainPage, kOnePassVbrCheck);
    check_if_given(app, kClosedGops, kMainPage, kClosedGopsCheck);
    check_if_given(app, kNoScd, kMainPage, kSceneChangeCheck, false);
    check_if_given(app, kNoSmp, kMainPage, kSmpCheck, false);
}

void apply_settings1(App& app) {
    const OptionValues& v = app.settings.values;
    if (app.settings.is_given(kAq)) {
        int aq = std::clamp(v.aq, 0, 4);
        app.controls.set_pos(kSettings1Page, kAqSlider, aq);
        app.controls.set_text(kSettings1Page, kAqBox, int_text(aq));
    }
}

void apply_settings2(App& app) {
    const Settings& s = app.settings;
    const OptionValues& v = s.values;
    auto& c = app.controls;
    check_if_given(app, kPreview, kSettings2Page, kPreviewCheck);
    if (s.is_given(kMinBrFac)) c.set_text(kSettings2Page, kMinBitrateFactorBox, factor_text(v.min_br_factor));
    check_if_given(app, kLastIFrame, kSettings2Page, kLastIFrameCheck);
    text_if_given(app, kBias, kSettings2Page, kVbrBiasBox, v.bias);
    check_if_given(app, kNoVbv, kSettings2Page, kVbvCheck, false);
    text_if_given(app, kMaskShift, kSettings2Page, kMaskTopBox, v.mask_top);
    text_if_given(app, kMaskShift, kSettings2Page, kMaskBottomBox, v.mask_bottom);
    text_if_given(app, kMaskShift, kSettings2Page, kShiftLinesBox, v.mask_shift);
    text_if_given(app, kWait, kSettings2Page, kWaitBox, v.wait_seconds);
    check_if_given(app, kNoSeqEndcode, kSettings2Page, kSeqEndcodeCheck, false);
    check_if_given(app, kShutdown, kSettings2Page, kShutdownCheck);
    if (s.is_given(kLumGain)) {
        int gain = std::clamp(v.luminance_gain, 0, 4);
        c.set_pos(kSettings2Page, kLuminanceGainSlider, gain);
        c.set_text(kSettings2Page, kLuminanceGainBox, int_text(gain));
    }
    check_if_given(app, kScdFile, kSettings2Page, kScdFileCheck);
    if (s.is_given(kMpegLevel)) c.select_item(kSettings2Page, kMpegLevelCombo, mpeg_level_caption(v.mpeg_level));
    if (s.is_given(kFrameLog)) {
        c.set_checked(kSettings2Page, kFrameLogCheck, true);
        c.set_checked(kSettings2Page, kPsnrCheck, v.psnr);
    }
    if (s.is_given(kColour)) c.select_item(kSettings2Page, kColorimetryCombo, colorimetry_caption(v.colour));
    if (s.is_given(kIntraVlc)) c.select_item(kSettings2Page, kIntraVlcCombo, intra_vlc_caption(v.intra_vlc));
}

void apply_settings3(App& app) {
    const Settings& s = app.settings;
    const OptionValues& v = s.values;
    radio_if_given(app, kCpu, kSettings3Page, kCpuRadios, 0, v.cpu);
    if (s.is_given(kTimecode)) {
        for (size_t i = 0; i < 4; ++i)
            app.controls.set_text(kSettings3Page, kTimeCodeBoxes[i], int_text(v.timecode[i]));
    }
    // An Avisynth memory of 0 is the Avisynth default, shown as an empty box.
    if (s.is_given(kAvsMemory))
        app.controls.set_text(kSettings3Page, kAvsMemoryBox, v.avs_memory_mb > 0 ? int_text(v.avs_memory_mb) : "");
    radio_if_given(app, kPriority, kSettings3Page, kPriorityRadios, 0, v.priority);
    radio_if_given(app, kChromaFormat, kSettings3Page, kChromaFormatRadios, 1, v.chroma_format);
    check_if_given(app, kLossless, kSettings3Page, kLosslessCheck);
}

void apply_matrix_page(App& app) { check_if_given(app, kAdaptiveMatrix, kMatrixPage, kAdaptiveMatrixCheck); }

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
