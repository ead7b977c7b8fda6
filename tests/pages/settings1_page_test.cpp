// Settings 1 page: interlacing, field order, GOP limits, constant quantisation and its factors, AQ and
// dead zone, through user actions on the control model.
#include "pages/settings1_page.h"

#include "pages_fixture.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

namespace qz::pages::testing {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kSettings3Page;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;

namespace {

using Settings1Test = SettingsPagesTest;

TEST_F(Settings1Test, InterlacingChoicesSetTheFieldOrderAndTheProgressiveSequenceBox) {
    user.click(kSettings1Page, kProgressiveRadio);
    EXPECT_TRUE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
    user.click(kSettings2Page, kProgressiveSequenceCheck);
    ASSERT_TRUE(c.checked(kSettings2Page, kProgressiveSequenceCheck));
    EXPECT_TRUE(c.checked(kSettings1Page, kBffRadio));  // a progressive sequence is flagged bottom field first

    clear_log();
    user.click(kSettings1Page, kInterlacedRadio);
    EXPECT_FALSE(c.checked(kSettings2Page, kProgressiveSequenceCheck));
    EXPECT_FALSE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
    EXPECT_TRUE(c.checked(kSettings1Page, kTffRadio));
    EXPECT_EQ(log(), Lines{"encode all frames interlaced, alternate scan, TFF set"});
    EXPECT_EQ(listed("*INTERLACED"), "*INTERLACED");
    EXPECT_EQ(listed("*TFF"), "*TFF");

    user.click(kSettings1Page, kDvSourceRadio);
    EXPECT_TRUE(c.checked(kSettings1Page, kBffRadio));
    EXPECT_EQ(listed("*BFF"), "*BFF");
    user.click(kSettings1Page, kAutoDetectRadio);
    EXPECT_FALSE(c.enabled(kSettings2Page, kProgressiveSequenceCheck));
    EXPECT_TRUE(c.enabled(kSettings1Page, kTffRadio));
    EXPECT_TRUE(c.enabled(kSettings1Page, kBffRadio));
    EXPECT_EQ(log().back(), "auto detect progressive / interlaced frames");
    EXPECT_EQ(listed("*DVSOURCE"), "");
}

TEST_F(Settings1Test, TopFieldFirstTurnsTheProgressiveSequenceOffButBottomFieldFirstDoesNot) {
    user.click(kSettings1Page, kProgressiveRadio);
    user.click(kSettings2Page, kProgressiveSequenceCheck);
    user.click(kSettings1Page, kBffRadio);
    EXPECT_TRUE(c.checked(kSettings2Page, kProgressiveSequenceCheck));
    clear_log();
    user.click(kSettings1Page, kTffRadio);
    EXPECT_FALSE(c.checked(kSettings2Page, kProgressiveSequenceCheck));
    EXPECT_EQ(log(), Lines{"Top Field First flagged, progressive sequence turned off"});
    user.click(kSettings1Page, kTffRadio);
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
        user.type(kSettings1Page, kGopLengthBox, k.typed);
        EXPECT_EQ(c.text(kSettings1Page, kGopLengthBox), k.shown) << k.typed;
        EXPECT_EQ(c.pos(kSettings1Page, kGopLengthSpin), std::stoi(k.shown)) << k.typed;
        EXPECT_EQ(log(), k.lines) << k.typed;
    }
    EXPECT_EQ(listed("*GOP"), "*GOP              12 2");

    clear_log();
    user.spin(kSettings1Page, kGopLengthSpin, 19);
    user.spin(kSettings1Page, kGopLengthSpin, 16);
    user.spin(kSettings1Page, kGopLengthSpin, 15);
    EXPECT_EQ(c.text(kSettings1Page, kGopLengthBox), "15");
    EXPECT_EQ(log(), (Lines{"WARNING !!, GOP length not valid for PAL and NTSC", "WARNING !!, GOP length not valid for PAL"}));
}

TEST_F(Settings1Test, BFramesFollowTheAllow3BFramesLimit) {
    use_fixed_gop();
    user.type(kSettings1Page, kBFramesBox, "3");
    EXPECT_EQ(c.text(kSettings1Page, kBFramesBox), "2");
    EXPECT_TRUE(log().empty());
    user.type(kSettings1Page, kBFramesBox, "x");
    EXPECT_EQ(c.text(kSettings1Page, kBFramesBox), "2");

    user.click(kSettings2Page, kAllow3BFramesCheck);
    EXPECT_EQ(c.range_max(kSettings1Page, kBFramesSpin), 3);
    clear_log();
    user.type(kSettings1Page, kBFramesBox, "3");
    EXPECT_EQ(c.text(kSettings1Page, kBFramesBox), "3");
    EXPECT_EQ(c.pos(kSettings1Page, kBFramesSpin), 3);
    EXPECT_EQ(log(), Lines{"allow 3 consecutive B-frames, NOT DVD-COMPLIANT !!"});
    EXPECT_EQ(listed("*GOP"), "*GOP              15 3");
    EXPECT_EQ(listed("*B3"), "*B3");

    clear_log();
    user.spin(kSettings1Page, kBFramesSpin, 1);
    EXPECT_EQ(c.text(kSettings1Page, kBFramesBox), "1");
    user.spin(kSettings1Page, kBFramesSpin, 3);
    EXPECT_EQ(log(), Lines{"allow 3 consecutive B-frames, NOT DVD-COMPLIANT !!"});

    // Taking the permission back brings 3 B frames down to 2, in the box and on the spin.
    user.click(kSettings2Page, kAllow3BFramesCheck);
    EXPECT_EQ(c.text(kSettings1Page, kBFramesBox), "2");
    EXPECT_EQ(c.pos(kSettings1Page, kBFramesSpin), 2);
    EXPECT_EQ(c.range_max(kSettings1Page, kBFramesSpin), 2);
    EXPECT_EQ(app.settings.max_b_frames, 2);
    EXPECT_EQ(listed("*GOP"), "*GOP              15 2");
    EXPECT_EQ(listed("*B3"), "");
}

TEST_F(Settings1Test, ConstantQuantisationOnAndOffSwitchTheBitrateControls) {
    open_video(720, 576, 1000);
    settings::reset_to_defaults(app);
    c.set_text(kSettings2Page, kVbrBiasBox, "40");
    clear_log();

    user.click(kSettings1Page, kConstantQuantisationCheck);
    EXPECT_EQ(log(), (Lines{"1 pass Constant Quantization turned on, check on max bitrate also turned on",
                            "maximum bitrate will not be exceeded",
                            "check on VBV (Virtual Buffer Verifier) can also be turned on in Settings 2 tab"}));
    expect_enabled(kSettings1Page,
                   {kQuantiserBox, kPFactorBox, kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin}, true);
    EXPECT_TRUE(c.checked(kSettings1Page, kMaxBitrateCheck));
    expect_enabled(kMainPage, {kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox, kAverageBitrateBox}, false);
    expect_enabled(kMainPage, {kMaxBitrateBox}, true);
    expect_enabled(kSettings2Page, {kVbrBiasBox}, false);
    EXPECT_EQ(listed("*CQ_MAXBITRATE"), "*CQ_MAXBITRATE    5.000");
    EXPECT_EQ(listed("*BITRATE"), "");
    EXPECT_EQ(listed("*BIAS"), "");  // the bias means nothing to a constant quantiser

    user.click(kMainPage, kFileLengthRadio);  // not possible while constant quantisation is on
    EXPECT_TRUE(c.checked(kMainPage, kAverageBitrateRadio));

    clear_log();
    c.check_radio(kMainPage, kFileLengthRadio);  // as left by an earlier file length entry
    user.click(kSettings1Page, kConstantQuantisationCheck);
    EXPECT_EQ(log(), Lines{"constant quantization turned off"});
    expect_enabled(kSettings1Page,
                   {kQuantiserBox, kPFactorBox, kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin}, false);
    EXPECT_FALSE(c.checked(kSettings1Page, kMaxBitrateCheck));
    EXPECT_TRUE(c.checked(kMainPage, kAverageBitrateRadio));
    EXPECT_FALSE(c.checked(kMainPage, kFileLengthRadio));
    expect_enabled(kMainPage, {kAverageBitrateRadio, kFileLengthRadio, kAverageBitrateBox, kMaxBitrateBox}, true);
    expect_enabled(kMainPage, {kFileLengthBox}, false);
    expect_enabled(kSettings2Page, {kVbrBiasBox}, true);
    EXPECT_EQ(listed("*CQ"), "");
    EXPECT_EQ(listed("*BITRATE"), "*BITRATE          4000");
    EXPECT_EQ(listed("*BIAS"), "*BIAS             40");
}

TEST_F(Settings1Test, TheQuantiserIsCheckedWhenTheBoxIsLeft) {
    user.click(kSettings1Page, kConstantQuantisationCheck);
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{"7", "7.000"}, {"abc", "7.000"}, {"40", "31.000"}, {"0.2", "1.000"}, {"", "1.000"}, {" 12.5 ", "12.500"}};
    for (const Case& k : cases) {
        type_and_leave(kSettings1Page, kQuantiserBox, k.typed);
        EXPECT_EQ(c.text(kSettings1Page, kQuantiserBox), k.shown) << k.typed;
    }
    EXPECT_FLOAT_EQ(app.settings.values.cq, 12.5f);

    // While typing nothing is corrected; the value on entering is what a non-number gives back.
    user.enter(kSettings1Page, kQuantiserBox);
    user.type(kSettings1Page, kQuantiserBox, "9x");
    EXPECT_EQ(c.text(kSettings1Page, kQuantiserBox), "9x");
    user.leave(kSettings1Page, kQuantiserBox);
    EXPECT_EQ(c.text(kSettings1Page, kQuantiserBox), "12.500");
    EXPECT_EQ(listed("*CQ_MAXBITRATE"), "*CQ_MAXBITRATE    12.500");
}

TEST_F(Settings1Test, CheckMaxBitrateSwitchesTheMaximumBox) {
    user.click(kSettings1Page, kConstantQuantisationCheck);
    clear_log();
    user.click(kSettings1Page, kMaxBitrateCheck);
    EXPECT_FALSE(c.enabled(kMainPage, kMaxBitrateBox));
    EXPECT_EQ(listed("*CQ"), "*CQ               5.000");
    user.click(kSettings1Page, kMaxBitrateCheck);
    EXPECT_TRUE(c.enabled(kMainPage, kMaxBitrateBox));
    // The second line is longer than a log line and wraps.
    EXPECT_EQ(log(), (Lines{"check VBV/max bitrate turned off",
                            "check VBV/max bitrate turned on: check on VBV (Virtual Buffer Verifier), maximum bitrate will "
                            "not b ...",
                            "e exceeded"}));
}

TEST_F(Settings1Test, FactorSpinsReportTheQuantiserOfTheirFrames) {
    user.click(kSettings1Page, kConstantQuantisationCheck);
    type_and_leave(kSettings1Page, kQuantiserBox, "4");
    clear_log();
    user.spin(kSettings1Page, kBFactorSpin, 9);
    user.spin(kSettings1Page, kPFactorSpin, 11);
    EXPECT_EQ(c.text(kSettings1Page, kPFactorBox), "1.10");
    type_and_leave(kSettings1Page, kQuantiserBox, "20");
    user.spin(kSettings1Page, kBFactorSpin, 22);
    EXPECT_EQ(c.text(kSettings1Page, kBFactorBox), "2.00");
    user.spin(kSettings1Page, kPFactorSpin, 1);
    EXPECT_EQ(c.text(kSettings1Page, kPFactorBox), "0.50");
    EXPECT_EQ(log(), (Lines{"Constant Quantization for B-frames set to 4.000", "Constant Quantization for P-frames set to 4.400",
                            "Constant Quantization for B-frames set to 31.000",
                            "Constant Quantization for P-frames set to 10.000"}));
    EXPECT_EQ(listed("*CQ_PFACTOR"), "*CQ_PFACTOR       0.50");
    EXPECT_EQ(listed("*CQ_BFACTOR"), "*CQ_BFACTOR       2.00");

    // A quantiser that is no number (still being typed) is reported; the factor is still shown.
    clear_log();
    user.type(kSettings1Page, kQuantiserBox, "abc");
    user.spin(kSettings1Page, kBFactorSpin, 32);
    EXPECT_EQ(c.text(kSettings1Page, kBFactorBox), "4.00");
    ASSERT_FALSE(log().empty());
    EXPECT_EQ(log().front(), "WARNING, invalid CQ value, not a number");
}

TEST_F(Settings1Test, FactorSpinsDoNothingWithoutConstantQuantisation) {
    c.set_pos(kSettings1Page, kPFactorSpin, 20);
    on_settings1_page(app, ui::Event{ui::EventKind::Spun, kSettings1Page, kPFactorSpin, 20});
    EXPECT_EQ(c.text(kSettings1Page, kPFactorBox), "1.00");
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
        user.slide(kSettings1Page, kAqSlider, strength);
        EXPECT_EQ(c.text(kSettings1Page, kAqBox), std::to_string(strength));
        EXPECT_EQ(log(), Lines{messages[strength]});
        EXPECT_EQ(listed("*AQ"), strength == 2 ? "" : "*AQ               " + std::to_string(strength));
    }
}

TEST_F(Settings1Test, DeadZoneValuesAreKeptWithin0To6) {
    user.click(kSettings1Page, kDeadZoneValuesRadio);
    expect_enabled(kSettings1Page, {kDeadZoneIntraBox, kDeadZoneNonIntraBox}, true);
    clear_log();
    user.type(kSettings1Page, kDeadZoneIntraBox, "9");
    user.type(kSettings1Page, kDeadZoneNonIntraBox, "4");
    user.type(kSettings1Page, kDeadZoneNonIntraBox, "x");
    EXPECT_EQ(c.text(kSettings1Page, kDeadZoneIntraBox), "6");
    EXPECT_EQ(c.text(kSettings1Page, kDeadZoneNonIntraBox), "4");
    EXPECT_EQ(log(), (Lines{"intra dead zone set", "non-intra dead zone set", "non-intra dead zone set"}));
    EXPECT_EQ(listed("*DEADZONE"), "*DEADZONE         6 4");

    user.click(kSettings1Page, kDeadZoneOffRadio);
    expect_enabled(kSettings1Page, {kDeadZoneIntraBox, kDeadZoneNonIntraBox}, false);
    EXPECT_EQ(listed("*DEADZONE"), "*DEADZONE         0 0");
    user.click(kSettings1Page, kDeadZoneAutoRadio);
    EXPECT_EQ(log().back(), "dead zone quantization set to automatic");
    EXPECT_EQ(listed("*DEADZONE"), "");
}

TEST_F(Settings1Test, InterlacingRecomputesTheLosslessEstimate) {
    open_video(720, 576, 1000);
    user.click(kSettings3Page, kLosslessCheck);
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "0.23 GB");
    user.click(kSettings1Page, kDvSourceRadio);
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "0.32 GB");
    user.click(kSettings1Page, kProgressiveRadio);
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "0.21 GB");
}

}  // namespace
}  // namespace qz::pages::testing
