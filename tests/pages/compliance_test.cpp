// "make DVD compliant" and "make BD compliant" on videos of the disc sizes and rates, and off them.
#include "main_page_fixture.h"

#include "pages/compliance.h"

namespace {

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
        click(kMain, 1153);
        c.set_text(kS1, 1208, std::to_string(length));
        c.set_pos(kS1, 1209, length);
        c.set_text(kS1, 1207, std::to_string(b_frames));
        c.set_pos(kS1, 1210, b_frames);
        log();
    }
    void expect_gop(int length, int automatic_length) {
        EXPECT_EQ(text(kS1, 1208), std::to_string(length));
        EXPECT_EQ(c.pos(kS1, 1209), length);
        EXPECT_EQ(main_text(1154), std::to_string(automatic_length));
    }
};

TEST_F(ComplianceTest, DvdOnFilmRateMakesProgressivePulldown) {
    open_video(720, 480, 23.976f, 1000);
    set_gop(15, 2);
    click(kMain, 1102);
    // The DVD advice that follows has nothing to say: pulldown is on now.
    EXPECT_EQ(log(), Lines{"possible non-DVD compliant settings fixed"});
    EXPECT_TRUE(c.checked(kS1, 1202));
    EXPECT_TRUE(c.checked(kMain, 1151));
    for (int id : {1201, 1202, 1203, 1204}) EXPECT_FALSE(c.enabled(kS1, id)) << id;
    expect_gop(12, 12);
    EXPECT_EQ(c.pos(kMain, 1155), 12);
}

TEST_F(ComplianceTest, DvdBringsEverySettingIntoItsLimits) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(1124, "15000");
    enter_field(1123, "12000");
    click(kMain, 1133);   // 1:1
    click(kMain, 1143);   // dc precision 11
    c.set_checked(kS2, 1327, true);  // allow 3 B-frames
    app.settings.max_b_frames = 3;
    c.set_range(kS1, 1210, 0, 3);
    set_gop(18, 3);
    c.set_checked(kS2, 1307, false);
    c.set_checked(kS1, 1211, true);
    c.set_enabled(kMain, 1124, false);
    c.set_text(kS3, 1401, "30");
    c.set_text(kS3, 1404, "75");
    c.check_radio(kS3, 1432);
    c.select_item(kS2, 1325, "MP@HL");
    c.set_checked(kMain, 1151, true);
    log();

    click(kMain, 1102);
    EXPECT_EQ(log(), Lines{"possible non-DVD compliant settings fixed"});
    EXPECT_EQ(main_text(1123), "9000");
    EXPECT_EQ(main_text(1124), "9800");
    EXPECT_TRUE(c.checked(kMain, 1134));
    EXPECT_EQ(app.settings.values.aspect, 2);
    EXPECT_TRUE(c.checked(kMain, 1142));
    EXPECT_FALSE(c.checked(kS2, 1327));
    EXPECT_EQ(app.settings.max_b_frames, 2);
    EXPECT_EQ(c.range_max(kS1, 1210), 2);
    EXPECT_EQ(text(kS1, 1207), "2");
    EXPECT_TRUE(c.checked(kS2, 1307));
    EXPECT_TRUE(c.checked(kS1, 1214));
    EXPECT_TRUE(c.enabled(kMain, 1124));
    EXPECT_EQ(text(kS3, 1401), "23");
    EXPECT_EQ(text(kS3, 1404), "59");
    EXPECT_TRUE(c.checked(kS3, 1430));
    EXPECT_EQ(text(kS2, 1325), "AUTO");
    // 25 fps: no pulldown, the interlacing choices free, GOP at most 15 and autogop 15.
    EXPECT_FALSE(c.checked(kMain, 1151));
    for (int id : {1201, 1202, 1203, 1204, 1205, 1206}) EXPECT_TRUE(c.enabled(kS1, id)) << id;
    expect_gop(15, 15);
}

TEST_F(ComplianceTest, DvdAtNtscRateHoldsAutogopBetween12And18) {
    open_video(720, 480, 29.97f, 1000);
    c.set_text(kMain, 1154, "8");
    c.set_text(kS1, 1208, "36");
    click(kMain, 1102);
    expect_gop(18, 12);
    EXPECT_EQ(c.pos(kMain, 1155), 12);
}

TEST_F(ComplianceTest, DvdAdviceFollowsTheFix) {
    open_video(1280, 720, 50.0f, 1000);
    click(kMain, 1102);
    EXPECT_EQ(log(), (Lines{"possible non-DVD compliant settings fixed", "frame rate not DVD-compliant"}));
}

TEST_F(ComplianceTest, BdOnFullHdAt2997ReportsTheFrameRate) {
    open_video(1920, 1080, 29.97f, 1000);
    click(kS1, 1203);  // interlaced
    c.set_checked(kS2, 1317, true);
    set_gop(36, 2);
    click(kMain, 1103);
    Lines lines = log();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "possible non-BD compliant settings fixed");
    // 102 characters: the log wraps them after 99.
    EXPECT_EQ(lines[1] + lines[2],
              "ERROR, frame rate NOT BD-COMPLIANT for 1920x1080 resolution, fps should be 59.94 or 50 or 24 or 23. ...976");
    EXPECT_FALSE(c.checked(kS2, 1317));
    EXPECT_FALSE(c.enabled(kS2, 1317));  // "interlaced" frames have no progressive sequence
    expect_gop(18, 18);
}

TEST_F(ComplianceTest, BdOnFullHdAtFilmRateIsProgressive) {
    open_video(1920, 1080, 23.976f, 1000);
    set_gop(30, 2);
    click(kMain, 1103);
    // Only the DVD advice on the size follows.
    EXPECT_EQ(log(), (Lines{"possible non-BD compliant settings fixed",
                            "resolution not DVD-compliant for frame rate 23.976 fps"}));
    EXPECT_TRUE(c.checked(kS1, 1202));
    EXPECT_TRUE(c.checked(kMain, 1151));
    EXPECT_TRUE(c.enabled(kS2, 1317));
    EXPECT_FALSE(c.checked(kS2, 1317));
    expect_gop(12, 12);
}

TEST_F(ComplianceTest, BdOnAnUnknownSizeKeepsTheRateStepsGop) {
    open_video(640, 480, 29.97f, 1000);
    set_gop(36, 2);
    c.set_text(kMain, 1154, "14");
    click(kMain, 1103);
    Lines lines = log();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "ERROR, resolution NOT BD-COMPLIANT");
    EXPECT_EQ(lines[2], "valid resolutions: 720x480, 720x576, 1280x720, 1440x1080, 1920x1080");
    expect_gop(18, 14);
    EXPECT_EQ(text(kS2, 1325), "AUTO");
}

TEST_F(ComplianceTest, BdOnSdSizesWantsTheirOwnRate) {
    open_video(720, 480, 25.0f, 1000);
    set_gop(36, 2);
    click(kMain, 1103);
    Lines lines = log();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "ERROR, frame rate NOT BD-COMPLIANT, should be 29.97");
    expect_gop(15, 15);

    open_video(720, 576, 25.0f, 1000);
    click(kMain, 1103);
    EXPECT_EQ(log(), Lines{"possible non-BD compliant settings fixed"});
}

TEST_F(ComplianceTest, Bd720pAtAnOtherRateIsProgressiveWithoutError) {
    open_video(1280, 720, 30.0f, 1000);
    click(kS1, 1203);
    set_gop(30, 2);
    click(kMain, 1103);
    Lines lines = log();
    for (const std::string& line : lines) EXPECT_EQ(line.find("ERROR"), std::string::npos) << line;
    EXPECT_TRUE(c.checked(kS1, 1202));
    EXPECT_TRUE(c.enabled(kS1, 1202));
    EXPECT_TRUE(c.enabled(kS2, 1317));
    expect_gop(25, 25);  // the rate step leaves other rates alone; the size allows 25
}

TEST_F(ComplianceTest, BdTurnsPanScanIntoPlainFourThree) {
    open_video(720, 576, 25.0f, 1000);
    click(kMain, 1137);
    log();
    click(kMain, 1103);
    EXPECT_TRUE(c.checked(kMain, 1134));
    EXPECT_EQ(app.settings.values.aspect, 2);
    EXPECT_FALSE(app.settings.panscan.on);
}

TEST_F(ComplianceTest, WithoutAVideoOnlyTheSettingsAreFixed) {
    click(kMain, 1103);
    EXPECT_EQ(log(), Lines{"possible non-BD compliant settings fixed"});
    click(kMain, 1102);
    EXPECT_EQ(log(), Lines{"possible non-DVD compliant settings fixed"});
    EXPECT_FALSE(c.checked(kMain, 1151));
}

}  // namespace
