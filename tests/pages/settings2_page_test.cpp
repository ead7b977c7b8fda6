// Settings 2 page: help lines, value limits, switches and their ties, the combos with the level
// warning, and the luminance gain's hold on the adaptive matrix.
#include "pages_fixture.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

namespace qz::pages::testing {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kMatrixPage;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::matrix_ids;

namespace {

using Settings2Test = SettingsPagesTest;

TEST_F(Settings2Test, EnteringABoxExplainsItAndChangesNothing) {
    for (int id : {kVbrBiasBox, kMinBitrateFactorBox, kWaitBox, kMaskTopBox, kMaskBottomBox, kShiftLinesBox})
        user.enter(kSettings2Page, id);
    EXPECT_EQ(log(), (Lines{"tweaks the compression curve, 0 = full VBR, 100 tends to CBR",
                            "tweaks the minimum bitrate, values < 1.0 lower min bitrate, values > 1.0 raise min bitrate",
                            "sets the time in seconds before the encoding window closes (default 5 sec)",
                            "masks the number of top lines", "masks the number of bottom lines",
                            "shift the video up or down (positive = up, negative = down)"}));
    EXPECT_EQ(c.text(kSettings2Page, kVbrBiasBox), "0");
    EXPECT_EQ(c.text(kSettings2Page, kMinBitrateFactorBox), "1.00");
}

TEST_F(Settings2Test, ValueBoxesKeepTheirLimits) {
    struct Case {
        int id;
        const char* typed;
        const char* shown;
    };
    // Bias and wait are checked on every change, the others when left.
    const Case cases[] = {
        {kVbrBiasBox, "150", "100"},
        {kVbrBiasBox, "35", "35"},
        {kVbrBiasBox, "x", "35"},
        {kWaitBox, "120", "99"},
        {kWaitBox, "", "99"},
        {kMinBitrateFactorBox, "3", "2.00"},
        {kMinBitrateFactorBox, "0.1", "0.50"},
        {kMinBitrateFactorBox, "1.25", "1.25"},
        {kMinBitrateFactorBox, "a", "1.25"},
        {kMaskTopBox, "7", "6"},
        {kMaskTopBox, "-4", "0"},
        {kMaskBottomBox, "12", "12"},
        {kMaskBottomBox, "q", "12"},
        {kShiftLinesBox, "-7", "-8"},
        {kShiftLinesBox, "5", "4"},
        {kShiftLinesBox, "2000", "1152"},
        {kShiftLinesBox, "-2001", "-1152"},
    };
    for (const Case& k : cases) {
        type_and_leave(kSettings2Page, k.id, k.typed);
        EXPECT_EQ(c.text(kSettings2Page, k.id), k.shown) << k.id << " " << k.typed;
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
    user.type(kSettings2Page, kShiftLinesBox, "-");
    EXPECT_EQ(c.text(kSettings2Page, kShiftLinesBox), "-");
}

TEST_F(Settings2Test, EverySwitchReportsBothWays) {
    struct Case {
        int id;
        const char* on;
        const char* off;
    };
    const Case cases[] = {
        {kLastIFrameCheck, "last I-frame turned on, last frame will be encoded as an I-frame",
         "last I-frame turned off"},
        {kScdFileCheck, "writing scene change detection file turned on, file name: outfile.scd",
         "writing scene change detection file turned off"},
        {kShutdownCheck, "shutdown turned on, system will shutdown in 300 sec after encoding finishes",
         "shutdown turned off"},
        {kPreviewCheck, "turns on the preview window in the encoder",
         "turns off the preview window in the encoder (default)"},
    };
    for (const Case& k : cases) {
        clear_log();
        user.click(kSettings2Page, k.id);
        user.click(kSettings2Page, k.id);
        EXPECT_EQ(log(), (Lines{k.on, k.off})) << k.id;
    }
    // These two start checked.
    clear_log();
    user.click(kSettings2Page, kVbvCheck);
    EXPECT_EQ(listed("*NOVBV"), "*NOVBV");
    user.click(kSettings2Page, kVbvCheck);
    user.click(kSettings2Page, kSeqEndcodeCheck);
    EXPECT_EQ(listed("*NOSEQ_ENDCODE"), "*NOSEQ_ENDCODE");
    user.click(kSettings2Page, kSeqEndcodeCheck);
    EXPECT_EQ(log(), (Lines{"VBV checking turned off, NOT DVD-COMPLIANT", "VBV checking turned on",
                            "sequence end code turned off, no end of sequence header will be written",
                            "sequence end code turned on, an end of sequence header will be written"}));
}

TEST_F(Settings2Test, SilentTakesThePreviewWindowAway) {
    user.click(kSettings2Page, kPreviewCheck);
    clear_log();
    user.click(kSettings2Page, kSilentCheck);
    EXPECT_FALSE(c.checked(kSettings2Page, kPreviewCheck));
    EXPECT_FALSE(c.enabled(kSettings2Page, kPreviewCheck));
    EXPECT_EQ(log(), Lines{"turns off the encoder GUI, background encode"});
    EXPECT_EQ(listed("*PREVIEW"), "");
    user.click(kSettings2Page, kSilentCheck);
    EXPECT_TRUE(c.enabled(kSettings2Page, kPreviewCheck));
    EXPECT_FALSE(c.checked(kSettings2Page, kPreviewCheck));
    EXPECT_EQ(log().back(), "turns on the encoder GUI (default)");
}

TEST_F(Settings2Test, PsnrNeedsTheFrameLog) {
    user.click(kSettings2Page, kPsnrCheck);
    EXPECT_TRUE(c.checked(kSettings2Page, kFrameLogCheck));
    EXPECT_EQ(listed("*FRAMELOG"), "*FRAMELOG         psnr");
    clear_log();
    user.click(kSettings2Page, kFrameLogCheck);
    EXPECT_FALSE(c.checked(kSettings2Page, kPsnrCheck));
    EXPECT_EQ(log(), Lines{"frame logging turned off"});
    EXPECT_EQ(listed("*FRAMELOG"), "");
    user.click(kSettings2Page, kFrameLogCheck);
    EXPECT_EQ(listed("*FRAMELOG"), "*FRAMELOG");
    user.click(kSettings2Page, kPsnrCheck);
    user.click(kSettings2Page, kPsnrCheck);
    EXPECT_TRUE(c.checked(kSettings2Page, kFrameLogCheck));
    EXPECT_EQ(log().back(), "PSNR logging turned off");
}

TEST_F(Settings2Test, ProgressiveSequenceSelectsBottomFieldFirst) {
    user.click(kSettings1Page, kProgressiveRadio);
    clear_log();
    user.click(kSettings2Page, kProgressiveSequenceCheck);
    EXPECT_TRUE(c.checked(kSettings1Page, kBffRadio));
    EXPECT_FALSE(c.checked(kSettings1Page, kTffRadio));
    user.click(kSettings2Page, kProgressiveSequenceCheck);
    user.click(kSettings2Page, kProgressiveSequenceCheck);
    EXPECT_EQ(log(), (Lines{"set the progressive flag in the sequence extension header, TFF flag cleared",
                            "clear the progressive flag in the sequence extension header",
                            "set the progressive flag in the sequence extension header"}));
    EXPECT_EQ(listed("*PROG_SEQ"), "*PROG_SEQ");
}

TEST_F(Settings2Test, CombosKeepTheirCodes) {
    user.pick(kSettings2Page, kIntraVlcCombo, "TABLE 15");
    user.pick(kSettings2Page, kColorimetryCombo, "BT.470-2M");
    user.pick(kSettings2Page, kMpegLevelCombo, "MP@HL");
    EXPECT_EQ(log(), (Lines{"Intra blocks will use Table 15 for Variable Length Coding", "stream flagged as ITU-R BT.470-2 System M",
                            "level set to MP@HL, max. resolution 1920x1152, NOT DVD_COMPLIANT"}));
    EXPECT_EQ(app.settings.values.intra_vlc, 1);
    EXPECT_EQ(app.settings.values.colour, 4);
    EXPECT_EQ(app.settings.values.mpeg_level, 3);
    EXPECT_EQ(listed("*INTRAVLC"), "*INTRAVLC         1");
    EXPECT_EQ(listed("*COLOUR"), "*COLOUR           4");
    EXPECT_EQ(listed("*MPEGLEVEL"), "*MPEGLEVEL        MP@HL");

    user.pick(kSettings2Page, kColorimetryCombo, "DEFAULT");
    EXPECT_EQ(app.settings.values.colour, 0);
    EXPECT_EQ(listed("*COLOUR"), "");
}

TEST_F(Settings2Test, DefaultColorimetryWarnsUnder43PanScan) {
    c.check_radio(kMainPage, kAspectPanScanRadio);
    clear_log();
    user.pick(kSettings2Page, kColorimetryCombo, "DEFAULT");
    EXPECT_EQ(log(), (Lines{"colorimetry not flagged, Sequence Display Extension header is not written",
                            "WARNING: colorimetry must be flagged using 4:3 panscan"}));
    c.check_radio(kMainPage, kAspect16To9Radio);
    user.pick(kSettings2Page, kColorimetryCombo, "DEFAULT");
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
        user.pick(kSettings2Page, kMpegLevelCombo, k.level);
        ASSERT_FALSE(log().empty());
        bool warned = log().back() == "WARNING, level incompatible with resolution";
        EXPECT_EQ(warned, k.warns) << k.width << " " << k.level;
        EXPECT_EQ(log().size(), k.warns ? 2u : 1u) << k.width << " " << k.level;
    }
}

TEST_F(Settings2Test, LuminanceGainHoldsTheAdaptiveMatrixOff) {
    user.click(kMatrixPage, kAdaptiveMatrixCheck);
    ASSERT_TRUE(c.checked(kMatrixPage, kAdaptiveMatrixCheck));
    clear_log();
    user.slide(kSettings2Page, kLuminanceGainSlider, 2);
    EXPECT_EQ(c.text(kSettings2Page, kLuminanceGainBox), "2");
    EXPECT_FALSE(c.checked(kMatrixPage, kAdaptiveMatrixCheck));
    EXPECT_FALSE(c.enabled(kMatrixPage, kAdaptiveMatrixCheck));
    EXPECT_EQ(log(), (Lines{"moderate matrix change on dark scenes", "adaptive matrix disabled"}));
    EXPECT_EQ(listed("*LUMGAIN"), "*LUMGAIN          2");
    EXPECT_EQ(listed("*ADAPTIVEMATRIX"), "");

    clear_log();
    user.slide(kSettings2Page, kLuminanceGainSlider, 4);
    EXPECT_EQ(log(), Lines{"hit dark scenes real hard..."});
    user.click(kMatrixPage, kAdaptiveMatrixCheck);  // disabled: nothing happens
    EXPECT_FALSE(c.checked(kMatrixPage, kAdaptiveMatrixCheck));

    clear_log();
    user.slide(kSettings2Page, kLuminanceGainSlider, 0);
    EXPECT_TRUE(c.enabled(kMatrixPage, kAdaptiveMatrixCheck));
    EXPECT_FALSE(c.checked(kMatrixPage, kAdaptiveMatrixCheck));
    EXPECT_EQ(log(), Lines{"no change on dark scenes"});
    EXPECT_EQ(listed("*LUMGAIN"), "");

    // Without the adaptive matrix checked, a gain only disables it.
    clear_log();
    user.slide(kSettings2Page, kLuminanceGainSlider, 1);
    EXPECT_EQ(log(), Lines{"mild matrix change on dark scenes"});
    user.slide(kSettings2Page, kLuminanceGainSlider, 3);
    EXPECT_EQ(log().back(), "heavy matrix change on dark scenes");
}

}  // namespace
}  // namespace qz::pages::testing
