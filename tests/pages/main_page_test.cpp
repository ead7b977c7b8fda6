// The Main page's buttons, radios and switches: their lines in the Message log and what they change on
// the other pages.
#include "main_page_fixture.h"

namespace {

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
        ASSERT_EQ(user.spin(kMain, 1155, k.position), ui::ActionResult::Done);
        EXPECT_EQ(main_text(1154), std::to_string(k.position));
        EXPECT_EQ(log(), Lines{k.line}) << k.position;
    }
    // The up-down keeps to its range 8 to 18.
    user.spin(kMain, 1155, 40);
    EXPECT_EQ(main_text(1154), "18");
    EXPECT_EQ(log(), Lines{"GOP length only valid for 29.97 NTSC"});
}

TEST_F(MainPageTest, TypedAutomaticGopLengthIsWhereTheUpDownContinues) {
    user.type(kMain, 1154, "12");
    EXPECT_EQ(c.pos(kMain, 1155), 12);
    user.type(kMain, 1154, "abc");
    EXPECT_EQ(c.pos(kMain, 1155), 12);
    EXPECT_TRUE(log().empty());
}

TEST_F(MainPageTest, AutogopSwitchesBetweenItsBoxAndTheGopBoxesOfSettings1) {
    click(kMain, 1153);
    EXPECT_EQ(log(), Lines{"autogop turned off, you can change GOP settings in Settings 1 tab"});
    for (int id : {1154, 1155}) EXPECT_FALSE(c.enabled(kMain, id)) << id;
    for (int id : {1207, 1208, 1209, 1210}) EXPECT_TRUE(c.enabled(kS1, id)) << id;
    click(kMain, 1153);
    EXPECT_EQ(log(), Lines{"autogop turned on, variable B frames"});
    for (int id : {1154, 1155}) EXPECT_TRUE(c.enabled(kMain, id)) << id;
    for (int id : {1207, 1208, 1209, 1210}) EXPECT_FALSE(c.enabled(kS1, id)) << id;
}

TEST_F(MainPageTest, OnePassVbrOverConstantQuantisationWritesTwoLines) {
    c.set_checked(kS1, 1211, true);
    c.set_checked(kS1, 1214, true);
    for (int id : {1212, 1213, 1214, 1216, 1217, 1218}) c.set_enabled(kS1, id, true);
    c.set_enabled(kS2, 1306, false);
    click(kMain, 1157);
    EXPECT_EQ(log(), (Lines{"1 pass Variable BitRate turned on", "Constant Quantization turned off"}));
    EXPECT_FALSE(c.checked(kS1, 1211));
    EXPECT_FALSE(c.enabled(kS1, 1211));
    // Constant quantisation is off with everything that belongs to it.
    EXPECT_FALSE(c.checked(kS1, 1214));
    for (int id : {1212, 1213, 1214, 1216, 1217, 1218}) EXPECT_FALSE(c.enabled(kS1, id)) << id;
    EXPECT_TRUE(c.checked(kMain, 1120));
    for (int id : {1120, 1121, 1123, 1124}) EXPECT_TRUE(c.enabled(kMain, id)) << id;
    EXPECT_FALSE(c.enabled(kMain, 1122));
    EXPECT_TRUE(c.enabled(kS2, 1306));

    click(kMain, 1157);
    EXPECT_EQ(log(), Lines{"1 pass Variable BitRate turned off"});
    EXPECT_TRUE(c.enabled(kS1, 1211));
    EXPECT_FALSE(c.checked(kS1, 1211));
}

TEST_F(MainPageTest, OnePassVbrWithoutConstantQuantisationWritesOneLine) {
    click(kMain, 1157);
    EXPECT_EQ(log(), Lines{"1 pass Variable BitRate turned on"});
    EXPECT_FALSE(c.enabled(kS1, 1211));
}

TEST_F(MainPageTest, PanScanAspectSetsItsColorimetryAndLeavingItResetsIt) {
    open_video(720, 576, 25.0f, 1000);
    click(kMain, 1137);
    EXPECT_EQ(log(), Lines{"aspect ratio set to 4:3 panscan, colorimetry set to BT.470-2BG"});
    EXPECT_EQ(text(kS2, 1328), "BT.470-2BG");
    EXPECT_EQ(app.settings.values.colour, 5);
    EXPECT_EQ(app.settings.values.aspect, 5);
    EXPECT_TRUE(app.settings.panscan.on);

    click(kMain, 1135);
    EXPECT_EQ(log(), (Lines{"aspect ratio set to 16:9", "colorimetry reset to default"}));
    EXPECT_EQ(text(kS2, 1328), "DEFAULT");
    EXPECT_EQ(app.settings.values.colour, 0);
    EXPECT_EQ(app.settings.values.aspect, 3);
    EXPECT_FALSE(app.settings.panscan.on);

    // From another aspect, no colorimetry line and the colorimetry chosen stays.
    app.settings.values.colour = 1;
    c.select_item(kS2, 1328, "BT.709");
    click(kMain, 1134);
    click(kMain, 1135);
    EXPECT_EQ(log(), (Lines{"aspect ratio set to 4:3", "aspect ratio set to 16:9"}));
    EXPECT_EQ(text(kS2, 1328), "BT.709");
    EXPECT_EQ(app.settings.values.colour, 1);
}

TEST_F(MainPageTest, BitrateEntryModeEnablesItsBoxes) {
    open_video(720, 576, 25.0f, 1000);
    click(kMain, 1121);
    EXPECT_EQ(log(), Lines{"please set file length and maximum bitrate"});
    EXPECT_TRUE(c.enabled(kMain, 1122));
    EXPECT_FALSE(c.enabled(kMain, 1123));
    EXPECT_TRUE(c.enabled(kMain, 1124));
    click(kMain, 1120);
    EXPECT_EQ(log(), Lines{"please set average and maximum bitrate"});
    EXPECT_FALSE(c.enabled(kMain, 1122));
    EXPECT_TRUE(c.enabled(kMain, 1123));
    EXPECT_TRUE(c.enabled(kMain, 1124));
}

TEST_F(MainPageTest, PulldownTakesTheInterlacingChoicesAndGivesThemBack) {
    open_video(720, 480, 23.976f, 1000);
    click(kS1, 1203);  // "interlaced"
    click(kS1, 1206);  // "BFF"
    log();
    click(kMain, 1151);
    EXPECT_EQ(log(), (Lines{"pulldown turned on, set flags for 23.976 --> 29.97 fps, interlaced is disabled",
                            "if your source is interlaced please de-interlace it first",
                            "if input rate is not equal to 23.976, setting is ignored"}));
    EXPECT_TRUE(c.checked(kS1, 1202));
    for (int id : {1201, 1202, 1203, 1204}) EXPECT_FALSE(c.enabled(kS1, id)) << id;
    // "progressive sequence" is usable with progressive frames, as after loading the file this saves.
    EXPECT_TRUE(c.enabled(kS2, 1317));
    click(kS2, 1317);

    click(kMain, 1151);
    EXPECT_EQ(log(), (Lines{"set the progressive flag in the sequence extension header",  // BFF was on
                            "pulldown turned off, interlacing options set to default"}));
    EXPECT_TRUE(c.checked(kS1, 1201));
    EXPECT_TRUE(c.checked(kS1, 1205));
    EXPECT_FALSE(c.checked(kS1, 1206));
    for (int id : {1201, 1202, 1203, 1204}) EXPECT_TRUE(c.enabled(kS1, id)) << id;
    EXPECT_FALSE(c.checked(kS2, 1317));  // as under "auto detect"
    EXPECT_FALSE(c.enabled(kS2, 1317));
}

TEST_F(MainPageTest, SmpLinesNameTheProcessorCount) {
    click(kMain, 1150);
    click(kMain, 1150);
    EXPECT_EQ(log(), (Lines{"SMP (Symmetric MultiProcessing) turned off, nr. of processors detected: 4",
                            "SMP (Symmetric MultiProcessing) turned on, nr. of processors detected: 4"}));
}

TEST_F(MainPageTest, ResetRestoresDefaultsAndTheWholeVideo) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(1126, "100");
    enter_field(1123, "6000");
    click(kMain, 1132);
    click(kMain, 1153);
    log();
    click(kMain, 1101);
    EXPECT_EQ(log(), Lines{"all values reset to default"});
    EXPECT_EQ(main_text(1126), "0");
    EXPECT_EQ(main_text(1167), "1000");
    EXPECT_EQ(main_text(1123), "4000");
    EXPECT_TRUE(c.checked(kMain, 1131));
    EXPECT_TRUE(c.checked(kMain, 1153));
}

TEST_F(MainPageTest, AllFramesTakesTheWholeVideo) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(1126, "100");
    enter_field(1127, "199");
    EXPECT_EQ(main_text(1167), "100");
    log();
    click(kMain, 1125);
    EXPECT_EQ(log(), Lines{"frame range set to all frames in video"});
    EXPECT_EQ(main_text(1126), "0");
    EXPECT_EQ(main_text(1127), "999");
    EXPECT_EQ(main_text(1167), "1000");
    EXPECT_EQ(main_text(1165), "40.00");
    EXPECT_EQ(app.settings.values.frames_to_encode, 1000);
}

}  // namespace
