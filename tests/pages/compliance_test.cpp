// "make DVD compliant" and "make BD compliant" on videos of the disc sizes and rates, and off them.
#include "main_page_fixture.h"

#include "pages/compliance.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

namespace {

using qz::ui::dialog::kMainPage;
using qz::ui::dialog::kSettings1Page;
using qz::ui::dialog::kSettings2Page;
using qz::ui::dialog::kSettings3Page;
using namespace qz::ui::main_page_ids;
using namespace qz::ui::settings1_ids;
using namespace qz::ui::settings2_ids;
using namespace qz::ui::settings3_ids;

using namespace qz;
using namespace qz::test;
using pages::classify_rate;
using pages::RateClass;

TEST(RateClass, RatesWithinAHundredthCount) {
    EXPECT_EQ(classify_rate(25.005f), RateClass::Rate25);
    EXPECT_EQ(classify_rate(25.02f), RateClass::Other);
    EXPECT_EQ(classify_rate(24000.0f / 1001.0f), RateClass::Rate23_976);
    EXPECT_EQ(classify_rate(23.99f), RateClass::Other);
    EXPECT_EQ(classify_rate(24.0f), RateClass::Rate24);
    EXPECT_EQ(classify_rate(30000.0f / 1001.0f), RateClass::Rate29_97);
    EXPECT_EQ(classify_rate(30.0f), RateClass::Other);
    EXPECT_EQ(classify_rate(59.94f), RateClass::Rate59_94);
    EXPECT_EQ(classify_rate(50.0f), RateClass::Rate50);
    EXPECT_EQ(classify_rate(0.0f), RateClass::Other);
}

class ComplianceTest : public MainPageTest {
protected:
    // GOP length and B frames as the user would set them with autogop off.
    void set_gop(int length, int b_frames) {
        click(kMainPage, kAutoGopCheck);
        c.set_text(kSettings1Page, kGopLengthBox, std::to_string(length));
        c.set_pos(kSettings1Page, kGopLengthSpin, length);
        c.set_text(kSettings1Page, kBFramesBox, std::to_string(b_frames));
        c.set_pos(kSettings1Page, kBFramesSpin, b_frames);
        log();
    }
    void expect_gop(int length, int automatic_length) {
        EXPECT_EQ(text(kSettings1Page, kGopLengthBox), std::to_string(length));
        EXPECT_EQ(c.pos(kSettings1Page, kGopLengthSpin), length);
        EXPECT_EQ(main_text(kAutoGopBox), std::to_string(automatic_length));
    }
};

TEST_F(ComplianceTest, DvdOnFilmRateMakesProgressivePulldown) {
    open_video(720, 480, 23.976f, 1000);
    set_gop(15, 2);
    click(kMainPage, kDvdCompliantButton);
    // The DVD advice that follows has nothing to say: pulldown is on now.
    EXPECT_EQ(log(), Lines{"possible non-DVD compliant settings fixed"});
    EXPECT_TRUE(c.checked(kSettings1Page, kProgressiveRadio));
    EXPECT_TRUE(c.checked(kMainPage, kPulldownCheck));
    for (int id : {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio})
        EXPECT_FALSE(c.enabled(kSettings1Page, id)) << id;
    expect_gop(12, 12);
    EXPECT_EQ(c.pos(kMainPage, kAutoGopSpin), 12);
}

TEST_F(ComplianceTest, DvdBringsEverySettingIntoItsLimits) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(kMaxBitrateBox, "15000");
    enter_field(kAverageBitrateBox, "12000");
    click(kMainPage, kAspect1To1Radio);   // 1:1
    click(kMainPage, kDcPrecision11Radio);   // dc precision 11
    c.set_checked(kSettings2Page, kAllow3BFramesCheck, true);  // allow 3 B-frames
    app.settings.max_b_frames = 3;
    c.set_range(kSettings1Page, kBFramesSpin, 0, 3);
    set_gop(18, 3);
    c.set_checked(kSettings2Page, kVbvCheck, false);
    c.set_checked(kSettings1Page, kConstantQuantisationCheck, true);
    c.set_enabled(kMainPage, kMaxBitrateBox, false);
    c.set_text(kSettings3Page, kTimeCodeHourBox, "30");
    c.set_text(kSettings3Page, kTimeCodeFrameBox, "75");
    c.check_radio(kSettings3Page, kChroma444Radio);
    c.select_item(kSettings2Page, kMpegLevelCombo, "MP@HL");
    c.set_checked(kMainPage, kPulldownCheck, true);
    log();

    click(kMainPage, kDvdCompliantButton);
    EXPECT_EQ(log(), Lines{"possible non-DVD compliant settings fixed"});
    EXPECT_EQ(main_text(kAverageBitrateBox), "9000");
    EXPECT_EQ(main_text(kMaxBitrateBox), "9800");
    EXPECT_TRUE(c.checked(kMainPage, kAspect4To3Radio));
    EXPECT_EQ(app.settings.values.aspect, 2);
    EXPECT_TRUE(c.checked(kMainPage, kDcPrecision10Radio));
    EXPECT_FALSE(c.checked(kSettings2Page, kAllow3BFramesCheck));
    EXPECT_EQ(app.settings.max_b_frames, 2);
    EXPECT_EQ(c.range_max(kSettings1Page, kBFramesSpin), 2);
    EXPECT_EQ(text(kSettings1Page, kBFramesBox), "2");
    EXPECT_TRUE(c.checked(kSettings2Page, kVbvCheck));
    EXPECT_TRUE(c.checked(kSettings1Page, kMaxBitrateCheck));
    EXPECT_TRUE(c.enabled(kMainPage, kMaxBitrateBox));
    EXPECT_EQ(text(kSettings3Page, kTimeCodeHourBox), "23");
    EXPECT_EQ(text(kSettings3Page, kTimeCodeFrameBox), "59");
    EXPECT_TRUE(c.checked(kSettings3Page, kChroma420Radio));
    EXPECT_EQ(text(kSettings2Page, kMpegLevelCombo), "AUTO");
    // 25 fps: no pulldown, the interlacing choices free, GOP at most 15 and autogop 15.
    EXPECT_FALSE(c.checked(kMainPage, kPulldownCheck));
    for (int id : {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio, kTffRadio, kBffRadio})
        EXPECT_TRUE(c.enabled(kSettings1Page, id)) << id;
    expect_gop(15, 15);
}

TEST_F(ComplianceTest, DvdAtNtscRateHoldsAutogopBetween12And18) {
    open_video(720, 480, 29.97f, 1000);
    c.set_text(kMainPage, kAutoGopBox, "8");
    c.set_text(kSettings1Page, kGopLengthBox, "36");
    click(kMainPage, kDvdCompliantButton);
    expect_gop(18, 12);
    EXPECT_EQ(c.pos(kMainPage, kAutoGopSpin), 12);
}

TEST_F(ComplianceTest, DvdAdviceFollowsTheFix) {
    open_video(1280, 720, 50.0f, 1000);
    click(kMainPage, kDvdCompliantButton);
    EXPECT_EQ(log(), (Lines{"possible non-DVD compliant settings fixed", "frame rate not DVD-compliant"}));
}

TEST_F(ComplianceTest, BdOnFullHdAt2997ReportsTheFrameRate) {
    open_video(1920, 1080, 29.97f, 1000);
    click(kSettings1Page, kInterlacedRadio);  // interlaced
    c.set_checked(kSettings2Page, kProgressiveSequenceCheck, true);
    set_gop(36, 2);
    click(kMainPage, kBdCompliantButton);
    Lines lines = log();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "possible non-BD compliant settings fixed");
    // 102 characters: the log wraps them after 99.
    EXPECT_EQ(lines[1] + lines[2],
              "ERROR, frame rate NOT BD-COMPLIANT for 1920x1080 resolution, fps should be 59.94 or 50 or 24 or 23. ...976");
    EXPECT_FALSE(c.checked(kSettings2Page, kProgressiveSequenceCheck));
    EXPECT_FALSE(
        c.enabled(kSettings2Page, kProgressiveSequenceCheck));  // "interlaced" frames have no progressive sequence
    expect_gop(18, 18);
}

TEST_F(ComplianceTest, BdOnFullHdAtFilmRateIsProgressive) {
    open_video(1920, 1080, 23.976f, 1000);
    set_gop(30, 2);
    click(kMainPage, kBdCompliantButton);
    // Only the DVD advice on the size follows.
    EXPECT_EQ(log(), (Lines{"possible non-BD compliant settings fixed",
                            "resolution not DVD-compliant for frame rate 23.976 fps"}));
    EXPECT_TRUE(c.checked(kSettings1Page, kProgressiveRadio));
    EXPECT_TRUE(c.checked(kMainPage, kPulldownCheck));
    EXPECT_TRUE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
    EXPECT_FALSE(c.checked(kSettings2Page, kProgressiveSequenceCheck));
    expect_gop(12, 12);
}

TEST_F(ComplianceTest, BdOnAnUnknownSizeKeepsTheRateStepsGop) {
    open_video(640, 480, 29.97f, 1000);
    set_gop(36, 2);
    c.set_text(kMainPage, kAutoGopBox, "14");
    click(kMainPage, kBdCompliantButton);
    Lines lines = log();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "ERROR, resolution NOT BD-COMPLIANT");
    EXPECT_EQ(lines[2], "valid resolutions: 720x480, 720x576, 1280x720, 1440x1080, 1920x1080");
    expect_gop(18, 14);
    EXPECT_EQ(text(kSettings2Page, kMpegLevelCombo), "AUTO");
}

TEST_F(ComplianceTest, BdOnSdSizesWantsTheirOwnRate) {
    open_video(720, 480, 25.0f, 1000);
    set_gop(36, 2);
    click(kMainPage, kBdCompliantButton);
    Lines lines = log();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "ERROR, frame rate NOT BD-COMPLIANT, should be 29.97");
    expect_gop(15, 15);

    open_video(720, 576, 25.0f, 1000);
    click(kMainPage, kBdCompliantButton);
    EXPECT_EQ(log(), Lines{"possible non-BD compliant settings fixed"});
}

TEST_F(ComplianceTest, Bd720pAtAnOtherRateIsProgressiveWithoutError) {
    open_video(1280, 720, 30.0f, 1000);
    click(kSettings1Page, kInterlacedRadio);
    set_gop(30, 2);
    click(kMainPage, kBdCompliantButton);
    Lines lines = log();
    for (const std::string& line : lines) EXPECT_EQ(line.find("ERROR"), std::string::npos) << line;
    EXPECT_TRUE(c.checked(kSettings1Page, kProgressiveRadio));
    EXPECT_TRUE(c.enabled(kSettings1Page, kProgressiveRadio));
    EXPECT_TRUE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
    expect_gop(25, 25);  // the rate step leaves other rates alone; the size allows 25
}

TEST_F(ComplianceTest, BdTurnsPanScanIntoPlainFourThree) {
    open_video(720, 576, 25.0f, 1000);
    click(kMainPage, kAspectPanScanRadio);
    log();
    click(kMainPage, kBdCompliantButton);
    EXPECT_TRUE(c.checked(kMainPage, kAspect4To3Radio));
    EXPECT_EQ(app.settings.values.aspect, 2);
    EXPECT_FALSE(app.settings.panscan.on);
}

TEST_F(ComplianceTest, WithoutAVideoOnlyTheSettingsAreFixed) {
    click(kMainPage, kBdCompliantButton);
    EXPECT_EQ(log(), Lines{"possible non-BD compliant settings fixed"});
    click(kMainPage, kDvdCompliantButton);
    EXPECT_EQ(log(), Lines{"possible non-DVD compliant settings fixed"});
    EXPECT_FALSE(c.checked(kMainPage, kPulldownCheck));
}

}  // namespace
