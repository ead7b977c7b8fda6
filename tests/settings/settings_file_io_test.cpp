// Settings files on disk through the whole program state: the pages, the record, the Message log.
#include "pages/defaults.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "commands/settings_commands.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMainPage;
using qz::ui::dialog::kSettings1Page;
using qz::ui::dialog::kSettings2Page;
using qz::ui::dialog::kSettings3Page;
using namespace qz::ui::main_window_ids;
using namespace qz::ui::main_page_ids;
using namespace qz::ui::settings1_ids;
using namespace qz::ui::settings2_ids;
using namespace qz::ui::settings3_ids;

namespace fs = std::filesystem;
using namespace qz;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void spill(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

fs::path test_data(const char* name) {
    return fs::path(QZ_TEST_DATA) / "settings" / name;
}

struct ScriptedDialogs : ui::DialogHost {
    std::vector<ui::FileDialogRequest> requests;
    std::optional<std::string> answer;
    ui::Answer message_box(const std::string&, const std::string&, ui::MessageKind) override { return ui::Answer::Ok; }
    std::optional<std::string> file_dialog(const ui::FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }
    std::optional<std::string> browse_folder(const std::string&) override { return std::nullopt; }
};

struct SettingsFileTest : ::testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    ScriptedDialogs dialogs;
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qz_settings_file_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        app->dialogs = &dialogs;
        app->paths = platform::build_program_paths((dir / "qzgui").string(), '/');
        app->settings.default_settings_path = app->paths.default_settings_file;
        app->processors = {true, 2};
        settings::reset_to_defaults(*app);
        spill(dir / "clip.avs", "BlankClip(length=1000, width=720, height=576, pixel_type=\"YV12\", fps=25)\n");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::vector<std::string> log() const {
        std::vector<std::string> lines;
        for (int i = 0; i < app->controls.item_count(kMainWindow, kMessageLog); ++i)
            lines.push_back(app->controls.item(kMainWindow, kMessageLog, i));
        return lines;
    }
    bool logged(const std::string& line) const {
        auto lines = log();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::string with_dir(std::string text) const {
        for (size_t at; (at = text.find("@DIR@")) != std::string::npos;) text.replace(at, 5, dir.string());
        return text;
    }
    std::string default_file() const { return slurp(app->paths.default_settings_file); }
};

TEST_F(SettingsFileTest, DefaultsSaveExactly) {
    app->controls.check_radio(kSettings1Page, kChromaProgressiveRadio);  // chroma downsampling progressive
    EXPECT_TRUE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
    EXPECT_EQ(default_file(), slurp(test_data("defaults.ini")));
    EXPECT_TRUE(app->settings.write_completed);
    EXPECT_EQ(log(), std::vector<std::string>{"file successfully written"});
}

// Loading a saved file and saving it again gives the same bytes, for the defaults and for files that
// between them set every keyword to a value other than its default.
TEST_F(SettingsFileTest, LoadThenSaveGivesTheSameBytes) {
    for (const char* name : {"defaults.ini", "every_keyword_vbr.ini", "every_keyword_cq.ini", "every_keyword_dv.ini"}) {
        // A fresh program each time: a load keeps the zone list and the DB and LL paths of the last one.
        app = std::make_unique<App>();
        app->paths = platform::build_program_paths((dir / "qzgui").string(), '/');
        app->settings.default_settings_path = app->paths.default_settings_file;
        app->processors = {true, 2};
        app->video.frame_rate = 23.976f;  // "3:2 pulldown" only stays on for a film-rate video
        const std::string text = with_dir(slurp(test_data(name)));
        ASSERT_FALSE(text.empty()) << name;
        spill(app->paths.default_settings_file, text);
        commands::load_settings_command(*app, false);
        EXPECT_TRUE(logged("QZ.ini successfully processed")) << name;
        app->settings.user_settings_path = (dir / "saved.ini").string();
        EXPECT_TRUE(settings::write_settings_file(*app, settings::kUserSettingsFile)) << name;
        EXPECT_EQ(slurp(dir / "saved.ini"), text) << name;
    }
}

TEST_F(SettingsFileTest, TheReaderReportsWhatItFound) {
    settings::read_settings_file(*app, settings::kDefaultSettingsFile);
    EXPECT_EQ(log(), std::vector<std::string>{"QZ.ini not found, using default GUI settings"});
    app->log.clear();

    app->settings.user_settings_path = (dir / "none.ini").string();
    settings::read_settings_file(*app, settings::kUserSettingsFile);
    EXPECT_EQ(log(), std::vector<std::string>{"error openening ini file"});
    app->log.clear();

    spill(dir / "user.ini", "*bitrate 6000\n");
    app->settings.user_settings_path = (dir / "user.ini").string();
    settings::read_settings_file(*app, settings::kUserSettingsFile);
    EXPECT_EQ(log(), (std::vector<std::string>{"USER ini file successfully processed", "WARNING, input file not found"}));
    EXPECT_TRUE(app->settings.is_given(settings::kBitrate));
    app->log.clear();

    // A folder is not read at all.
    app->settings.user_settings_path = dir.string();
    settings::read_settings_file(*app, settings::kUserSettingsFile);
    EXPECT_EQ(log(), std::vector<std::string>{"ini file not read, not a regular file: " + dir.string()});
    EXPECT_FALSE(app->settings.is_given(settings::kBitrate));
}

TEST_F(SettingsFileTest, ARejectedProjectClearsTheInput) {
    fs::create_directories(dir / "DGDecode");
    spill(dir / "missing.d2v", "DGIndexProjectFile16\n1\nnot_there.m2v\n");
    spill(dir / "old.d2v", "DGIndexProjectFile14\n0\n");
    spill(dir / "good.d2v", "DGIndexProjectFile16\n1\nclip.avs\n");

    app->controls.set_text(kMainPage, kInputButton, "input: something");
    spill(app->paths.default_settings_file, with_dir("*INFILE @DIR@/missing.d2v\n"));
    settings::read_settings_file(*app, settings::kDefaultSettingsFile);
    EXPECT_EQ(log(), (std::vector<std::string>{"QZ.ini successfully processed",
                                               "ERROR, invalid D2V project, can't find the VOB/MPEG files"}));
    EXPECT_EQ(app->settings.input_file, "");
    EXPECT_EQ(app->controls.text(kMainPage, kInputButton), "input file name (*.d2v, *.avs)");
    app->log.clear();

    spill(app->paths.default_settings_file, with_dir("*INFILE @DIR@/old.d2v\n"));
    settings::read_settings_file(*app, settings::kDefaultSettingsFile);
    EXPECT_EQ(log().back(), "ERROR, invalid D2V project, DGIndex/DGDecode mismatch");
    app->log.clear();

    spill(app->paths.default_settings_file, with_dir("*INFILE @DIR@/good.d2v\n"));
    settings::read_settings_file(*app, settings::kDefaultSettingsFile);
    EXPECT_EQ(log(), std::vector<std::string>{"QZ.ini successfully processed"});
    EXPECT_TRUE(app->settings.is_given(settings::kInfile));
    EXPECT_TRUE(app->video.kind.is_d2v);
    EXPECT_EQ(app->video.kind.dgdecode_library, (dir / "DGDecode" / "DGDecode16.dll").string());
}

TEST_F(SettingsFileTest, ALongPanScanListKeepsItsFirst6400Entries) {
    std::string text = "*PANSCAN 540 576 6401\n";
    for (int i = 0; i < 6401; ++i) text += std::to_string(i) + " 0 0\n";
    spill(app->paths.default_settings_file, text);
    settings::read_settings_file(*app, settings::kDefaultSettingsFile);
    EXPECT_EQ(log().front(), "ini file lists 6401 PanScan entries, only the first 6400 loaded");
    EXPECT_EQ(app->settings.panscan.count, 6400);
}

TEST_F(SettingsFileTest, AFailedWriteSaysSoAndKeepsTheEncoderFromStarting) {
    app->settings.default_settings_path = (dir / "no" / "such" / "folder" / "QZ.ini").string();
    EXPECT_FALSE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
    EXPECT_FALSE(app->settings.write_completed);
    EXPECT_EQ(log().front().rfind("settings file write aborted, can't create file: /", 0), 0u);
    app->log.clear();

    if (fs::exists("/dev/full")) {  // a device is never written, not even one that would take it
        app->settings.default_settings_path = "/dev/full";
        EXPECT_FALSE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
        EXPECT_FALSE(app->settings.write_completed);
        EXPECT_EQ(log(), std::vector<std::string>{"settings file write aborted, not a regular file: /dev/full"});
    }
}

TEST_F(SettingsFileTest, AnInvalidQuantizerAbortsTheWriteAfterTheB3Line) {
    app->controls.set_checked(kSettings1Page, kConstantQuantisationCheck, true);
    app->controls.set_text(kSettings1Page, kQuantiserBox, "abc");
    app->controls.set_checked(kSettings2Page, kAllow3BFramesCheck, true);
    EXPECT_FALSE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
    EXPECT_EQ(default_file(), "*MAXBITRATE       8000\n*AUTOGOP          15\n*B3\n");
    EXPECT_EQ(log(), std::vector<std::string>{"QZ.ini write aborted, invalid CQ value, not a number"});
}

TEST_F(SettingsFileTest, TheListingShowsWhatASaveWouldWrite) {
    app->controls.check_radio(kSettings1Page, kProgressiveRadio);  // progressive
    app->controls.set_checked(kSettings2Page, kProgressiveSequenceCheck, true);
    app->controls.set_checked(kMainPage, kPulldownCheck, true);  // 3:2 pulldown
    settings::refresh_listing(*app);
    ASSERT_TRUE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
    std::string shown;
    for (int i = 0; i < app->controls.item_count(kSettings2Page, kListing); ++i)
        shown += app->controls.item(kSettings2Page, kListing, i) + "\n";
    std::string saved = default_file();
    EXPECT_NE(saved.find("*PROG_SEQ\n"), std::string::npos);
    saved.erase(saved.find("*PROG_SEQ\n"), 10);
    EXPECT_EQ(shown, saved);
    for (int page : {kSettings1Page, kSettings3Page}) {
        ASSERT_EQ(app->controls.item_count(page, kListing), app->controls.item_count(kSettings2Page, kListing));
        EXPECT_EQ(app->controls.item(page, kListing, 0), app->controls.item(kSettings2Page, kListing, 0));
    }

    app->log.clear();
    app->controls.set_checked(kSettings1Page, kConstantQuantisationCheck, true);
    app->controls.set_text(kSettings1Page, kQuantiserBox, "");
    settings::refresh_listing(*app);
    EXPECT_EQ(log(), std::vector<std::string>{"show QZ.ini aborted, invalid CQ value, not a number"});
    EXPECT_FALSE(app->settings.write_completed);
}

TEST_F(SettingsFileTest, TheUserFileCommandsAskForTheFile) {
    // Cancelled: nothing happens.
    app->settings.user_settings_path = "/old/place/mine.ini";
    commands::load_settings_command(*app, true);
    commands::save_settings_command(*app, true);
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(app->settings.user_settings_path, "/old/place/mine.ini");
    const ui::FileDialogRequest& open = dialogs.requests[0];
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.title, "select ini file");
    EXPECT_EQ(open.filter_text, "ini file     (*.ini)");
    EXPECT_EQ(open.pattern, "*.ini");
    EXPECT_EQ(open.default_extension, "ini");
    EXPECT_EQ(open.start_name, "/old/place/mine.ini");
    EXPECT_EQ(open.start_folder, "/old/place/");
    EXPECT_TRUE(dialogs.requests[1].save);
    EXPECT_EQ(dialogs.requests[1].title, "save ini file");

    dialogs.answer = (dir / "mine.ini").string();
    app->controls.set_text(kMainPage, kAverageBitrateBox, "5500");
    commands::save_settings_command(*app, true);
    EXPECT_NE(slurp(dir / "mine.ini").find("*BITRATE          5500\n"), std::string::npos);
    settings::reset_to_defaults(*app);
    EXPECT_EQ(app->controls.text(kMainPage, kAverageBitrateBox), "4000");
    commands::load_settings_command(*app, true);
    EXPECT_EQ(app->controls.text(kMainPage, kAverageBitrateBox), "5500");
    EXPECT_TRUE(logged("USER ini file successfully processed"));

    // "load QZ.ini" and "save QZ.ini" need no dialog.
    commands::save_settings_command(*app, false);
    EXPECT_NE(default_file().find("*BITRATE          5500\n"), std::string::npos);
    EXPECT_EQ(dialogs.requests.size(), 4u);
}

}  // namespace
