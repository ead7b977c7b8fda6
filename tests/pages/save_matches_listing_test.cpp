// After any sequence of actions on the settings pages, the "current QZ.ini" listing is up to date and
// "save QZ.ini" writes what it shows, apart from the listing's documented differences: its own order
// of a few lines, and no *PROG_SEQ under 3:2 pulldown.
#include "pages_fixture.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace qz::pages::testing {

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

namespace fs = std::filesystem;

Lines read_lines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    Lines lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class SaveMatchesListingTest : public SettingsPagesTest {
protected:
    fs::path dir;
    std::mt19937 rng;

    void SetUp() override {
        SettingsPagesTest::SetUp();
        dir = fs::temp_directory_path() / "qz_settings_pages_save";
        fs::remove_all(dir);
        fs::create_directories(dir);
        app.settings.default_settings_path = (dir / "QZ.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    int any(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    template <size_t N>
    int one_of(const int (&ids)[N]) {
        return ids[static_cast<size_t>(any(0, static_cast<int>(N) - 1))];
    }

    std::string any_text() {
        switch (any(0, 5)) {
            case 0: return "";
            case 1: return "abc";
            case 2: return std::to_string(any(-20, 20));
            case 3: return std::to_string(any(-2000, 5000));
            case 4: return std::to_string(any(0, 40)) + "." + std::to_string(any(0, 99));
            default: return " " + std::to_string(any(0, 9)) + " ";
        }
    }

    // One action a user could take on the settings pages (or a neighbour they depend on).
    void act() {
        static constexpr int kS1Clicks[] = {kAutoDetectRadio,
                                            kProgressiveRadio,
                                            kInterlacedRadio,
                                            kDvSourceRadio,
                                            kTffRadio,
                                            kBffRadio,
                                            kChromaProgressiveRadio,
                                            kChromaInterlacedRadio,
                                            kConstantQuantisationCheck,
                                            kMaxBitrateCheck,
                                            kDeadZoneOffRadio,
                                            kDeadZoneAutoRadio,
                                            kDeadZoneValuesRadio};
        static constexpr int kS1Typed[] = {kGopLengthBox, kBFramesBox, kDeadZoneIntraBox, kDeadZoneNonIntraBox};
        static constexpr int kS1Spins[] = {kGopLengthSpin, kBFramesSpin, kPFactorSpin, kBFactorSpin};
        static constexpr int kS2Clicks[] = {kVbvCheck,    kSeqEndcodeCheck,          kShutdownCheck,     kPreviewCheck,
                                            kSilentCheck, kLastIFrameCheck,          kScdFileCheck,      kFrameLogCheck,
                                            kPsnrCheck,   kProgressiveSequenceCheck, kAllow3BFramesCheck};
        static constexpr int kS2Left[] = {kMinBitrateFactorBox, kMaskTopBox, kMaskBottomBox, kShiftLinesBox};
        static constexpr int kS2Typed[] = {kVbrBiasBox, kWaitBox};
        static constexpr int kS2Combos[] = {kMpegLevelCombo, kColorimetryCombo, kIntraVlcCombo};
        static constexpr int kS3Clicks[] = {
            kCpuAutoRadio,     kCpuMmxRadio,         kCpuSsse3Radio,     kCpuAvx2Radio,   kPriorityIdleRadio,
            kPriorityLowRadio, kPriorityNormalRadio, kPriorityHighRadio, kChroma420Radio, kChroma422Radio,
            kChroma444Radio,   kLosslessCheck,       kClearPathsButton};
        static constexpr int kS3Typed[] = {kTimeCodeHourBox, kTimeCodeMinuteBox, kTimeCodeSecondBox, kTimeCodeFrameBox,
                                           kAvsMemoryBox};

        switch (any(0, 13)) {
            case 0: user.click(kSettings1Page, one_of(kS1Clicks)); break;
            case 1: user.type(kSettings1Page, one_of(kS1Typed), any_text()); break;
            case 2: user.spin(kSettings1Page, one_of(kS1Spins), any(0, 40)); break;
            case 3: type_and_leave(kSettings1Page, kQuantiserBox, any_text()); break;
            case 4: user.slide(kSettings1Page, kAqSlider, any(0, 4)); break;
            case 5: user.click(kSettings2Page, one_of(kS2Clicks)); break;
            case 6: type_and_leave(kSettings2Page, one_of(kS2Left), any_text()); break;
            case 7: user.type(kSettings2Page, one_of(kS2Typed), any_text()); break;
            case 8: {
                int combo = one_of(kS2Combos);
                user.pick(kSettings2Page, combo,
                          c.item(kSettings2Page, combo, any(0, c.item_count(kSettings2Page, combo) - 1)));
                break;
            }
            case 9: user.slide(kSettings2Page, kLuminanceGainSlider, any(0, 4)); break;
            case 10: user.click(kSettings3Page, one_of(kS3Clicks)); break;
            case 11: user.type(kSettings3Page, one_of(kS3Typed), any_text()); break;
            case 12:
                if (any(0, 2) > 0) dialogs.folders.push_back("/video/work" + std::to_string(any(0, 9)));
                user.click(kSettings3Page, any(0, 1) ? kLosslessPathButton : kDbPathButton);
                dialogs.folders.clear();
                break;
            default: change_a_neighbour(); break;
        }
    }

    // Main and Matrix page states that the settings pages read; a tab change refreshes the listing.
    void change_a_neighbour() {
        switch (any(0, 3)) {
            case 0: settings::show_automatic_gop(app, any(0, 1) == 1); break;
            case 1: c.set_checked(kMainPage, kPulldownCheck, any(0, 1) == 1); break;  // 3:2 pulldown
            case 2: c.check_radio(kMainPage, any(0, 1) ? kAspectPanScanRadio : kAspect16To9Radio); break;
            default: user.click(kMatrixPage, kAdaptiveMatrixCheck); break;
        }
        settings::refresh_listing(app);
    }

    void expect_listing_current() {
        Lines shown = listing();
        settings::refresh_listing(app);
        EXPECT_EQ(shown, listing());
        EXPECT_EQ(items(kSettings2Page, kListing), shown);
        EXPECT_EQ(items(kSettings3Page, kListing), shown);
    }

    void expect_save_matches_listing() {
        Lines shown = listing();
        ASSERT_TRUE(settings::write_settings_file(app, settings::kDefaultSettingsFile));
        Lines saved = read_lines(dir / "QZ.ini");
        auto prog_seq = std::find(saved.begin(), saved.end(), "*PROG_SEQ");
        if (c.checked(kMainPage, kPulldownCheck) && prog_seq != saved.end()) saved.erase(prog_seq);
        std::sort(shown.begin(), shown.end());
        std::sort(saved.begin(), saved.end());
        EXPECT_EQ(saved, shown);
    }
};

TEST_F(SaveMatchesListingTest, AfterAnySequenceOfActions) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        settings::reset_to_defaults(app);
        settings::refresh_listing(app);
        rng.seed(seed);
        for (int step = 1; step <= 150; ++step) {
            act();
            expect_listing_current();
            if (step % 25 == 0) expect_save_matches_listing();
            if (::testing::Test::HasFailure()) return;
        }
    }
}

}  // namespace
}  // namespace qz::pages::testing
