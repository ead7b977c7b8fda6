// Settings 1 page: interlacing, field order, GOP limits, constant quantisation and its factors, AQ and
// dead zone, through user actions on the control model.
#include "pages/settings1_page.h"

#include "pages_fixture.h"

namespace qz::pages::testing {
namespace {

using Settings1Test = SettingsPagesTest;

TEST_F(Settings1Test, InterlacingChoicesSetTheFieldOrderAndTheProgressiveSequenceBox) {
    user.click(104, 1202);
    EXPECT_TRUE(c.enabled(105, 1317));
    user.click(105, 1317);
    ASSERT_TRUE(c.checked(105, 1317));
    EXPECT_TRUE(c.checked(104, 1206));  // a progressive sequence is flagged bottom field first

    clear_log();
    user.click(104, 1203);
    EXPECT_FALSE(c.checked(105, 1317));
    EXPECT_FALSE(c.enabled(105, 1317));
    EXPECT_TRUE(c.checked(104, 1205));
    EXPECT_EQ(log(), Lines{"encode all frames interlaced, alternate scan, TFF set"});
    EXPECT_EQ(listed("*INTERLACED"), "*INTERLACED");
    EXPECT_EQ(listed("*TFF"), "*TFF");

    user.click(104, 1204);
    EXPECT_TRUE(c.checked(104, 1206));
    EXPECT_EQ(listed("*BFF"), "*BFF");
    user.click(104, 1201);
    EXPECT_FALSE(c.enabled(105, 1317));
    EXPECT_TRUE(c.enabled(104, 1205));
    EXPECT_TRUE(c.enabled(104, 1206));
    EXPECT_EQ(log().back(), "auto detect progressive / interlaced frames");
    EXPECT_EQ(listed("*DVSOURCE"), "");
}

TEST_F(Settings1Test, TopFieldFirstTurnsTheProgressiveSequenceOffButBottomFieldFirstDoesNot) {
    user.click(104, 1202);
    user.click(105, 1317);
    user.click(104, 1206);
    EXPECT_TRUE(c.checked(105, 1317));
    clear_log();
    user.click(104, 1205);
    EXPECT_FALSE(c.checked(105, 1317));
    EXPECT_EQ(log(), Lines{"Top Field First flagged, progressive sequence turned off"});
    user.click(104, 1205);
    EXPECT_EQ(log().back(), "Top Field First flagged");
}

TEST_F(Settings1Test, GopLengthIsKeptWithin1To36WithTheDvdWarnings) {
    use_fixed_gop();
    struct Case {
        const char* typed;
        const char* shown;
        Lines lines;
    };
    const Case cases[] = {
        {"40", "36", {"WARNING, GOP length not valid for PAL and NTSC"}},
        {"19", "19", {"WARNING, GOP length not valid for PAL and NTSC"}},
        {"18", "18", {"WARNING, GOP length not valid for PAL"}},
        {"16", "16", {"WARNING, GOP length not valid for PAL"}},
        {"15", "15", {}},
        {"abc", "15", {}},
        {"", "15", {}},
        {"0", "1", {}},
        {" 12", "12", {}},
    };
    for (const Case& k : cases) {
        clear_log();
        user.type(104, 1208, k.typed);
        EXPECT_EQ(c.text(104, 1208), k.shown) << k.typed;
        EXPECT_EQ(c.pos(104, 1209), std::stoi(k.shown)) << k.typed;
        EXPECT_EQ(log(), k.lines) << k.typed;
    }
    EXPECT_EQ(listed("*GOP"), "*GOP              12 2");

    clear_log();
    user.spin(104, 1209, 19);
    user.spin(104, 1209, 16);
    user.spin(104, 1209, 15);
    EXPECT_EQ(c.text(104, 1208), "15");
    EXPECT_EQ(log(), (Lines{"WARNING !!, GOP length not valid for PAL and NTSC", "WARNING !!, GOP length not valid for PAL"}));
}

TEST_F(Settings1Test, BFramesFollowTheAllow3BFramesLimit) {
    use_fixed_gop();
    user.type(104, 1207, "3");
    EXPECT_EQ(c.text(104, 1207), "2");
    EXPECT_TRUE(log().empty());
    user.type(104, 1207, "x");
    EXPECT_EQ(c.text(104, 1207), "2");

    user.click(105, 1327);
    EXPECT_EQ(c.range_max(104, 1210), 3);
    clear_log();
    user.type(104, 1207, "3");
    EXPECT_EQ(c.text(104, 1207), "3");
    EXPECT_EQ(c.pos(104, 1210), 3);
    EXPECT_EQ(log(), Lines{"allow 3 consecutive B-frames, NOT DVD-COMPLIANT !!"});
    EXPECT_EQ(listed("*GOP"), "*GOP              15 3");
    EXPECT_EQ(listed("*B3"), "*B3");

    clear_log();
    user.spin(104, 1210, 1);
    EXPECT_EQ(c.text(104, 1207), "1");
    user.spin(104, 1210, 3);
    EXPECT_EQ(log(), Lines{"allow 3 consecutive B-frames, NOT DVD-COMPLIANT !!"});

    // Taking the permission back brings 3 B frames down to 2, in the box and on the spin.
    user.click(105, 1327);
    EXPECT_EQ(c.text(104, 1207), "2");
    EXPECT_EQ(c.pos(104, 1210), 2);
    EXPECT_EQ(c.range_max(104, 1210), 2);
    EXPECT_EQ(app.settings.max_b_frames, 2);
    EXPECT_EQ(listed("*GOP"), "*GOP              15 2");
    EXPECT_EQ(listed("*B3"), "");
}

TEST_F(Settings1Test, ConstantQuantisationOnAndOffSwitchTheBitrateControls) {
    open_video(720, 576, 1000);
    settings::reset_to_defaults(app);
    c.set_text(105, 1306, "40");
    clear_log();

    user.click(104, 1211);
    EXPECT_EQ(log(), (Lines{"1 pass Constant Quantization turned on, check on max bitrate also turned on",
                            "maximum bitrate will not be exceeded",
                            "check on VBV (Virtual Buffer Verifier) can also be turned on in Settings 2 tab"}));
    expect_enabled(104, {1212, 1213, 1214, 1216, 1217, 1218}, true);
    EXPECT_TRUE(c.checked(104, 1214));
    expect_enabled(103, {1120, 1121, 1122, 1123}, false);
    expect_enabled(103, {1124}, true);
    expect_enabled(105, {1306}, false);
    EXPECT_EQ(listed("*CQ_MAXBITRATE"), "*CQ_MAXBITRATE    5.000");
    EXPECT_EQ(listed("*BITRATE"), "");
    EXPECT_EQ(listed("*BIAS"), "");  // the bias means nothing to a constant quantiser

    user.click(103, 1121);  // not possible while constant quantisation is on
    EXPECT_TRUE(c.checked(103, 1120));

    clear_log();
    c.check_radio(103, 1121);  // as left by an earlier file length entry
    user.click(104, 1211);
    EXPECT_EQ(log(), Lines{"constant quantization turned off"});
    expect_enabled(104, {1212, 1213, 1214, 1216, 1217, 1218}, false);
    EXPECT_FALSE(c.checked(104, 1214));
    EXPECT_TRUE(c.checked(103, 1120));
    EXPECT_FALSE(c.checked(103, 1121));
    expect_enabled(103, {1120, 1121, 1123, 1124}, true);
    expect_enabled(103, {1122}, false);
    expect_enabled(105, {1306}, true);
    EXPECT_EQ(listed("*CQ"), "");
    EXPECT_EQ(listed("*BITRATE"), "*BITRATE          4000");
    EXPECT_EQ(listed("*BIAS"), "*BIAS             40");
}

TEST_F(Settings1Test, TheQuantiserIsCheckedWhenTheBoxIsLeft) {
    user.click(104, 1211);
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{"7", "7.000"}, {"abc", "7.000"}, {"40", "31.000"}, {"0.2", "1.000"}, {"", "1.000"}, {" 12.5 ", "12.500"}};
    for (const Case& k : cases) {
        type_and_leave(104, 1212, k.typed);
        EXPECT_EQ(c.text(104, 1212), k.shown) << k.typed;
    }
    EXPECT_FLOAT_EQ(app.settings.values.cq, 12.5f);

    // While typing nothing is corrected; the value on entering is what a non-number gives back.
    user.enter(104, 1212);
    user.type(104, 1212, "9x");
    EXPECT_EQ(c.text(104, 1212), "9x");
    user.leave(104, 1212);
    EXPECT_EQ(c.text(104, 1212), "12.500");
    EXPECT_EQ(listed("*CQ_MAXBITRATE"), "*CQ_MAXBITRATE    12.500");
}

TEST_F(Settings1Test, CheckMaxBitrateSwitchesTheMaximumBox) {
    user.click(104, 1211);
    clear_log();
    user.click(104, 1214);
    EXPECT_FALSE(c.enabled(103, 1124));
    EXPECT_EQ(listed("*CQ"), "*CQ               5.000");
    user.click(104, 1214);
    EXPECT_TRUE(c.enabled(103, 1124));
    // The second line is longer than a log line and wraps.
    EXPECT_EQ(log(), (Lines{"check VBV/max bitrate turned off",
                            "check VBV/max bitrate turned on: check on VBV (Virtual Buffer Verifier), maximum bitrate will "
                            "not b ...",
                            "e exceeded"}));
}

TEST_F(Settings1Test, FactorSpinsReportTheQuantiserOfTheirFrames) {
    user.click(104, 1211);
    type_and_leave(104, 1212, "4");
    clear_log();
    user.spin(104, 1218, 9);
    user.spin(104, 1217, 11);
    EXPECT_EQ(c.text(104, 1213), "1.10");
    type_and_leave(104, 1212, "20");
    user.spin(104, 1218, 22);
    EXPECT_EQ(c.text(104, 1216), "2.00");
    user.spin(104, 1217, 1);
    EXPECT_EQ(c.text(104, 1213), "0.50");
    EXPECT_EQ(log(), (Lines{"Constant Quantization for B-frames set to 4.000", "Constant Quantization for P-frames set to 4.400",
                            "Constant Quantization for B-frames set to 31.000",
                            "Constant Quantization for P-frames set to 10.000"}));
    EXPECT_EQ(listed("*CQ_PFACTOR"), "*CQ_PFACTOR       0.50");
    EXPECT_EQ(listed("*CQ_BFACTOR"), "*CQ_BFACTOR       2.00");

    // A quantiser that is no number (still being typed) is reported; the factor is still shown.
    clear_log();
    user.type(104, 1212, "abc");
    user.spin(104, 1218, 32);
    EXPECT_EQ(c.text(104, 1216), "4.00");
    ASSERT_FALSE(log().empty());
    EXPECT_EQ(log().front(), "WARNING, invalid CQ value, not a number");
}

TEST_F(Settings1Test, FactorSpinsDoNothingWithoutConstantQuantisation) {
    c.set_pos(104, 1217, 20);
    on_settings1_page(app, ui::Event{ui::EventKind::Spun, 104, 1217, 20});
    EXPECT_EQ(c.text(104, 1213), "1.00");
    EXPECT_TRUE(log().empty());
}

TEST_F(Settings1Test, AqSliderShowsItsStrength) {
    const char* messages[] = {"no adaptive quantization, (default: AQ = 2)",
                              "adaptive quantization, strength = 1, (default: AQ = 2)",
                              "adaptive quantization, strength = 2, (default: AQ = 2)",
                              "adaptive quantization, strength = 3, (default: AQ = 2)",
                              "adaptive quantization, strength = 4, (default: AQ = 2)"};
    for (int strength = 0; strength <= 4; ++strength) {
        clear_log();
        user.slide(104, 1230, strength);
        EXPECT_EQ(c.text(104, 1231), std::to_string(strength));
        EXPECT_EQ(log(), Lines{messages[strength]});
        EXPECT_EQ(listed("*AQ"), strength == 2 ? "" : "*AQ               " + std::to_string(strength));
    }
}

TEST_F(Settings1Test, DeadZoneValuesAreKeptWithin0To6) {
    user.click(104, 1242);
    expect_enabled(104, {1243, 1244}, true);
    clear_log();
    user.type(104, 1243, "9");
    user.type(104, 1244, "4");
    user.type(104, 1244, "x");
    EXPECT_EQ(c.text(104, 1243), "6");
    EXPECT_EQ(c.text(104, 1244), "4");
    EXPECT_EQ(log(), (Lines{"intra dead zone set", "non-intra dead zone set", "non-intra dead zone set"}));
    EXPECT_EQ(listed("*DEADZONE"), "*DEADZONE         6 4");

    user.click(104, 1240);
    expect_enabled(104, {1243, 1244}, false);
    EXPECT_EQ(listed("*DEADZONE"), "*DEADZONE         0 0");
    user.click(104, 1241);
    EXPECT_EQ(log().back(), "dead zone quantization set to automatic");
    EXPECT_EQ(listed("*DEADZONE"), "");
}

TEST_F(Settings1Test, InterlacingRecomputesTheLosslessEstimate) {
    open_video(720, 576, 1000);
    user.click(106, 1426);
    EXPECT_EQ(c.text(106, 1429), "0.23 GB");
    user.click(104, 1204);
    EXPECT_EQ(c.text(106, 1429), "0.32 GB");
    user.click(104, 1202);
    EXPECT_EQ(c.text(106, 1429), "0.21 GB");
}

}  // namespace
}  // namespace qz::pages::testing
