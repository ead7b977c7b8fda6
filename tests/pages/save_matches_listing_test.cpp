// After any sequence of actions on the settings pages, the "current QZ.ini" listing is up to date and
// "save QZ.ini" writes what it shows, apart from the listing's documented differences: its own order
// of a few lines, and no *PROG_SEQ under 3:2 pulldown.
#include "pages_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace qz::pages::testing {
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
        static constexpr int kS1Clicks[] = {1201, 1202, 1203, 1204, 1205, 1206, 1219, 1220, 1211, 1214, 1240, 1241, 1242};
        static constexpr int kS1Typed[] = {1208, 1207, 1243, 1244};
        static constexpr int kS1Spins[] = {1209, 1210, 1217, 1218};
        static constexpr int kS2Clicks[] = {1307, 1308, 1309, 1310, 1311, 1312, 1313, 1314, 1315, 1317, 1327};
        static constexpr int kS2Left[] = {1305, 1322, 1323, 1324};
        static constexpr int kS2Typed[] = {1306, 1316};
        static constexpr int kS2Combos[] = {1325, 1328, 1329};
        static constexpr int kS3Clicks[] = {1410, 1411, 1414, 1417, 1420, 1421, 1422, 1423, 1430, 1431, 1432, 1426, 1425};
        static constexpr int kS3Typed[] = {1401, 1402, 1403, 1404, 1424};

        switch (any(0, 13)) {
            case 0: user.click(104, one_of(kS1Clicks)); break;
            case 1: user.type(104, one_of(kS1Typed), any_text()); break;
            case 2: user.spin(104, one_of(kS1Spins), any(0, 40)); break;
            case 3: type_and_leave(104, 1212, any_text()); break;
            case 4: user.slide(104, 1230, any(0, 4)); break;
            case 5: user.click(105, one_of(kS2Clicks)); break;
            case 6: type_and_leave(105, one_of(kS2Left), any_text()); break;
            case 7: user.type(105, one_of(kS2Typed), any_text()); break;
            case 8: {
                int combo = one_of(kS2Combos);
                user.pick(105, combo, c.item(105, combo, any(0, c.item_count(105, combo) - 1)));
                break;
            }
            case 9: user.slide(105, 1320, any(0, 4)); break;
            case 10: user.click(106, one_of(kS3Clicks)); break;
            case 11: user.type(106, one_of(kS3Typed), any_text()); break;
            case 12:
                if (any(0, 2) > 0) dialogs.folders.push_back("/video/work" + std::to_string(any(0, 9)));
                user.click(106, any(0, 1) ? 1427 : 1428);
                dialogs.folders.clear();
                break;
            default: change_a_neighbour(); break;
        }
    }

    // Main and Matrix page states that the settings pages read; a tab change refreshes the listing.
    void change_a_neighbour() {
        switch (any(0, 3)) {
            case 0: settings::show_automatic_gop(app, any(0, 1) == 1); break;
            case 1: c.set_checked(103, 1151, any(0, 1) == 1); break;  // 3:2 pulldown
            case 2: c.check_radio(103, any(0, 1) ? 1137 : 1135); break;
            default: user.click(107, 1507); break;
        }
        settings::refresh_listing(app);
    }

    void expect_listing_current() {
        Lines shown = listing();
        settings::refresh_listing(app);
        EXPECT_EQ(shown, listing());
        EXPECT_EQ(items(105, 1215), shown);
        EXPECT_EQ(items(106, 1215), shown);
    }

    void expect_save_matches_listing() {
        Lines shown = listing();
        ASSERT_TRUE(settings::write_settings_file(app, settings::kDefaultSettingsFile));
        Lines saved = read_lines(dir / "QZ.ini");
        auto prog_seq = std::find(saved.begin(), saved.end(), "*PROG_SEQ");
        if (c.checked(103, 1151) && prog_seq != saved.end()) saved.erase(prog_seq);
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
