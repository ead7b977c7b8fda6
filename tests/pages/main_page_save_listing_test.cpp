// After any sequence of Main page actions, "save QZ.ini" writes the lines the "current QZ.ini"
// listing shows (apart from the listing's documented differences), and the page keeps its own rules:
// the average never above the maximum, the frame range inside the video.
#include "main_page_fixture.h"

#include "settings/free_format.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

using qz::ui::dialog::kMainPage;
using qz::ui::dialog::kSettings1Page;
using qz::ui::dialog::kSettings2Page;
using qz::ui::dialog::kSettings3Page;
using namespace qz::ui::main_page_ids;
using namespace qz::ui::settings1_ids;
using namespace qz::ui::settings2_ids;
using namespace qz::ui::settings3_ids;

using namespace qz;
using namespace qz::test;
namespace fs = std::filesystem;

constexpr int kClickable[] = {kResetButton,         kDvdCompliantButton, kBdCompliantButton, kAllFramesButton,
                              kAverageBitrateRadio, kFileLengthRadio,    kFastRadio,         kNormalRadio,
                              kBestRadio,           kAspect1To1Radio,    kAspect4To3Radio,   kAspect16To9Radio,
                              kAspect221To1Radio,   kAspectPanScanRadio, kDcPrecision8Radio, kDcPrecision9Radio,
                              kDcPrecision10Radio,  kDcPrecision11Radio, kSmpCheck,          kPulldownCheck,
                              kSceneChangeCheck,    kAutoGopCheck,       kClosedGopsCheck,   kOnePassVbrCheck};
constexpr int kFields[] = {kFileLengthBox, kAverageBitrateBox, kMaxBitrateBox, kStartFrameBox, kEndFrameBox};

class SaveMatchesListingTest : public MainPageTest {
protected:
    std::mt19937 random{1};

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::string some_number_text() {
        switch (pick(0, 5)) {
            case 0: return "";
            case 1: return "x" + std::to_string(pick(0, 9));
            case 2: return std::to_string(pick(-20, 20));
            case 3: return std::to_string(pick(0, 3000));
            default: return std::to_string(pick(0, 30000));
        }
    }

    void random_action() {
        switch (pick(0, 9)) {
            case 0: user.spin(kMainPage, kAutoGopSpin, pick(0, 25)); break;
            case 1:
                user.type(kMainPage, kAutoGopBox, pick(0, 3) ? std::to_string(pick(8, 18)) : some_number_text());
                break;
            case 2:
            case 3: {
                int id = kFields[pick(0, static_cast<int>(std::size(kFields)) - 1)];
                if (user.type(kMainPage, id, some_number_text()) == ui::ActionResult::Done) user.leave(kMainPage, id);
                break;
            }
            default: user.click(kMainPage, kClickable[pick(0, static_cast<int>(std::size(kClickable)) - 1)]); break;
        }
    }

    static std::vector<std::string> file_lines(const fs::path& path) {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::vector<std::string> listing(int dialog) {
        std::vector<std::string> lines;
        for (int i = 0; i < c.item_count(dialog, kListing); ++i) lines.push_back(c.item(dialog, kListing, i));
        return lines;
    }

    // The listing's documented differences from the file: its order, *PROG_SEQ left out under 3:2
    // pulldown, and *AUTOGOP only for a box holding an integer, written anew.
    void expect_same_lines(std::vector<std::string> saved, std::vector<std::string> shown) {
        int32_t automatic_length = 0;
        const std::string box = main_text(kAutoGopBox);
        const bool autogop_written = c.checked(kMainPage, kAutoGopCheck);
        auto autogop_line = [](const std::string& line) { return line.rfind("*AUTOGOP", 0) == 0; };
        if (autogop_written) {
            auto in_file = std::find_if(saved.begin(), saved.end(), autogop_line);
            auto in_listing = std::find_if(shown.begin(), shown.end(), autogop_line);
            ASSERT_NE(in_file, saved.end());
            if (settings::parse_int_text(box, automatic_length)) {
                ASSERT_NE(in_listing, shown.end());
                EXPECT_EQ(*in_listing, "*AUTOGOP          " + std::to_string(automatic_length));
                shown.erase(in_listing);
            } else {
                EXPECT_EQ(in_listing, shown.end());
            }
            saved.erase(in_file);
        }
        if (c.checked(kMainPage, kPulldownCheck))
            saved.erase(std::remove(saved.begin(), saved.end(), "*PROG_SEQ"), saved.end());
        std::sort(saved.begin(), saved.end());
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(saved, shown);
    }

    void expect_page_rules() {
        int32_t average = 0, maximum = 0;
        if (settings::parse_int_text(main_text(kAverageBitrateBox), average) &&
            settings::parse_int_text(main_text(kMaxBitrateBox), maximum)) {
            EXPECT_LE(average, maximum);
        }
        const auto& v = app.settings.values;
        if (!app.settings.input_valid) return;
        EXPECT_LE(0, v.first_frame);
        EXPECT_LE(v.first_frame, v.last_frame);
        EXPECT_LT(v.last_frame, app.video.frame_count);
        EXPECT_EQ(v.frames_to_encode, v.last_frame - v.first_frame + 1);
        EXPECT_EQ(main_text(kStartFrameBox), std::to_string(v.first_frame));
        EXPECT_EQ(main_text(kEndFrameBox), std::to_string(v.last_frame));
        EXPECT_EQ(main_text(kEncodingFramesText), std::to_string(v.frames_to_encode));
    }
};

TEST_F(SaveMatchesListingTest, AfterRandomActionSequences) {
    const fs::path folder = fs::temp_directory_path() / ("qz_save_listing_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    app.settings.default_settings_path = (folder / "QZ.ini").string();

    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        random.seed(seed);
        app.settings.input_valid = false;
        app.video.clear_properties();
        SetUp();
        if (seed % 2) open_video(720, seed % 4 == 1 ? 576 : 480, seed % 4 == 1 ? 25.0f : 23.976f, 3000);
        for (int step = 0; step < 80; ++step) random_action();
        expect_page_rules();

        ASSERT_EQ(user.tab(2), ui::ActionResult::Done);  // the tab change shows the listing
        ASSERT_TRUE(settings::write_settings_file(app, settings::kDefaultSettingsFile));
        expect_same_lines(file_lines(folder / "QZ.ini"), listing(kSettings1Page));
        EXPECT_EQ(listing(kSettings1Page), listing(kSettings2Page));
        EXPECT_EQ(listing(kSettings1Page), listing(kSettings3Page));

        // A Main page change while the listing is in view shows at once.
        user.click(kMainPage, kClosedGopsCheck);
        ASSERT_TRUE(settings::write_settings_file(app, settings::kDefaultSettingsFile));
        expect_same_lines(file_lines(folder / "QZ.ini"), listing(kSettings2Page));
        user.tab(1);
    }
    fs::remove_all(folder);
}

}  // namespace
