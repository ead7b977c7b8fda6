// The input button's command when the chosen file does not exist: nothing of the previous input may
// stay, on the pages or in the settings file a save writes.
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "commands/input_command.h"
#include "commands/startup.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMainPage;
using namespace qz::ui::main_window_ids;
using namespace qz::ui::main_page_ids;

namespace fs = std::filesystem;

class InputCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = fs::temp_directory_path() / ("qz_input_command_" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home);
        app = std::make_unique<qz::App>();
        qz::commands::StartOptions options;
        options.home_folder = home.string();
        qz::commands::start_up(*app, options);
        app->bridges.avisynth.library_override = QZ_AVS_STANDIN_LIBRARY;
    }
    void TearDown() override { fs::remove_all(home); }

    // The settings file "save ini file" writes now.
    std::string saved(const std::string& name) {
        app->settings.user_settings_path = (home / name).string();
        EXPECT_TRUE(qz::settings::write_settings_file(*app, qz::settings::kUserSettingsFile));
        std::ifstream in(home / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path home;
    std::unique_ptr<qz::App> app;
};

TEST_F(InputCommandTest, AMissingInputLeavesNothingOfThePreviousOne) {
    const fs::path script = home / "clip.avs";
    std::ofstream(script) << "BlankClip(length=50, width=720, height=576, pixel_type=\"YV12\", fps=25)\n";
    app->settings.output_file = (home / "movie.m2v").string();
    app->settings.set_given(qz::settings::kOutfile);
    qz::commands::open_chosen_input(*app, script.string());
    ASSERT_TRUE(app->settings.input_valid);
    ASSERT_TRUE(app->controls.enabled(kMainWindow, kEncodeButton));
    ASSERT_NE(saved("with_input.ini").find("*INFILE           " + script.string() + "\n"), std::string::npos);

    qz::commands::open_chosen_input(*app, (home / "no_such_clip.avs").string());
    EXPECT_EQ(app->controls.item(kMainWindow, kMessageLog, app->log.line_count() - 1), "input file not found");
    EXPECT_FALSE(app->settings.input_valid);
    EXPECT_FALSE(app->video.open);
    EXPECT_EQ(app->video.frame_count, 0);
    EXPECT_FALSE(app->video.kind.is_avs);
    EXPECT_TRUE(app->settings.input_file.empty());
    EXPECT_EQ(app->controls.text(kMainPage, kInputButton), "input file name (*.d2v, *.avs)");
    EXPECT_EQ(app->controls.text(kMainPage, kFrameCountText), "-");
    EXPECT_FALSE(app->controls.enabled(kMainWindow, kEncodeButton));
    const std::string after = saved("after_missing_input.ini");
    EXPECT_EQ(after.find("*INFILE"), std::string::npos) << after;
    EXPECT_NE(after.find("*OUTFILE"), std::string::npos) << "the output stays named";

    // Whatever marks an input as given, an empty name is never written.
    app->settings.set_given(qz::settings::kInfile);
    EXPECT_EQ(saved("marked_but_empty.ini").find("*INFILE"), std::string::npos);
}

}  // namespace
