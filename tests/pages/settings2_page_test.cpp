// Settings 2 page: help lines, value limits, switches and their ties, the combos with the level
// warning, and the luminance gain's hold on the adaptive matrix.
#include "pages_fixture.h"

namespace qz::pages::testing {
namespace {

using Settings2Test = SettingsPagesTest;

TEST_F(Settings2Test, EnteringABoxExplainsItAndChangesNothing) {
    for (int id : {1306, 1305, 1316, 1322, 1323, 1324}) user.enter(105, id);
    EXPECT_EQ(log(), (Lines{"tweaks the compression curve, 0 = full VBR, 100 tends to CBR",
                            "tweaks the minimum bitrate, values < 1.0 lower min bitrate, values > 1.0 raise min bitrate",
                            "sets the time in seconds before the encoding window closes (default 5 sec)",
                            "masks the number of top lines", "masks the number of bottom lines",
                            "shift the video up or down (positive = up, negative = down)"}));
    EXPECT_EQ(c.text(105, 1306), "0");
    EXPECT_EQ(c.text(105, 1305), "1.00");
}

TEST_F(Settings2Test, ValueBoxesKeepTheirLimits) {
    struct Case {
        int id;
        const char* typed;
        const char* shown;
    };
    // Bias and wait are checked on every change, the others when left.
    const Case cases[] = {
        {1306, "150", "100"}, {1306, "35", "35"},    {1306, "x", "35"},     {1316, "120", "99"},
        {1316, "", "99"},     {1305, "3", "2.00"},   {1305, "0.1", "0.50"}, {1305, "1.25", "1.25"},
        {1305, "a", "1.25"},  {1322, "7", "6"},      {1322, "-4", "0"},     {1323, "12", "12"},
        {1323, "q", "12"},    {1324, "-7", "-8"},    {1324, "5", "4"},      {1324, "2000", "1152"},
        {1324, "-2001", "-1152"},
    };
    for (const Case& k : cases) {
        type_and_leave(105, k.id, k.typed);
        EXPECT_EQ(c.text(105, k.id), k.shown) << k.id << " " << k.typed;
    }
    EXPECT_EQ(app.settings.values.bias, 35);
    EXPECT_EQ(app.settings.values.wait_seconds, 99);
    EXPECT_FLOAT_EQ(app.settings.values.min_br_factor, 1.25f);
    EXPECT_EQ(app.settings.values.mask_shift, -1152);
    EXPECT_EQ(listed("*BIAS"), "*BIAS             35");
    EXPECT_EQ(listed("*MINBRFAC"), "*MINBRFAC         1.25");
    EXPECT_EQ(listed("*WAIT"), "*WAIT             99");
    EXPECT_EQ(listed("*MASK_SHIFT"), "*MASK_SHIFT       0 12 -1152");

    // A box checked on leaving is not corrected while it is typed into.
    user.type(105, 1324, "-");
    EXPECT_EQ(c.text(105, 1324), "-");
}

TEST_F(Settings2Test, EverySwitchReportsBothWays) {
    struct Case {
        int id;
        const char* on;
        const char* off;
    };
    const Case cases[] = {
        {1312, "last I-frame turned on, last frame will be encoded as an I-frame", "last I-frame turned off"},
        {1313, "writing scene change detection file turned on, file name: outfile.scd",
         "writing scene change detection file turned off"},
        {1309, "shutdown turned on, system will shutdown in 300 sec after encoding finishes", "shutdown turned off"},
        {1310, "turns on the preview window in the encoder", "turns off the preview window in the encoder (default)"},
    };
    for (const Case& k : cases) {
        clear_log();
        user.click(105, k.id);
        user.click(105, k.id);
        EXPECT_EQ(log(), (Lines{k.on, k.off})) << k.id;
    }
    // These two start checked.
    clear_log();
    user.click(105, 1307);
    EXPECT_EQ(listed("*NOVBV"), "*NOVBV");
    user.click(105, 1307);
    user.click(105, 1308);
    EXPECT_EQ(listed("*NOSEQ_ENDCODE"), "*NOSEQ_ENDCODE");
    user.click(105, 1308);
    EXPECT_EQ(log(), (Lines{"VBV checking turned off, NOT DVD-COMPLIANT", "VBV checking turned on",
                            "sequence end code turned off, no end of sequence header will be written",
                            "sequence end code turned on, an end of sequence header will be written"}));
}

TEST_F(Settings2Test, SilentTakesThePreviewWindowAway) {
    user.click(105, 1310);
    clear_log();
    user.click(105, 1311);
    EXPECT_FALSE(c.checked(105, 1310));
    EXPECT_FALSE(c.enabled(105, 1310));
    EXPECT_EQ(log(), Lines{"turns off the encoder GUI, background encode"});
    EXPECT_EQ(listed("*PREVIEW"), "");
    user.click(105, 1311);
    EXPECT_TRUE(c.enabled(105, 1310));
    EXPECT_FALSE(c.checked(105, 1310));
    EXPECT_EQ(log().back(), "turns on the encoder GUI (default)");
}

TEST_F(Settings2Test, PsnrNeedsTheFrameLog) {
    user.click(105, 1315);
    EXPECT_TRUE(c.checked(105, 1314));
    EXPECT_EQ(listed("*FRAMELOG"), "*FRAMELOG         psnr");
    clear_log();
    user.click(105, 1314);
    EXPECT_FALSE(c.checked(105, 1315));
    EXPECT_EQ(log(), Lines{"frame logging turned off"});
    EXPECT_EQ(listed("*FRAMELOG"), "");
    user.click(105, 1314);
    EXPECT_EQ(listed("*FRAMELOG"), "*FRAMELOG");
    user.click(105, 1315);
    user.click(105, 1315);
    EXPECT_TRUE(c.checked(105, 1314));
    EXPECT_EQ(log().back(), "PSNR logging turned off");
}

TEST_F(Settings2Test, ProgressiveSequenceSelectsBottomFieldFirst) {
    user.click(104, 1202);
    clear_log();
    user.click(105, 1317);
    EXPECT_TRUE(c.checked(104, 1206));
    EXPECT_FALSE(c.checked(104, 1205));
    user.click(105, 1317);
    user.click(105, 1317);
    EXPECT_EQ(log(), (Lines{"set the progressive flag in the sequence extension header, TFF flag cleared",
                            "clear the progressive flag in the sequence extension header",
                            "set the progressive flag in the sequence extension header"}));
    EXPECT_EQ(listed("*PROG_SEQ"), "*PROG_SEQ");
}

TEST_F(Settings2Test, CombosKeepTheirCodes) {
    user.pick(105, 1329, "TABLE 15");
    user.pick(105, 1328, "BT.470-2M");
    user.pick(105, 1325, "MP@HL");
    EXPECT_EQ(log(), (Lines{"Intra blocks will use Table 15 for Variable Length Coding", "stream flagged as ITU-R BT.470-2 System M",
                            "level set to MP@HL, max. resolution 1920x1152, NOT DVD_COMPLIANT"}));
    EXPECT_EQ(app.settings.values.intra_vlc, 1);
    EXPECT_EQ(app.settings.values.colour, 4);
    EXPECT_EQ(app.settings.values.mpeg_level, 3);
    EXPECT_EQ(listed("*INTRAVLC"), "*INTRAVLC         1");
    EXPECT_EQ(listed("*COLOUR"), "*COLOUR           4");
    EXPECT_EQ(listed("*MPEGLEVEL"), "*MPEGLEVEL        MP@HL");

    user.pick(105, 1328, "DEFAULT");
    EXPECT_EQ(app.settings.values.colour, 0);
    EXPECT_EQ(listed("*COLOUR"), "");
}

TEST_F(Settings2Test, DefaultColorimetryWarnsUnder43PanScan) {
    c.check_radio(103, 1137);
    clear_log();
    user.pick(105, 1328, "DEFAULT");
    EXPECT_EQ(log(), (Lines{"colorimetry not flagged, Sequence Display Extension header is not written",
                            "WARNING: colorimetry must be flagged using 4:3 panscan"}));
    c.check_radio(103, 1135);
    user.pick(105, 1328, "DEFAULT");
    EXPECT_EQ(log().back(), "colorimetry not flagged, Sequence Display Extension header is not written");
}

TEST_F(Settings2Test, LevelWarningFollowsTheVideoWidth) {
    struct Case {
        int width;
        const char* level;
        bool warns;
    };
    const Case cases[] = {
        {1920, "MP@ML", true},  {1920, "MP@H-14", true},  {1920, "MP@HL", false}, {1920, "AUTO", false},
        {1440, "MP@ML", true},  {1440, "MP@H-14", false}, {1280, "MP@ML", true},  {1280, "MP@H-14", false},
        {720, "MP@ML", false},  {0, "MP@ML", false},
    };
    for (const Case& k : cases) {
        if (k.width > 0) open_video(k.width, 1080, 100);
        else app.video.clear_properties();
        clear_log();
        user.pick(105, 1325, k.level);
        ASSERT_FALSE(log().empty());
        bool warned = log().back() == "WARNING, level incompatible with resolution";
        EXPECT_EQ(warned, k.warns) << k.width << " " << k.level;
        EXPECT_EQ(log().size(), k.warns ? 2u : 1u) << k.width << " " << k.level;
    }
}

TEST_F(Settings2Test, LuminanceGainHoldsTheAdaptiveMatrixOff) {
    user.click(107, 1507);
    ASSERT_TRUE(c.checked(107, 1507));
    clear_log();
    user.slide(105, 1320, 2);
    EXPECT_EQ(c.text(105, 1321), "2");
    EXPECT_FALSE(c.checked(107, 1507));
    EXPECT_FALSE(c.enabled(107, 1507));
    EXPECT_EQ(log(), (Lines{"moderate matrix change on dark scenes", "adaptive matrix disabled"}));
    EXPECT_EQ(listed("*LUMGAIN"), "*LUMGAIN          2");
    EXPECT_EQ(listed("*ADAPTIVEMATRIX"), "");

    clear_log();
    user.slide(105, 1320, 4);
    EXPECT_EQ(log(), Lines{"hit dark scenes real hard..."});
    user.click(107, 1507);  // disabled: nothing happens
    EXPECT_FALSE(c.checked(107, 1507));

    clear_log();
    user.slide(105, 1320, 0);
    EXPECT_TRUE(c.enabled(107, 1507));
    EXPECT_FALSE(c.checked(107, 1507));
    EXPECT_EQ(log(), Lines{"no change on dark scenes"});
    EXPECT_EQ(listed("*LUMGAIN"), "");

    // Without the adaptive matrix checked, a gain only disables it.
    clear_log();
    user.slide(105, 1320, 1);
    EXPECT_EQ(log(), Lines{"mild matrix change on dark scenes"});
    user.slide(105, 1320, 3);
    EXPECT_EQ(log().back(), "heavy matrix change on dark scenes");
}

}  // namespace
}  // namespace qz::pages::testing
