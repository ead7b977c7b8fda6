// The Main page's buttons, radios and switches: their lines in the Message log and what they change on
// the other pages.
#include "main_page_fixture.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

namespace {

using qz::ui::dialog::kMainPage;
using qz::ui::dialog::kSettings1Page;
using qz::ui::dialog::kSettings2Page;
using namespace qz::ui::main_page_ids;
using namespace qz::ui::settings1_ids;
using namespace qz::ui::settings2_ids;

using namespace qz;
using namespace qz::test;

TEST_F(MainPageTest, AutomaticGopSpinWritesTheLengthAndOneOfThreeLines) {
    struct Case {
        int position;
        const char* line;
    };
    for (Case k : {Case{14, "GOP length valid for PAL, NTSC and pulldown"},
                   Case{15, "GOP length valid for PAL, 29.97 NTSC, not for pulldown"},
                   Case{16, "GOP length only valid for 29.97 NTSC"}, Case{8, "GOP length valid for PAL, NTSC and pulldown"}}) {
        ASSERT_EQ(user.spin(kMainPage, kAutoGopSpin, k.position), ui::ActionResult::Done);
        EXPECT_EQ(main_text(kAutoGopBox), std::to_string(k.position));
        EXPECT_EQ(log(), Lines{k.line}) << k.position;
    }
    // The up-down keeps to its range 8 to 18.
    user.spin(kMainPage, kAutoGopSpin, 40);
    EXPECT_EQ(main_text(kAutoGopBox), "18");
    EXPECT_EQ(log(), Lines{"GOP length only valid for 29.97 NTSC"});
}

TEST_F(MainPageTest, TypedAutomaticGopLengthIsWhereTheUpDownContinues) {
    user.type(kMainPage, kAutoGopBox, "12");
    EXPECT_EQ(c.pos(kMainPage, kAutoGopSpin), 12);
    user.type(kMainPage, kAutoGopBox, "abc");
    EXPECT_EQ(c.pos(kMainPage, kAutoGopSpin), 12);
    EXPECT_TRUE(log().empty());
}

TEST_F(MainPageTest, AutogopSwitchesBetweenItsBoxAndTheGopBoxesOfSettings1) {
    click(kMainPage, kAutoGopCheck);
    EXPECT_EQ(log(), Lines{"autogop turned off, you can change GOP settings in Settings 1 tab"});
    for (int id : {kAutoGopBox, kAutoGopSpin}) EXPECT_FALSE(c.enabled(kMainPage, id)) << id;
    for (int id : {kBFramesBox, kGopLengthBox, kGopLengthSpin, kBFramesSpin})
        EXPECT_TRUE(c.enabled(kSettings1Page, id)) << id;
    click(kMainPage, kAutoGopCheck);
    EXPECT_EQ(log(), Lines{"autogop turned on, variable B frames"});
    for (int id : {kAutoGopBox, kAutoGopSpin}) EXPECT_TRUE(c.enabled(kMainPage, id)) << id;
    for (int id : {kBFramesBox, kGopLengthBox, kGopLengthSpin, kBFramesSpin})
        EXPECT_FALSE(c.enabled(kSettings1Page, id)) << id;
}

TEST_F(MainPageTest, OnePassVbrOverConstantQuantisationWritesTwoLines) {
    c.set_checked(kSettings1Page, kConstantQuantisationCheck, true);
    c.set_checked(kSettings1Page, kMaxBitrateCheck, true);
    for (int id : {kQuantiserBox, kPFactorBox, kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin})
        c.set_enabled(kSettings1Page, id, true);
    c.set_enabled(kSettings2Page, kVbrBiasBox, false);
    click(kMainPage, kOnePassVbrCheck);
    EXPECT_EQ(log(), (Lines{"1 pass Variable BitRate turned on", "Constant Quantization turned off"}));
    EXPECT_FALSE(c.checked(kSettings1Page, kConstantQuantisationCheck));
    EXPECT_FALSE(c.enabled(kSettings1Page, kConstantQuantisationCheck));
    // Constant quantisation is off with everything that belongs to it.
    EXPECT_FALSE(c.checked(kSettings1Page, kMaxBitrateCheck));
    for (int id : {kQuantiserBox, kPFactorBox, kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin})
        EXPECT_FALSE(c.enabled(kSettings1Page, id)) << id;
    EXPECT_TRUE(c.checked(kMainPage, kAverageBitrateRadio));
    for (int id : {kAverageBitrateRadio, kFileLengthRadio, kAverageBitrateBox, kMaxBitrateBox})
        EXPECT_TRUE(c.enabled(kMainPage, id)) << id;
    EXPECT_FALSE(c.enabled(kMainPage, kFileLengthBox));
    EXPECT_TRUE(c.enabled(kSettings2Page, kVbrBiasBox));

    click(kMainPage, kOnePassVbrCheck);
    EXPECT_EQ(log(), Lines{"1 pass Variable BitRate turned off"});
    EXPECT_TRUE(c.enabled(kSettings1Page, kConstantQuantisationCheck));
    EXPECT_FALSE(c.checked(kSettings1Page, kConstantQuantisationCheck));
}

TEST_F(MainPageTest, OnePassVbrWithoutConstantQuantisationWritesOneLine) {
    click(kMainPage, kOnePassVbrCheck);
    EXPECT_EQ(log(), Lines{"1 pass Variable BitRate turned on"});
    EXPECT_FALSE(c.enabled(kSettings1Page, kConstantQuantisationCheck));
}

TEST_F(MainPageTest, PanScanAspectSetsItsColorimetryAndLeavingItResetsIt) {
    open_video(720, 576, 25.0f, 1000);
    click(kMainPage, kAspectPanScanRadio);
    EXPECT_EQ(log(), Lines{"aspect ratio set to 4:3 panscan, colorimetry set to BT.470-2BG"});
    EXPECT_EQ(text(kSettings2Page, kColorimetryCombo), "BT.470-2BG");
    EXPECT_EQ(app.settings.values.colour, 5);
    EXPECT_EQ(app.settings.values.aspect, 5);
    EXPECT_TRUE(app.settings.panscan.on);

    click(kMainPage, kAspect16To9Radio);
    EXPECT_EQ(log(), (Lines{"aspect ratio set to 16:9", "colorimetry reset to default"}));
    EXPECT_EQ(text(kSettings2Page, kColorimetryCombo), "DEFAULT");
    EXPECT_EQ(app.settings.values.colour, 0);
    EXPECT_EQ(app.settings.values.aspect, 3);
    EXPECT_FALSE(app.settings.panscan.on);

    // From another aspect, no colorimetry line and the colorimetry chosen stays.
    app.settings.values.colour = 1;
    c.select_item(kSettings2Page, kColorimetryCombo, "BT.709");
    click(kMainPage, kAspect4To3Radio);
    click(kMainPage, kAspect16To9Radio);
    EXPECT_EQ(log(), (Lines{"aspect ratio set to 4:3", "aspect ratio set to 16:9"}));
    EXPECT_EQ(text(kSettings2Page, kColorimetryCombo), "BT.709");
    EXPECT_EQ(app.settings.values.colour, 1);
}

TEST_F(MainPageTest, BitrateEntryModeEnablesItsBoxes) {
    open_video(720, 576, 25.0f, 1000);
    click(kMainPage, kFileLengthRadio);
    EXPECT_EQ(log(), Lines{"please set file length and maximum bitrate"});
    EXPECT_TRUE(c.enabled(kMainPage, kFileLengthBox));
    EXPECT_FALSE(c.enabled(kMainPage, kAverageBitrateBox));
    EXPECT_TRUE(c.enabled(kMainPage, kMaxBitrateBox));
    click(kMainPage, kAverageBitrateRadio);
    EXPECT_EQ(log(), Lines{"please set average and maximum bitrate"});
    EXPECT_FALSE(c.enabled(kMainPage, kFileLengthBox));
    EXPECT_TRUE(c.enabled(kMainPage, kAverageBitrateBox));
    EXPECT_TRUE(c.enabled(kMainPage, kMaxBitrateBox));
}

TEST_F(MainPageTest, PulldownTakesTheInterlacingChoicesAndGivesThemBack) {
    open_video(720, 480, 23.976f, 1000);
    click(kSettings1Page, kInterlacedRadio);  // "interlaced"
    click(kSettings1Page, kBffRadio);  // "BFF"
    log();
    click(kMainPage, kPulldownCheck);
    EXPECT_EQ(log(), (Lines{"pulldown turned on, set flags for 23.976 --> 29.97 fps, interlaced is disabled",
                            "if your source is interlaced please de-interlace it first",
                            "if input rate is not equal to 23.976, setting is ignored"}));
    EXPECT_TRUE(c.checked(kSettings1Page, kProgressiveRadio));
    for (int id : {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio})
        EXPECT_FALSE(c.enabled(kSettings1Page, id)) << id;
    // "progressive sequence" is usable with progressive frames, as after loading the file this saves.
    EXPECT_TRUE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
    click(kSettings2Page, kProgressiveSequenceCheck);

    click(kMainPage, kPulldownCheck);
    EXPECT_EQ(log(), (Lines{"set the progressive flag in the sequence extension header",  // BFF was on
                            "pulldown turned off, interlacing options set to default"}));
    EXPECT_TRUE(c.checked(kSettings1Page, kAutoDetectRadio));
    EXPECT_TRUE(c.checked(kSettings1Page, kTffRadio));
    EXPECT_FALSE(c.checked(kSettings1Page, kBffRadio));
    for (int id : {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio})
        EXPECT_TRUE(c.enabled(kSettings1Page, id)) << id;
    EXPECT_FALSE(c.checked(kSettings2Page, kProgressiveSequenceCheck));  // as under "auto detect"
    EXPECT_FALSE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
}

TEST_F(MainPageTest, SmpLinesNameTheProcessorCount) {
    click(kMainPage, kSmpCheck);
    click(kMainPage, kSmpCheck);
    EXPECT_EQ(log(), (Lines{"SMP (Symmetric MultiProcessing) turned off, nr. of processors detected: 4",
                            "SMP (Symmetric MultiProcessing) turned on, nr. of processors detected: 4"}));
}

TEST_F(MainPageTest, ResetRestoresDefaultsAndTheWholeVideo) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(kStartFrameBox, "100");
    enter_field(kAverageBitrateBox, "6000");
    click(kMainPage, kBestRadio);
    click(kMainPage, kAutoGopCheck);
    log();
    click(kMainPage, kResetButton);
    EXPECT_EQ(log(), Lines{"all values reset to default"});
    EXPECT_EQ(main_text(kStartFrameBox), "0");
    EXPECT_EQ(main_text(kEncodingFramesText), "1000");
    EXPECT_EQ(main_text(kAverageBitrateBox), "4000");
    EXPECT_TRUE(c.checked(kMainPage, kNormalRadio));
    EXPECT_TRUE(c.checked(kMainPage, kAutoGopCheck));
}

TEST_F(MainPageTest, AllFramesTakesTheWholeVideo) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(kStartFrameBox, "100");
    enter_field(kEndFrameBox, "199");
    EXPECT_EQ(main_text(kEncodingFramesText), "100");
    log();
    click(kMainPage, kAllFramesButton);
    EXPECT_EQ(log(), Lines{"frame range set to all frames in video"});
    EXPECT_EQ(main_text(kStartFrameBox), "0");
    EXPECT_EQ(main_text(kEndFrameBox), "999");
    EXPECT_EQ(main_text(kEncodingFramesText), "1000");
    EXPECT_EQ(main_text(kEncodingSecondsText), "40.00");
    EXPECT_EQ(app.settings.values.frames_to_encode, 1000);
}

}  // namespace
