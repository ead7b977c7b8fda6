#include "settings_fixture.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

namespace qz::settings::testing {

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

// Puts a few controls of every page away from their defaults, as a user would.
void disturb_pages(App& app) {
    auto& c = app.controls;
    c.check_radio(kMainPage, kFastRadio);
    c.check_radio(kMainPage, kAspect1To1Radio);
    c.set_checked(kMainPage, kSceneChangeCheck, false);
    c.set_text(kMainPage, kAutoGopBox, "9");
    c.set_pos(kMainPage, kAutoGopSpin, 9);
    c.check_radio(kSettings1Page, kInterlacedRadio);
    c.check_radio(kSettings1Page, kBffRadio);
    c.set_checked(kSettings1Page, kConstantQuantisationCheck, true);
    c.set_text(kSettings1Page, kQuantiserBox, "12.5");
    c.set_pos(kSettings1Page, kPFactorSpin, 30);
    c.check_radio(kSettings1Page, kDeadZoneValuesRadio);
    c.set_checked(kSettings2Page, kSilentCheck, true);
    c.set_enabled(kSettings2Page, kPreviewCheck, false);
    c.set_checked(kSettings2Page, kAllow3BFramesCheck, true);
    c.set_range(kSettings1Page, kBFramesSpin, 0, 3);
    c.select_item(kSettings2Page, kColorimetryCombo, "SMPTE240M");
    c.set_text(kSettings2Page, kVbrBiasBox, "77");
    c.check_radio(kSettings3Page, kCpuAvx2Radio);
    c.check_radio(kSettings3Page, kPriorityHighRadio);
    c.set_text(kSettings3Page, kAvsMemoryBox, "512");
    c.check_radio(kMatrixPage, kCustomRadio);
    c.select_item(kMatrixPage, kBuiltInCombo, "QLB");
    c.set_checked(kMatrixPage, kAdaptiveMatrixCheck, true);
    c.set_pos(kZonesPage, ui::preview_ids::kSlider, 500);
    c.set_text(kZonesPage, ui::zones_ids::kFactor, "0.5");
}

TEST_F(PagesTest, ResetPutsTheMainPageAndWindowIntoTheirDefaults) {
    disturb_pages(app);
    reset_to_defaults(app);
    EXPECT_FALSE(c.enabled(kMainWindow, kEncodeButton));
    expect_text(kMainPage, kInputButton, "input file name (*.d2v, *.avs)");
    expect_text(kMainPage, kOutputButton, "output file name (not set)");
    expect_text(kMainPage, kLogButton, "log file name (not set)");
    expect_enabled(kMainPage, {kInputButton, kLoadIniButton, kSaveIniButton, kLoadQzIniButton, kSaveQzIniButton}, true);
    // Without a valid input the bitrate fields and the frame range have nothing to work on.
    expect_enabled(kMainPage,
                   {kOutputButton, kLogButton, kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox,
                    kAverageBitrateBox, kMaxBitrateBox},
                   false);
    expect_radio(kMainPage, kAverageBitrateRadio);
    EXPECT_FALSE(c.checked(kMainPage, kFileLengthRadio));
    expect_text(kMainPage, kAverageBitrateBox, "4000");
    expect_text(kMainPage, kMaxBitrateBox, "8000");
    expect_text(kMainPage, kStartFrameBox, "-");
    expect_text(kMainPage, kEndFrameBox, "-");
    expect_radio(kMainPage, kNormalRadio);
    expect_radio(kMainPage, kAspect16To9Radio);
    expect_radio(kMainPage, kDcPrecision9Radio);
    EXPECT_TRUE(c.checked(kMainPage, kSmpCheck));
    EXPECT_TRUE(c.checked(kMainPage, kSceneChangeCheck));
    EXPECT_TRUE(c.checked(kMainPage, kAutoGopCheck));
    for (int id : {kPulldownCheck, kClosedGopsCheck, kOnePassVbrCheck}) EXPECT_FALSE(c.checked(kMainPage, id)) << id;
    expect_text(kMainPage, kAutoGopBox, "15");
    expect_spin(kMainPage, kAutoGopSpin, 8, 18, 15);
    expect_enabled(kMainPage, {kAutoGopBox, kAutoGopSpin}, true);
}

TEST_F(PagesTest, ResetPutsTheSettingsPagesIntoTheirDefaults) {
    disturb_pages(app);
    reset_to_defaults(app);
    // Settings 1
    expect_radio(kSettings1Page, kAutoDetectRadio);
    expect_radio(kSettings1Page, kTffRadio);
    expect_radio(kSettings1Page, kChromaProgressiveRadio);
    expect_radio(kSettings1Page, kDeadZoneAutoRadio);
    expect_text(kSettings1Page, kGopLengthBox, "15");
    expect_text(kSettings1Page, kBFramesBox, "2");
    expect_spin(kSettings1Page, kGopLengthSpin, 1, 36, 15);
    expect_spin(kSettings1Page, kBFramesSpin, 0, 2, 2);
    expect_spin(kSettings1Page, kPFactorSpin, 1, 32, 9);
    expect_spin(kSettings1Page, kBFactorSpin, 1, 32, 9);
    EXPECT_FALSE(c.checked(kSettings1Page, kConstantQuantisationCheck));
    EXPECT_FALSE(c.checked(kSettings1Page, kMaxBitrateCheck));
    expect_text(kSettings1Page, kQuantiserBox, "5.000");
    expect_text(kSettings1Page, kPFactorBox, "1.00");
    expect_text(kSettings1Page, kBFactorBox, "1.00");
    expect_text(kSettings1Page, kAqBox, "2");
    EXPECT_EQ(c.pos(kSettings1Page, kAqSlider), 2);
    expect_text(kSettings1Page, kDeadZoneIntraBox, "2");
    expect_text(kSettings1Page, kDeadZoneNonIntraBox, "2");
    expect_enabled(kSettings1Page,
                   {kBFramesBox, kGopLengthBox, kGopLengthSpin, kBFramesSpin, kQuantiserBox, kPFactorBox,
                    kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin, kDeadZoneIntraBox, kDeadZoneNonIntraBox},
                   false);
    expect_enabled(kSettings1Page,
                   {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio, kTffRadio, kBffRadio,
                    kConstantQuantisationCheck},
                   true);
    // Settings 2
    expect_text(kSettings2Page, kVbrBiasBox, "0");
    expect_text(kSettings2Page, kMinBitrateFactorBox, "1.00");
    expect_text(kSettings2Page, kWaitBox, "5");
    EXPECT_TRUE(c.checked(kSettings2Page, kVbvCheck));
    EXPECT_TRUE(c.checked(kSettings2Page, kSeqEndcodeCheck));
    for (int id : {kShutdownCheck, kPreviewCheck, kSilentCheck, kLastIFrameCheck, kScdFileCheck, kFrameLogCheck,
                   kPsnrCheck, kProgressiveSequenceCheck, kAllow3BFramesCheck})
        EXPECT_FALSE(c.checked(kSettings2Page, id)) << id;
    EXPECT_TRUE(c.enabled(kSettings2Page, kPreviewCheck));
    for (int id : {kMaskTopBox, kMaskBottomBox, kShiftLinesBox, kLuminanceGainBox})
        expect_text(kSettings2Page, id, "0");
    EXPECT_EQ(c.pos(kSettings2Page, kLuminanceGainSlider), 0);
    expect_text(kSettings2Page, kIntraVlcCombo, "AUTO");
    expect_text(kSettings2Page, kColorimetryCombo, "DEFAULT");
    expect_text(kSettings2Page, kMpegLevelCombo, "AUTO");
    expect_enabled(kSettings2Page, {kMpegLevelCombo, kColorimetryCombo, kIntraVlcCombo, kVbrBiasBox}, true);
    // Settings 3
    expect_radio(kSettings3Page, kCpuAutoRadio);
    expect_radio(kSettings3Page, kPriorityIdleRadio);
    expect_radio(kSettings3Page, kChroma420Radio);
    for (int id : {kTimeCodeHourBox, kTimeCodeMinuteBox, kTimeCodeSecondBox, kTimeCodeFrameBox})
        expect_text(kSettings3Page, id, "0");
    expect_text(kSettings3Page, kAvsMemoryBox, "");
    expect_text(kSettings3Page, kEstimatedSizeText, "");
    EXPECT_FALSE(c.checked(kSettings3Page, kLosslessCheck));
}

TEST_F(PagesTest, ResetPutsTheMatrixAndPreviewPagesIntoTheirDefaults) {
    disturb_pages(app);
    reset_to_defaults(app);
    expect_radio(kMatrixPage, kBuiltInRadio);
    expect_text(kMatrixPage, kBuiltInCombo, "MPEG");
    EXPECT_FALSE(c.checked(kMatrixPage, kAdaptiveMatrixCheck));
    expect_enabled(kMatrixPage, {kBuiltInRadio, kBuiltInCombo}, true);
    expect_enabled(kMatrixPage,
                   {kLoadButton, kSaveMtxButton, kSaveCqmButton, kFirstIntraCell, kLastIntraCell, kFirstNonIntraCell,
                    kLastNonIntraCell},
                   false);
    for (int page : {kChaptersPage, kZonesPage, kPanScanPage})
        EXPECT_EQ(c.pos(page, ui::preview_ids::kSlider), 0) << page;
    expect_text(kZonesPage, ui::zones_ids::kFactor, "1.0");
}

TEST_F(PagesTest, ResetSetsTheRecordDefaultsAndLeavesMarksNamesAndListsAlone) {
    s.values.aspect = 5;
    s.values.colour = 7;
    s.matrix_number = 0;
    s.max_b_frames = 3;
    s.values.bias = 40;
    s.panscan.on = true;
    s.panscan.count = 1;
    s.panscan.entries[0] = {10, 16};
    s.chapters.count = 1;
    s.chapters.frames[0] = 250;
    s.zones.count = 1;
    s.input_file = "/videos/a.d2v";
    give(kInfile);
    give(kBitrate);
    reset_to_defaults(app);
    EXPECT_EQ(s.values.aspect, 3);
    EXPECT_EQ(s.values.colour, 0);
    EXPECT_EQ(s.matrix_number, 1);
    EXPECT_EQ(s.max_b_frames, 2);
    EXPECT_EQ(s.values.bias, 0);
    EXPECT_FALSE(s.panscan.on);
    EXPECT_EQ(s.panscan.count, 1);
    EXPECT_EQ(s.chapters.count, 1);
    EXPECT_EQ(s.zones.count, 1);
    EXPECT_EQ(s.input_file, "/videos/a.d2v");
    EXPECT_TRUE(s.is_given(kInfile));
    EXPECT_TRUE(s.is_given(kBitrate));
}

TEST_F(PagesTest, ResetWithAValidInputKeepsTheFileCaptionsAndWorksOutTheFileLength) {
    c.set_text(kMainPage, kInputButton, "input: /videos/a.d2v");
    c.set_text(kMainPage, kOutputButton, "output: /videos/a.m2v");
    give(kInfile);
    s.input_valid = true;
    s.output_chosen = true;
    app.video.width = 720;
    app.video.height = 576;
    app.video.frame_count = 1000;
    app.video.frame_rate = 25.0;
    reset_to_defaults(app);

    EXPECT_TRUE(c.enabled(kMainWindow, kEncodeButton));
    expect_text(kMainPage, kInputButton, "input: /videos/a.d2v");
    expect_text(kMainPage, kOutputButton, "output: /videos/a.m2v");
    expect_enabled(kMainPage,
                   {kOutputButton, kLogButton, kAverageBitrateRadio, kFileLengthRadio, kAverageBitrateBox,
                    kMaxBitrateBox, kAllFramesButton, kStartFrameBox, kEndFrameBox, kAspectPanScanRadio},
                   true);
    EXPECT_FALSE(c.enabled(kMainPage, kFileLengthBox));
    expect_text(kMainPage, kStartFrameBox, "0");
    expect_text(kMainPage, kEndFrameBox, "999");
    EXPECT_EQ(s.values.frames_to_encode, 1000);
    // 40 seconds at 4000 kbit/s: round(4000 x 40 / 1.024) = 156250, divided by 8 as integers.
    expect_text(kMainPage, kFileLengthBox, "19531");
}

TEST_F(PagesTest, ResetOffersPanScanOnlyForFullWidthPalOrNtscFrames) {
    struct Case {
        int width, height;
        bool offered;
    };
    for (Case k : {Case{720, 576, true}, Case{704, 480, true}, Case{720, 480, true}, Case{1920, 1080, false},
                   Case{720, 540, false}, Case{0, 0, false}}) {
        app.video.width = k.width;
        app.video.height = k.height;
        reset_to_defaults(app);
        EXPECT_EQ(c.enabled(kMainPage, kAspectPanScanRadio), k.offered) << k.width << "x" << k.height;
    }
}

TEST_F(PagesTest, EncodeNeedsBothAValidInputAndAnOutput) {
    s.input_valid = true;
    reset_to_defaults(app);
    EXPECT_FALSE(c.enabled(kMainWindow, kEncodeButton));
    s.input_valid = false;
    s.output_chosen = true;
    reset_to_defaults(app);
    EXPECT_FALSE(c.enabled(kMainWindow, kEncodeButton));
    // An output named by the settings file counts as much as one chosen with the file command.
    s.input_valid = true;
    s.output_chosen = false;
    give(kOutfile);
    reset_to_defaults(app);
    EXPECT_TRUE(c.enabled(kMainWindow, kEncodeButton));
}

TEST_F(PagesTest, SmpIsOffOnASingleProcessor) {
    app.processors.several = false;
    reset_to_defaults(app);
    EXPECT_FALSE(c.checked(kMainPage, kSmpCheck));
    apply();
    EXPECT_FALSE(c.checked(kMainPage, kSmpCheck));

    app.processors.several = true;
    reset_to_defaults(app);
    EXPECT_TRUE(c.checked(kMainPage, kSmpCheck));
    s.values.multiprocessing = false;  // what the reader makes of *NOSMP
    give(kNoSmp);
    apply();
    EXPECT_FALSE(c.checked(kMainPage, kSmpCheck));
}

TEST_F(PagesTest, ClearingTheChapterAndPanScanListsEmptiesRecordAndListBoxes) {
    s.chapters.count = 3;
    s.chapters.frames[0] = 1;
    s.chapters.frames[2] = 3;
    s.chapters.frames[kChapterCapacity - 1] = 9;  // a stale entry past the count
    c.set_items(kChaptersPage, ui::chapters_ids::kList, {"       1", "       2", "       3"});
    s.panscan.count = 2;
    s.panscan.entries[1] = {50, -32};
    c.set_items(kPanScanPage, ui::panscan_ids::kList, {"       0|    0", "      50|  -32"});
    s.zones.count = 1;
    s.zones.zones[0] = {100, 0.5f};

    clear_chapter_list(app);
    clear_panscan_list(app);

    EXPECT_EQ(s.chapters.count, 0);
    for (int32_t frame : s.chapters.frames) ASSERT_EQ(frame, 0);
    EXPECT_EQ(c.item_count(kChaptersPage, ui::chapters_ids::kList), 0);
    EXPECT_EQ(s.panscan.count, 0);
    for (const PanScanEntry& e : s.panscan.entries) ASSERT_TRUE(e.frame == 0 && e.offset == 0);
    EXPECT_EQ(c.item_count(kPanScanPage, ui::panscan_ids::kList), 0);
    EXPECT_EQ(s.zones.count, 1);  // a load keeps the zones
    EXPECT_EQ(s.zones.zones[0].start_frame, 100);
}

}  // namespace
}  // namespace qz::settings::testing
