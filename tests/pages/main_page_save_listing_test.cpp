// After any sequence of Main page actions, "save QZ.ini" writes the lines the "current QZ.ini"
// listing shows (apart from the listing's documented differences), and the page keeps its own rules:
// the average never above the maximum, the frame range inside the video.
#include "main_page_fixture.h"

#include "settings/free_format.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

using namespace qz;
using namespace qz::test;
namespace fs = std::filesystem;

constexpr int kClickable[] = {1101, 1102, 1103, 1125, 1120, 1121, 1130, 1131, 1132, 1133, 1134, 1135, 1136, 1137,
                              1140, 1141, 1142, 1143, 1150, 1151, 1152, 1153, 1156, 1157};
constexpr int kFields[] = {1122, 1123, 1124, 1126, 1127};

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
            case 0: user.spin(kMain, 1155, pick(0, 25)); break;
            case 1: user.type(kMain, 1154, pick(0, 3) ? std::to_string(pick(8, 18)) : some_number_text()); break;
            case 2:
            case 3: {
                int id = kFields[pick(0, static_cast<int>(std::size(kFields)) - 1)];
                if (user.type(kMain, id, some_number_text()) == ui::ActionResult::Done) user.leave(kMain, id);
                break;
            }
            default: user.click(kMain, kClickable[pick(0, static_cast<int>(std::size(kClickable)) - 1)]); break;
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
        for (int i = 0; i < c.item_count(dialog, 1215); ++i) lines.push_back(c.item(dialog, 1215, i));
        return lines;
    }

    // The listing's documented differences from the file: its order, *PROG_SEQ left out under 3:2
    // pulldown, and *AUTOGOP only for a box holding an integer, written anew.
    void expect_same_lines(std::vector<std::string> saved, std::vector<std::string> shown) {
        int32_t automatic_length = 0;
        const std::string box = main_text(1154);
        const bool autogop_written = c.checked(kMain, 1153);
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
        if (c.checked(kMain, 1151)) saved.erase(std::remove(saved.begin(), saved.end(), "*PROG_SEQ"), saved.end());
        std::sort(saved.begin(), saved.end());
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(saved, shown);
    }

    void expect_page_rules() {
        int32_t average = 0, maximum = 0;
        if (settings::parse_int_text(main_text(1123), average) && settings::parse_int_text(main_text(1124), maximum)) {
            EXPECT_LE(average, maximum);
        }
        const auto& v = app.settings.values;
        if (!app.settings.input_valid) return;
        EXPECT_LE(0, v.first_frame);
        EXPECT_LE(v.first_frame, v.last_frame);
        EXPECT_LT(v.last_frame, app.video.frame_count);
        EXPECT_EQ(v.frames_to_encode, v.last_frame - v.first_frame + 1);
        EXPECT_EQ(main_text(1126), std::to_string(v.first_frame));
        EXPECT_EQ(main_text(1127), std::to_string(v.last_frame));
        EXPECT_EQ(main_text(1167), std::to_string(v.frames_to_encode));
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
        expect_same_lines(file_lines(folder / "QZ.ini"), listing(104));
        EXPECT_EQ(listing(104), listing(105));
        EXPECT_EQ(listing(104), listing(106));

        // A Main page change while the listing is in view shows at once.
        user.click(kMain, 1156);
        ASSERT_TRUE(settings::write_settings_file(app, settings::kDefaultSettingsFile));
        expect_same_lines(file_lines(folder / "QZ.ini"), listing(105));
        user.tab(1);
    }
    fs::remove_all(folder);
}

}  // namespace
