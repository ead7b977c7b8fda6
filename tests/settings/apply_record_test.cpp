#include "settings/value_text.h"
#include "settings_fixture.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace qz::settings::testing {

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

using ApplyTest = PagesTest;

TEST_F(ApplyTest, NoMarksLeaveTheDefaults) {
    apply();
    expect_radio(kSettings1Page, kAutoDetectRadio);
    expect_radio(kSettings1Page, kTffRadio);
    expect_radio(kSettings1Page, kChromaProgressiveRadio);
    EXPECT_FALSE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
    expect_text(kMainPage, kAverageBitrateBox, "4000");
    expect_text(kMainPage, kMaxBitrateBox, "8000");
    EXPECT_TRUE(c.checked(kMainPage, kAutoGopCheck));
    expect_text(kSettings1Page, kBFramesBox, "2");
    expect_spin(kSettings1Page, kBFramesSpin, 0, 2, 2);
    EXPECT_FALSE(c.checked(kSettings2Page, kAllow3BFramesCheck));
    expect_text(kMatrixPage, kBuiltInCombo, "MPEG");
    // The output button is always usable after a load, the log button only with an input name.
    EXPECT_TRUE(c.enabled(kMainPage, kOutputButton));
    EXPECT_FALSE(c.enabled(kMainPage, kLogButton));
}

TEST_F(ApplyTest, InterlacingAndFieldOrder) {
    struct Case {
        std::vector<Keyword> marks;
        int interlacing, field_order;
        bool sequence_enabled, sequence_checked;  // "progressive sequence"
    };
    const Case cases[] = {
        {{kInterlaced, kBff}, kInterlacedRadio, kBffRadio, false, false},
        {{kDvSource}, kDvSourceRadio, kBffRadio, false, false},
        {{kDvSource, kTff}, kDvSourceRadio, kTffRadio, false, false},
        {{kBff}, kAutoDetectRadio, kBffRadio, false, false},
        {{kProgressive, kProgSeq}, kProgressiveRadio, kTffRadio, true, true},
        {{kProgressive, kBff}, kProgressiveRadio, kBffRadio, true, false},
        {{kProgressive, kTff, kBff}, kProgressiveRadio, kBffRadio, true, false},
        {{kProgSeq}, kAutoDetectRadio, kTffRadio, false, false},  // a progressive sequence needs "progressive"
        {{kProgressive, kProgSeq, kInterlaced}, kInterlacedRadio, kTffRadio, false, false},
    };
    for (const Case& k : cases) {
        s.clear_given();
        reset_to_defaults(app);
        for (Keyword mark : k.marks) give(mark);
        apply();
        SCOPED_TRACE(::testing::Message() << "marks starting with " << k.marks[0]);
        expect_radio(kSettings1Page, k.interlacing);
        expect_radio(kSettings1Page, k.field_order);
        EXPECT_EQ(c.enabled(kSettings2Page, kProgressiveSequenceCheck), k.sequence_enabled);
        EXPECT_EQ(c.checked(kSettings2Page, kProgressiveSequenceCheck), k.sequence_checked);
    }
}

TEST_F(ApplyTest, PulldownForcesProgressiveAndLocksTheInterlacingChoice) {
    give(kPulldown);
    give(kInterlaced);
    apply();
    EXPECT_TRUE(c.checked(kMainPage, kPulldownCheck));
    expect_radio(kSettings1Page, kProgressiveRadio);
    expect_enabled(kSettings1Page, {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio}, false);
    expect_enabled(kSettings1Page, {kTffRadio, kBffRadio}, true);

    // The next load without pulldown unlocks the choice again.
    s.clear_given();
    reset_to_defaults(app);
    apply();
    expect_enabled(kSettings1Page, {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio}, true);
    expect_radio(kSettings1Page, kAutoDetectRadio);
}

TEST_F(ApplyTest, ThreeBFramesAreAppliedBeforeTheGop) {
    give(kB3);
    give(kGop);
    s.values.gop_length = 12;
    s.values.gop_b_frames = 3;
    s.values.automatic_gop = false;
    apply();
    EXPECT_EQ(s.max_b_frames, 3);
    EXPECT_TRUE(c.checked(kSettings2Page, kAllow3BFramesCheck));
    expect_spin(kSettings1Page, kBFramesSpin, 0, 3, 3);
    expect_text(kSettings1Page, kBFramesBox, "3");
    expect_text(kSettings1Page, kGopLengthBox, "12");
    EXPECT_EQ(c.pos(kSettings1Page, kGopLengthSpin), 12);
    EXPECT_FALSE(c.checked(kMainPage, kAutoGopCheck));
    expect_enabled(kSettings1Page, {kBFramesBox, kGopLengthBox, kGopLengthSpin, kBFramesSpin}, true);
    expect_enabled(kMainPage, {kAutoGopBox, kAutoGopSpin}, false);
}

TEST_F(ApplyTest, GopValuesAreLimitedToTheSpinRanges) {
    give(kGop);
    s.values.gop_length = 40;
    s.values.gop_b_frames = 3;  // without *B3 at most 2
    s.values.automatic_gop = false;
    apply();
    expect_text(kSettings1Page, kGopLengthBox, "36");
    expect_text(kSettings1Page, kBFramesBox, "2");
    expect_spin(kSettings1Page, kBFramesSpin, 0, 2, 2);
    EXPECT_EQ(s.values.gop_b_frames, 2);
}

TEST_F(ApplyTest, ThreeBFramesWithoutAGopShowThree) {
    give(kB3);
    apply();
    expect_text(kSettings1Page, kBFramesBox, "3");
    expect_spin(kSettings1Page, kBFramesSpin, 0, 3, 3);
    EXPECT_TRUE(c.checked(kMainPage, kAutoGopCheck));  // automatic GOP stays on
}

TEST_F(ApplyTest, AutomaticGopShowsItsLengthAndTheLaterGopLineWins) {
    give(kAutoGop);
    s.values.autogop = 12;
    apply();
    EXPECT_TRUE(c.checked(kMainPage, kAutoGopCheck));
    expect_text(kMainPage, kAutoGopBox, "12");
    EXPECT_EQ(c.pos(kMainPage, kAutoGopSpin), 12);
    expect_enabled(kMainPage, {kAutoGopBox, kAutoGopSpin}, true);

    give(kGop);
    s.values.automatic_gop = false;  // the *GOP line came after the *AUTOGOP line
    apply();
    EXPECT_FALSE(c.checked(kMainPage, kAutoGopCheck));
    expect_enabled(kSettings1Page, {kBFramesBox, kGopLengthBox, kGopLengthSpin, kBFramesSpin}, true);
    expect_enabled(kMainPage, {kAutoGopBox, kAutoGopSpin}, false);
}

TEST_F(ApplyTest, MaximumBitrateIsRaisedToTheAverage) {
    give(kBitrate);
    give(kMaxBitrate);
    s.values.bitrate = 5000;
    s.values.max_bitrate = 3000;
    apply();
    expect_text(kMainPage, kAverageBitrateBox, "5000");
    expect_text(kMainPage, kMaxBitrateBox, "5000");
    EXPECT_EQ(s.values.max_bitrate, 5000);
}

TEST_F(ApplyTest, AnAverageAboveTheDefaultMaximumRaisesItToo) {
    give(kBitrate);
    s.values.bitrate = 9500;
    apply();
    expect_text(kMainPage, kAverageBitrateBox, "9500");
    expect_text(kMainPage, kMaxBitrateBox, "9500");

    reset_to_defaults(app);
    s.clear_given();
    give(kBitrate);
    s.values.bitrate = 6000;
    apply();
    expect_text(kMainPage, kMaxBitrateBox, "8000");
}

TEST_F(ApplyTest, ConstantQuantisationWithoutMaximumBitrateCheck) {
    s.input_valid = true;
    reset_to_defaults(app);
    give(kCq);
    s.values.cq = 4.0f;
    apply();
    EXPECT_TRUE(c.checked(kSettings1Page, kConstantQuantisationCheck));
    expect_text(kSettings1Page, kQuantiserBox, "4.000");
    EXPECT_FALSE(c.checked(kSettings1Page, kMaxBitrateCheck));
    expect_enabled(kSettings1Page,
                   {kQuantiserBox, kPFactorBox, kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin}, true);
    expect_enabled(kMainPage,
                   {kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox, kAverageBitrateBox, kMaxBitrateBox}, false);
}

TEST_F(ApplyTest, ConstantQuantisationWithMaximumBitrateCheckKeepsTheMaximum) {
    s.input_valid = true;
    reset_to_defaults(app);
    give(kCqMaxBitrate);
    s.values.cq = 40.0f;  // beyond what the quantiser box accepts
    s.values.cq_max_bitrate = true;
    apply();
    EXPECT_TRUE(c.checked(kSettings1Page, kConstantQuantisationCheck));
    EXPECT_TRUE(c.checked(kSettings1Page, kMaxBitrateCheck));
    expect_text(kSettings1Page, kQuantiserBox, "31.000");
    expect_enabled(kMainPage, {kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox, kAverageBitrateBox}, false);
    EXPECT_TRUE(c.enabled(kMainPage, kMaxBitrateBox));
}

TEST_F(ApplyTest, QuantiserFactorsSnapToTheSpinScale) {
    give(kCqPFactor);
    give(kCqBFactor);
    s.values.cq_p_factor = 1.33f;
    s.values.cq_b_factor = 9.0f;
    apply();
    expect_text(kSettings1Page, kPFactorBox, "1.30");
    EXPECT_EQ(c.pos(kSettings1Page, kPFactorSpin), 15);
    expect_text(kSettings1Page, kBFactorBox, "4.00");
    EXPECT_EQ(c.pos(kSettings1Page, kBFactorSpin), 32);
    EXPECT_FLOAT_EQ(s.values.cq_p_factor, 1.3f);
}

TEST_F(ApplyTest, DeadZoneZeroZeroIsOff) {
    give(kDeadZone);
    s.values.dead_zone_intra = 0;
    s.values.dead_zone_non_intra = 0;
    apply();
    expect_radio(kSettings1Page, kDeadZoneOffRadio);
    expect_enabled(kSettings1Page, {kDeadZoneIntraBox, kDeadZoneNonIntraBox}, false);

    s.values.dead_zone_intra = 3;
    s.values.dead_zone_non_intra = 0;
    apply();
    expect_radio(kSettings1Page, kDeadZoneValuesRadio);
    expect_enabled(kSettings1Page, {kDeadZoneIntraBox, kDeadZoneNonIntraBox}, true);
    expect_text(kSettings1Page, kDeadZoneIntraBox, "3");
    expect_text(kSettings1Page, kDeadZoneNonIntraBox, "0");
}

TEST_F(ApplyTest, SilentTurnsThePreviewOffEvenWhenGiven) {
    give(kPreview);
    give(kSilent);
    apply();
    EXPECT_TRUE(c.checked(kSettings2Page, kSilentCheck));
    EXPECT_FALSE(c.checked(kSettings2Page, kPreviewCheck));
    EXPECT_FALSE(c.enabled(kSettings2Page, kPreviewCheck));
}

TEST_F(ApplyTest, FrameRangeRaisesTheLastFrameToTheFirst) {
    give(kFrames);
    s.values.first_frame = 500;
    s.values.last_frame = 100;
    apply();
    expect_text(kMainPage, kStartFrameBox, "500");
    expect_text(kMainPage, kEndFrameBox, "500");
    EXPECT_EQ(s.values.frames_to_encode, 1);

    s.values.first_frame = 10;
    s.values.last_frame = 109;
    apply();
    EXPECT_EQ(s.values.frames_to_encode, 100);
}

// The widest range a file can name holds one frame more than a 32-bit count: the count stops at the
// largest it can be (and under UBSan no arithmetic overflows on the way).
TEST_F(ApplyTest, TheWidestFrameRangeCountsWithoutOverflow) {
    give(kFrames);
    s.values.first_frame = 0;
    s.values.last_frame = INT32_MAX;
    apply();
    expect_text(kMainPage, kStartFrameBox, "0");
    expect_text(kMainPage, kEndFrameBox, "2147483647");
    EXPECT_EQ(s.values.frames_to_encode, INT32_MAX);
}

TEST_F(ApplyTest, MatrixChoices) {
    give(kCustomMatrix);
    apply();
    expect_radio(kMatrixPage, kCustomRadio);
    EXPECT_EQ(s.matrix_number, 0);
    EXPECT_FALSE(c.enabled(kMatrixPage, kBuiltInCombo));
    expect_enabled(kMatrixPage, {kLoadButton, kSaveMtxButton, kSaveCqmButton, intra_cell(1), kLastNonIntraCell}, true);
    EXPECT_FALSE(c.enabled(kMatrixPage, kFirstIntraCell));  // the intra DC value is always 8

    reset_to_defaults(app);
    s.clear_given();
    give(kMatrix);
    s.matrix_number = 12;
    apply();
    expect_radio(kMatrixPage, kBuiltInRadio);
    expect_text(kMatrixPage, kBuiltInCombo, "QZLOW");
    EXPECT_TRUE(c.enabled(kMatrixPage, kBuiltInCombo));
    expect_enabled(kMatrixPage, {kLoadButton, kSaveMtxButton, kSaveCqmButton, intra_cell(1)}, false);
}

TEST_F(ApplyTest, CheckBoxesAreSetOrClearedByTheirKeyword) {
    for (Keyword k : {kOnePass, kClosedGops, kNoScd, kLastIFrame, kNoVbv, kNoSeqEndcode, kShutdown, kScdFile,
                      kAdaptiveMatrix, kLossless})
        give(k);
    apply();
    EXPECT_TRUE(c.checked(kMainPage, kOnePassVbrCheck));
    EXPECT_TRUE(c.checked(kMainPage, kClosedGopsCheck));
    EXPECT_FALSE(c.checked(kMainPage, kSceneChangeCheck));
    EXPECT_TRUE(c.checked(kSettings2Page, kLastIFrameCheck));
    EXPECT_FALSE(c.checked(kSettings2Page, kVbvCheck));
    EXPECT_FALSE(c.checked(kSettings2Page, kSeqEndcodeCheck));
    EXPECT_TRUE(c.checked(kSettings2Page, kShutdownCheck));
    EXPECT_TRUE(c.checked(kSettings2Page, kScdFileCheck));
    EXPECT_TRUE(c.checked(kMatrixPage, kAdaptiveMatrixCheck));
    EXPECT_TRUE(c.checked(kSettings3Page, kLosslessCheck));
}

TEST_F(ApplyTest, RadiosAndCombosAreSelectedByValue) {
    OptionValues& v = s.values;
    for (Keyword k : {kProfile, kAspect, kDcPrec, kCpu, kPriority, kChromaFormat, kMpegLevel, kColour, kIntraVlc,
                      kChromaDownsample})
        give(k);
    v.profile = 4;
    v.aspect = 1;
    v.dc_precision = 10;
    v.cpu = 7;
    v.priority = 3;
    v.chroma_format = 2;
    v.mpeg_level = 2;
    v.colour = 5;
    v.intra_vlc = 0;
    v.chroma_downsample = 1;
    apply();
    expect_radio(kMainPage, kBestRadio);
    expect_radio(kMainPage, kAspect1To1Radio);
    expect_radio(kMainPage, kDcPrecision10Radio);
    expect_radio(kSettings3Page, kCpuAvx2Radio);
    expect_radio(kSettings3Page, kPriorityHighRadio);
    expect_radio(kSettings3Page, kChroma422Radio);
    expect_text(kSettings2Page, kMpegLevelCombo, "MP@H-14");
    expect_text(kSettings2Page, kColorimetryCombo, "BT.470-2BG");
    expect_text(kSettings2Page, kIntraVlcCombo, "TABLE 14");
    expect_radio(kSettings1Page, kChromaInterlacedRadio);

    v.profile = 3;  // GOOD reads as NORM
    apply();
    expect_radio(kMainPage, kNormalRadio);
}

TEST_F(ApplyTest, PanScanSelectsItsAspect) {
    give(kAspect);
    give(kPanScan);
    s.values.aspect = 5;
    s.panscan.on = true;
    apply();
    expect_radio(kMainPage, kAspectPanScanRadio);
}

TEST_F(ApplyTest, BoxesSlidersAndPathsShowTheValues) {
    OptionValues& v = s.values;
    for (Keyword k : {kMinBrFac, kBias, kWait, kMaskShift, kTimecode, kLumGain, kAq, kAvsMemory, kDbPath, kLlPath,
                      kFrameLog})
        give(k);
    v.min_br_factor = 1.25f;
    v.bias = 40;
    v.wait_seconds = 99;
    v.mask_top = 6;
    v.mask_bottom = 0;
    v.mask_shift = -4;
    v.timecode = {1, 2, 3, 4};
    v.luminance_gain = 3;
    v.aq = 4;
    v.avs_memory_mb = 256;
    v.psnr = true;
    apply();
    expect_text(kSettings2Page, kMinBitrateFactorBox, "1.25");
    expect_text(kSettings2Page, kVbrBiasBox, "40");
    expect_text(kSettings2Page, kWaitBox, "99");
    expect_text(kSettings2Page, kMaskTopBox, "6");
    expect_text(kSettings2Page, kMaskBottomBox, "0");
    expect_text(kSettings2Page, kShiftLinesBox, "-4");
    for (int i = 0; i < 4; ++i) expect_text(kSettings3Page, kTimeCodeHourBox + i, std::to_string(i + 1));
    EXPECT_EQ(c.pos(kSettings2Page, kLuminanceGainSlider), 3);
    expect_text(kSettings2Page, kLuminanceGainBox, "3");
    EXPECT_EQ(c.pos(kSettings1Page, kAqSlider), 4);
    expect_text(kSettings1Page, kAqBox, "4");
    expect_text(kSettings3Page, kAvsMemoryBox, "256");
    expect_text(kSettings3Page, kDbPathButton, "DB path (set)");
    expect_text(kSettings3Page, kLosslessPathButton, "LL path (set)");
    EXPECT_TRUE(c.checked(kSettings2Page, kFrameLogCheck));
    EXPECT_TRUE(c.checked(kSettings2Page, kPsnrCheck));

    v.avs_memory_mb = 0;  // the Avisynth default
    apply();
    expect_text(kSettings3Page, kAvsMemoryBox, "");
}

TEST(FactorScale, NearestStepAndItsText) {
    EXPECT_EQ(nearest_factor_position(1.0f), kFactorOnePosition);
    EXPECT_EQ(nearest_factor_position(0.1f), 1);
    EXPECT_EQ(nearest_factor_position(100.0f), 32);
    EXPECT_EQ(nearest_factor_position(1.125f), 11);  // halfway between 1.1 and 1.15: the smaller
    EXPECT_EQ(nearest_factor_position(2.31f), 24);
    EXPECT_EQ(nearest_factor_position(std::nanf("")), kFactorOnePosition);
    for (int position = 1; position <= kFactorStepCount; ++position)
        EXPECT_EQ(nearest_factor_position(factor_at_position(position)), position);
    EXPECT_EQ(factor_text(factor_at_position(10)), "1.05");
    EXPECT_EQ(factor_text(factor_at_position(6)), "0.85");
    EXPECT_EQ(quantiser_text(5.0f), "5.000");
}

}  // namespace
}  // namespace qz::settings::testing
