#include "settings/value_text.h"
#include "settings_fixture.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace qz::settings::testing {
namespace {

using ApplyTest = PagesTest;

TEST_F(ApplyTest, NoMarksLeaveTheDefaults) {
    apply();
    expect_radio(104, 1201);
    expect_radio(104, 1205);
    expect_radio(104, 1219);
    EXPECT_FALSE(c.enabled(105, 1317));
    expect_text(103, 1123, "4000");
    expect_text(103, 1124, "8000");
    EXPECT_TRUE(c.checked(103, 1153));
    expect_text(104, 1207, "2");
    expect_spin(104, 1210, 0, 2, 2);
    EXPECT_FALSE(c.checked(105, 1327));
    expect_text(107, 1503, "MPEG");
    // The output button is always usable after a load, the log button only with an input name.
    EXPECT_TRUE(c.enabled(103, 1111));
    EXPECT_FALSE(c.enabled(103, 1112));
}

TEST_F(ApplyTest, InterlacingAndFieldOrder) {
    struct Case {
        std::vector<Keyword> marks;
        int interlacing, field_order;
        bool sequence_enabled, sequence_checked;  // "progressive sequence"
    };
    const Case cases[] = {
        {{kInterlaced, kBff}, 1203, 1206, false, false},
        {{kDvSource}, 1204, 1206, false, false},
        {{kDvSource, kTff}, 1204, 1205, false, false},
        {{kBff}, 1201, 1206, false, false},
        {{kProgressive, kProgSeq}, 1202, 1205, true, true},
        {{kProgressive, kBff}, 1202, 1206, true, false},
        {{kProgressive, kTff, kBff}, 1202, 1206, true, false},
        {{kProgSeq}, 1201, 1205, false, false},  // a progressive sequence needs "progressive"
        {{kProgressive, kProgSeq, kInterlaced}, 1203, 1205, false, false},
    };
    for (const Case& k : cases) {
        s.clear_given();
        reset_to_defaults(app);
        for (Keyword mark : k.marks) give(mark);
        apply();
        SCOPED_TRACE(::testing::Message() << "marks starting with " << k.marks[0]);
        expect_radio(104, k.interlacing);
        expect_radio(104, k.field_order);
        EXPECT_EQ(c.enabled(105, 1317), k.sequence_enabled);
        EXPECT_EQ(c.checked(105, 1317), k.sequence_checked);
    }
}

TEST_F(ApplyTest, PulldownForcesProgressiveAndLocksTheInterlacingChoice) {
    give(kPulldown);
    give(kInterlaced);
    apply();
    EXPECT_TRUE(c.checked(103, 1151));
    expect_radio(104, 1202);
    expect_enabled(104, {1201, 1202, 1203, 1204}, false);
    expect_enabled(104, {1205, 1206}, true);

    // The next load without pulldown unlocks the choice again.
    s.clear_given();
    reset_to_defaults(app);
    apply();
    expect_enabled(104, {1201, 1202, 1203, 1204}, true);
    expect_radio(104, 1201);
}

TEST_F(ApplyTest, ThreeBFramesAreAppliedBeforeTheGop) {
    give(kB3);
    give(kGop);
    s.values.gop_length = 12;
    s.values.gop_b_frames = 3;
    s.values.automatic_gop = false;
    apply();
    EXPECT_EQ(s.max_b_frames, 3);
    EXPECT_TRUE(c.checked(105, 1327));
    expect_spin(104, 1210, 0, 3, 3);
    expect_text(104, 1207, "3");
    expect_text(104, 1208, "12");
    EXPECT_EQ(c.pos(104, 1209), 12);
    EXPECT_FALSE(c.checked(103, 1153));
    expect_enabled(104, {1207, 1208, 1209, 1210}, true);
    expect_enabled(103, {1154, 1155}, false);
}

TEST_F(ApplyTest, GopValuesAreLimitedToTheSpinRanges) {
    give(kGop);
    s.values.gop_length = 40;
    s.values.gop_b_frames = 3;  // without *B3 at most 2
    s.values.automatic_gop = false;
    apply();
    expect_text(104, 1208, "36");
    expect_text(104, 1207, "2");
    expect_spin(104, 1210, 0, 2, 2);
    EXPECT_EQ(s.values.gop_b_frames, 2);
}

TEST_F(ApplyTest, ThreeBFramesWithoutAGopShowThree) {
    give(kB3);
    apply();
    expect_text(104, 1207, "3");
    expect_spin(104, 1210, 0, 3, 3);
    EXPECT_TRUE(c.checked(103, 1153));  // automatic GOP stays on
}

TEST_F(ApplyTest, AutomaticGopShowsItsLengthAndTheLaterGopLineWins) {
    give(kAutoGop);
    s.values.autogop = 12;
    apply();
    EXPECT_TRUE(c.checked(103, 1153));
    expect_text(103, 1154, "12");
    EXPECT_EQ(c.pos(103, 1155), 12);
    expect_enabled(103, {1154, 1155}, true);

    give(kGop);
    s.values.automatic_gop = false;  // the *GOP line came after the *AUTOGOP line
    apply();
    EXPECT_FALSE(c.checked(103, 1153));
    expect_enabled(104, {1207, 1208, 1209, 1210}, true);
    expect_enabled(103, {1154, 1155}, false);
}

TEST_F(ApplyTest, MaximumBitrateIsRaisedToTheAverage) {
    give(kBitrate);
    give(kMaxBitrate);
    s.values.bitrate = 5000;
    s.values.max_bitrate = 3000;
    apply();
    expect_text(103, 1123, "5000");
    expect_text(103, 1124, "5000");
    EXPECT_EQ(s.values.max_bitrate, 5000);
}

TEST_F(ApplyTest, AnAverageAboveTheDefaultMaximumRaisesItToo) {
    give(kBitrate);
    s.values.bitrate = 9500;
    apply();
    expect_text(103, 1123, "9500");
    expect_text(103, 1124, "9500");

    reset_to_defaults(app);
    s.clear_given();
    give(kBitrate);
    s.values.bitrate = 6000;
    apply();
    expect_text(103, 1124, "8000");
}

TEST_F(ApplyTest, ConstantQuantisationWithoutMaximumBitrateCheck) {
    s.input_valid = true;
    reset_to_defaults(app);
    give(kCq);
    s.values.cq = 4.0f;
    apply();
    EXPECT_TRUE(c.checked(104, 1211));
    expect_text(104, 1212, "4.000");
    EXPECT_FALSE(c.checked(104, 1214));
    expect_enabled(104, {1212, 1213, 1214, 1216, 1217, 1218}, true);
    expect_enabled(103, {1120, 1121, 1122, 1123, 1124}, false);
}

TEST_F(ApplyTest, ConstantQuantisationWithMaximumBitrateCheckKeepsTheMaximum) {
    s.input_valid = true;
    reset_to_defaults(app);
    give(kCqMaxBitrate);
    s.values.cq = 40.0f;  // beyond what the quantiser box accepts
    s.values.cq_max_bitrate = true;
    apply();
    EXPECT_TRUE(c.checked(104, 1211));
    EXPECT_TRUE(c.checked(104, 1214));
    expect_text(104, 1212, "31.000");
    expect_enabled(103, {1120, 1121, 1122, 1123}, false);
    EXPECT_TRUE(c.enabled(103, 1124));
}

TEST_F(ApplyTest, QuantiserFactorsSnapToTheSpinScale) {
    give(kCqPFactor);
    give(kCqBFactor);
    s.values.cq_p_factor = 1.33f;
    s.values.cq_b_factor = 9.0f;
    apply();
    expect_text(104, 1213, "1.30");
    EXPECT_EQ(c.pos(104, 1217), 15);
    expect_text(104, 1216, "4.00");
    EXPECT_EQ(c.pos(104, 1218), 32);
    EXPECT_FLOAT_EQ(s.values.cq_p_factor, 1.3f);
}

TEST_F(ApplyTest, DeadZoneZeroZeroIsOff) {
    give(kDeadZone);
    s.values.dead_zone_intra = 0;
    s.values.dead_zone_non_intra = 0;
    apply();
    expect_radio(104, 1240);
    expect_enabled(104, {1243, 1244}, false);

    s.values.dead_zone_intra = 3;
    s.values.dead_zone_non_intra = 0;
    apply();
    expect_radio(104, 1242);
    expect_enabled(104, {1243, 1244}, true);
    expect_text(104, 1243, "3");
    expect_text(104, 1244, "0");
}

TEST_F(ApplyTest, SilentTurnsThePreviewOffEvenWhenGiven) {
    give(kPreview);
    give(kSilent);
    apply();
    EXPECT_TRUE(c.checked(105, 1311));
    EXPECT_FALSE(c.checked(105, 1310));
    EXPECT_FALSE(c.enabled(105, 1310));
}

TEST_F(ApplyTest, FrameRangeRaisesTheLastFrameToTheFirst) {
    give(kFrames);
    s.values.first_frame = 500;
    s.values.last_frame = 100;
    apply();
    expect_text(103, 1126, "500");
    expect_text(103, 1127, "500");
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
    expect_text(103, 1126, "0");
    expect_text(103, 1127, "2147483647");
    EXPECT_EQ(s.values.frames_to_encode, INT32_MAX);
}

TEST_F(ApplyTest, MatrixChoices) {
    give(kCustomMatrix);
    apply();
    expect_radio(107, 1502);
    EXPECT_EQ(s.matrix_number, 0);
    EXPECT_FALSE(c.enabled(107, 1503));
    expect_enabled(107, {1504, 1505, 1506, 2002, 2164}, true);
    EXPECT_FALSE(c.enabled(107, 2001));  // the intra DC value is always 8

    reset_to_defaults(app);
    s.clear_given();
    give(kMatrix);
    s.matrix_number = 12;
    apply();
    expect_radio(107, 1501);
    expect_text(107, 1503, "QZLOW");
    EXPECT_TRUE(c.enabled(107, 1503));
    expect_enabled(107, {1504, 1505, 1506, 2002}, false);
}

TEST_F(ApplyTest, CheckBoxesAreSetOrClearedByTheirKeyword) {
    for (Keyword k : {kOnePass, kClosedGops, kNoScd, kLastIFrame, kNoVbv, kNoSeqEndcode, kShutdown, kScdFile,
                      kAdaptiveMatrix, kLossless})
        give(k);
    apply();
    EXPECT_TRUE(c.checked(103, 1157));
    EXPECT_TRUE(c.checked(103, 1156));
    EXPECT_FALSE(c.checked(103, 1152));
    EXPECT_TRUE(c.checked(105, 1312));
    EXPECT_FALSE(c.checked(105, 1307));
    EXPECT_FALSE(c.checked(105, 1308));
    EXPECT_TRUE(c.checked(105, 1309));
    EXPECT_TRUE(c.checked(105, 1313));
    EXPECT_TRUE(c.checked(107, 1507));
    EXPECT_TRUE(c.checked(106, 1426));
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
    expect_radio(103, 1132);
    expect_radio(103, 1133);
    expect_radio(103, 1142);
    expect_radio(106, 1417);
    expect_radio(106, 1423);
    expect_radio(106, 1431);
    expect_text(105, 1325, "MP@H-14");
    expect_text(105, 1328, "BT.470-2BG");
    expect_text(105, 1329, "TABLE 14");
    expect_radio(104, 1220);

    v.profile = 3;  // GOOD reads as NORM
    apply();
    expect_radio(103, 1131);
}

TEST_F(ApplyTest, PanScanSelectsItsAspect) {
    give(kAspect);
    give(kPanScan);
    s.values.aspect = 5;
    s.panscan.on = true;
    apply();
    expect_radio(103, 1137);
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
    expect_text(105, 1305, "1.25");
    expect_text(105, 1306, "40");
    expect_text(105, 1316, "99");
    expect_text(105, 1322, "6");
    expect_text(105, 1323, "0");
    expect_text(105, 1324, "-4");
    for (int i = 0; i < 4; ++i) expect_text(106, 1401 + i, std::to_string(i + 1));
    EXPECT_EQ(c.pos(105, 1320), 3);
    expect_text(105, 1321, "3");
    EXPECT_EQ(c.pos(104, 1230), 4);
    expect_text(104, 1231, "4");
    expect_text(106, 1424, "256");
    expect_text(106, 1428, "DB path (set)");
    expect_text(106, 1427, "LL path (set)");
    EXPECT_TRUE(c.checked(105, 1314));
    EXPECT_TRUE(c.checked(105, 1315));

    v.avs_memory_mb = 0;  // the Avisynth default
    apply();
    expect_text(106, 1424, "");
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
