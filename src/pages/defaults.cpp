#include "pages/defaults.h"
#include "settings/gop_limits.h"

#include "pages/matrix_selection.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

namespace qz::settings {

using ui::dialog::kMainWindow;
using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kSettings3Page;
using ui::dialog::kMatrixPage;
using ui::dialog::kChaptersPage;
using ui::dialog::kZonesPage;
using ui::dialog::kPanScanPage;
using namespace ui::main_window_ids;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;
using namespace ui::matrix_ids;

namespace {

constexpr int kDefaultBitrate = 4000;
constexpr int kDefaultMaxBitrate = 8000;
constexpr int kDefaultGopLength = settings::gop::kDefaultLength;
constexpr int kDefaultBFrames = settings::gop::kDefaultBFrames;

// The 4:3 pan-scan aspect needs a full-width PAL or NTSC frame.
bool panscan_possible(const App& app) {
    return (app.video.width == 720 || app.video.width == 704) &&
           (app.video.height == 576 || app.video.height == 480);
}

// The record's option values go back to what the pages show after a reset, so that a box whose text
// does not parse falls back to the default and an unmarked value applied after a load is the default.
void reset_record_values(App& app) {
    Settings& s = app.settings;
    s.values = OptionValues{};
    s.values.cq = kDefaultQuantiser;
    s.values.multiprocessing = app.processors.several;
    s.values.aspect = 3;
    s.values.colour = 0;
    s.matrix_number = 1;
    s.panscan.on = false;
}

void reset_main_window(App& app) {
    const Settings& s = app.settings;
    bool output_named = s.output_chosen || s.is_given(kOutfile);
    app.controls.set_enabled(kMainWindow, kEncodeButton, s.input_valid && output_named);
}

void reset_file_buttons(App& app) {
    auto& c = app.controls;
    c.set_enabled(kMainPage, kInputButton, true);
    if (input_name_set(app.settings)) {
        set_enabled_ids(app, kMainPage, {kOutputButton, kLogButton}, true);
    } else {
        c.set_text(kMainPage, kInputButton, kInputCaption);
        c.set_text(kMainPage, kOutputButton, kOutputCaption);
        c.set_text(kMainPage, kLogButton, kLogCaption);
        set_enabled_ids(app, kMainPage, {kOutputButton, kLogButton}, false);
    }
    set_enabled_ids(app, kMainPage, {kLoadIniButton, kSaveIniButton, kLoadQzIniButton, kSaveQzIniButton}, true);
}

void reset_bitrate_and_range(App& app) {
    auto& c = app.controls;
    bool valid = app.settings.input_valid;
    c.check_radio(kMainPage, kAverageBitrateRadio);
    c.set_checked(kMainPage, kFileLengthRadio, false);
    set_enabled_ids(app, kMainPage, {kAverageBitrateRadio, kFileLengthRadio, kAverageBitrateBox, kMaxBitrateBox},
                    valid);
    c.set_enabled(kMainPage, kFileLengthBox, false);  // "average bitrate" is the entry mode
    c.set_text(kMainPage, kAverageBitrateBox, int_text(kDefaultBitrate));
    c.set_text(kMainPage, kMaxBitrateBox, int_text(kDefaultMaxBitrate));

    bool whole_video = valid && app.video.frame_count > 0;
    show_frame_range(app, whole_video ? 0 : -1, app.video.frame_count - 1);
    set_enabled_ids(app, kMainPage, {kAllFramesButton, kStartFrameBox, kEndFrameBox}, valid);
    show_file_length(app, kDefaultBitrate);
}

void reset_main_page(App& app) {
    auto& c = app.controls;
    reset_file_buttons(app);
    reset_bitrate_and_range(app);

    c.check_radio(kMainPage, kNormalRadio);
    c.check_radio(kMainPage, kAspect16To9Radio);
    c.set_enabled(kMainPage, kAspectPanScanRadio, panscan_possible(app));
    c.check_radio(kMainPage, kDcPrecision9Radio);

    c.set_checked(kMainPage, kSmpCheck, app.processors.several);
    c.set_checked(kMainPage, kPulldownCheck, false);
    c.set_checked(kMainPage, kSceneChangeCheck, true);
    c.set_checked(kMainPage, kClosedGopsCheck, false);
    c.set_checked(kMainPage, kOnePassVbrCheck, false);
    c.set_text(kMainPage, kAutoGopBox, int_text(kDefaultGopLength));
    c.set_range(kMainPage, kAutoGopSpin, settings::gop::kMinAutomaticSpin, settings::gop::kMaxAutomatic);
    c.set_pos(kMainPage, kAutoGopSpin, kDefaultGopLength);
    show_automatic_gop(app, true);
}

void reset_settings1(App& app) {
    auto& c = app.controls;
    set_enabled_ids(app, kSettings1Page, kInterlacingRadios, true);
    set_enabled_ids(app, kSettings1Page, kFieldOrderRadios, true);
    c.check_radio(kSettings1Page, kAutoDetectRadio);
    c.check_radio(kSettings1Page, kTffRadio);
    c.check_radio(kSettings1Page, kChromaProgressiveRadio);

    c.set_text(kSettings1Page, kGopLengthBox, int_text(kDefaultGopLength));
    c.set_range(kSettings1Page, kGopLengthSpin, settings::gop::kMinLength, settings::gop::kMaxLength);
    c.set_pos(kSettings1Page, kGopLengthSpin, kDefaultGopLength);
    set_b_frame_limit(app, kDefaultBFrames);
    c.set_text(kSettings1Page, kBFramesBox, int_text(kDefaultBFrames));
    c.set_pos(kSettings1Page, kBFramesSpin, kDefaultBFrames);

    // "1 pass VBR" is off, so constant quantisation may be switched on.
    c.set_enabled(kSettings1Page, kConstantQuantisationCheck, true);
    c.set_checked(kSettings1Page, kConstantQuantisationCheck, false);
    c.set_checked(kSettings1Page, kMaxBitrateCheck, false);
    c.set_text(kSettings1Page, kQuantiserBox, quantiser_text(kDefaultQuantiser));
    c.set_text(kSettings1Page, kPFactorBox, factor_text(1.0f));
    c.set_text(kSettings1Page, kBFactorBox, factor_text(1.0f));
    for (int spin : {kPFactorSpin, kBFactorSpin}) {
        c.set_range(kSettings1Page, spin, 1, kFactorStepCount);
        c.set_pos(kSettings1Page, spin, kFactorOnePosition);
    }
    set_enabled_ids(app, kSettings1Page,
                    {kQuantiserBox, kPFactorBox, kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin}, false);

    c.set_pos(kSettings1Page, kAqSlider, 2);
    c.set_text(kSettings1Page, kAqBox, "2");

    c.check_radio(kSettings1Page, kDeadZoneAutoRadio);
    c.set_text(kSettings1Page, kDeadZoneIntraBox, "2");
    c.set_text(kSettings1Page, kDeadZoneNonIntraBox, "2");
    set_enabled_ids(app, kSettings1Page, {kDeadZoneIntraBox, kDeadZoneNonIntraBox}, false);
}

void reset_settings2(App& app) {
    auto& c = app.controls;
    c.set_text(kSettings2Page, kVbrBiasBox, "0");
    c.set_enabled(kSettings2Page, kVbrBiasBox, true);  // constant quantisation is off
    c.set_text(kSettings2Page, kMinBitrateFactorBox, factor_text(1.0f));
    c.set_text(kSettings2Page, kWaitBox, "5");
    c.set_checked(kSettings2Page, kSeqEndcodeCheck, true);
    c.set_checked(kSettings2Page, kVbvCheck, true);
    for (int id : {kScdFileCheck, kFrameLogCheck, kPsnrCheck, kLastIFrameCheck, kPreviewCheck, kShutdownCheck,
                   kSilentCheck, kAllow3BFramesCheck, kProgressiveSequenceCheck})
        c.set_checked(kSettings2Page, id, false);
    c.set_enabled(kSettings2Page, kPreviewCheck, true);
    // Only "progressive" interlacing allows a progressive sequence.
    c.set_enabled(kSettings2Page, kProgressiveSequenceCheck, false);
    for (int id : {kMaskTopBox, kMaskBottomBox, kShiftLinesBox}) c.set_text(kSettings2Page, id, "0");
    c.set_pos(kSettings2Page, kLuminanceGainSlider, 0);
    c.set_text(kSettings2Page, kLuminanceGainBox, "0");
    c.select_item(kSettings2Page, kIntraVlcCombo, intra_vlc_caption(2));
    c.select_item(kSettings2Page, kColorimetryCombo, colorimetry_caption(0));
    c.select_item(kSettings2Page, kMpegLevelCombo, mpeg_level_caption(0));
    set_enabled_ids(app, kSettings2Page, {kMpegLevelCombo, kColorimetryCombo, kIntraVlcCombo}, true);
}

void reset_settings3(App& app) {
    auto& c = app.controls;
    c.check_radio(kSettings3Page, kCpuAutoRadio);
    c.check_radio(kSettings3Page, kPriorityIdleRadio);
    c.check_radio(kSettings3Page, kChroma420Radio);
    for (int id : kTimeCodeBoxes) c.set_text(kSettings3Page, id, "0");
    c.set_text(kSettings3Page, kAvsMemoryBox, "");
    c.set_checked(kSettings3Page, kLosslessCheck, false);
    c.set_text(kSettings3Page, kEstimatedSizeText, "");
}

void reset_matrix_page(App& app) {
    auto& c = app.controls;
    c.set_checked(kMatrixPage, kAdaptiveMatrixCheck, false);
    show_matrix_choice(app, false);
    c.select_item(kMatrixPage, kBuiltInCombo, matrix_caption(1));
}

void reset_preview_pages(App& app) {
    for (int page : {kChaptersPage, kZonesPage, kPanScanPage}) app.controls.set_pos(page, ui::preview_ids::kSlider, 0);
    app.controls.set_text(kZonesPage, ui::zones_ids::kFactor, "1.0");
}

}  // namespace

void reset_to_defaults(App& app) {
    auto batch = app.controls.hold();
    reset_record_values(app);
    reset_main_window(app);
    reset_main_page(app);
    reset_settings1(app);
    reset_settings2(app);
    reset_settings3(app);
    reset_matrix_page(app);
    reset_preview_pages(app);
    matrices::apply_matrix_selection(app);
}

void clear_chapter_list(App& app) {
    ChapterList& list = app.settings.chapters;
    list.count = 0;
    list.frames.fill(0);
    app.controls.clear_items(kChaptersPage, ui::chapters_ids::kList);
}

void clear_panscan_list(App& app) {
    PanScanList& list = app.settings.panscan;
    list.count = 0;
    list.entries.fill(PanScanEntry{});
    app.controls.clear_items(kPanScanPage, ui::panscan_ids::kList);
}

}  // namespace qz::settings
