#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "commands/encode_launch.h"
#include "commands/input_command.h"
#include "commands/startup.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMainPage;
using namespace qz::ui::main_window_ids;
using namespace qz::ui::main_page_ids;

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct ScriptedDialogs : qz::ui::DialogHost {
    qz::ui::Answer answer = qz::ui::Answer::Yes;
    int questions = 0, hidden = 0, restored = 0;
    qz::ui::Answer message_box(const std::string&, const std::string&, qz::ui::MessageKind kind) override {
        if (kind != qz::ui::MessageKind::Question) return qz::ui::Answer::Ok;
        ++questions;
        return answer;
    }
    std::optional<std::string> file_dialog(const qz::ui::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> browse_folder(const std::string&) override { return std::nullopt; }
    void hide_main_window() override { ++hidden; }
    void restore_main_window() override { ++restored; }
};

class EncodeLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = fs::temp_directory_path() / ("qz_encode_" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home / "DGDecode");
        fs::copy_file(QZ_FAKE_ENCODER, home / "QZenc_028.exe");
        std::ofstream(home / "DGDecode" / "DGDecode16.dll") << "library of project version 16";
        ::unsetenv("FAKE_ENCODER_MODE");
        start(home);
    }
    void TearDown() override {
        ::unsetenv("FAKE_ENCODER_MODE");
        ::unsetenv("FAKE_ENCODER_REWRITE_FILE");
        ::unsetenv("FAKE_ENCODER_REWRITE_TEXT");
        fs::remove_all(home);
    }

    void start(const fs::path& folder) {
        app = std::make_unique<qz::App>();
        app->dialogs = &dialogs;
        qz::commands::StartOptions options;
        options.home_folder = folder.string();
        qz::commands::start_up(*app, options);
        // A D2V input of project version 16, opened and valid, and an output.
        app->settings.input_valid = true;
        app->video.kind.is_d2v = true;
        app->video.kind.project_version = 16;
        app->video.kind.dgdecode_library = (folder / "DGDecode" / "DGDecode16.dll").string();
        app->settings.output_file = (folder / "movie.m2v").string();
        app->settings.set_given(qz::settings::kOutfile);
        app->log.clear();
    }

    std::vector<std::string> log() const {
        std::vector<std::string> lines;
        for (int i = 0; i < app->log.line_count(); ++i)
            lines.push_back(app->controls.item(kMainWindow, kMessageLog, i));
        return lines;
    }

    fs::path home;
    ScriptedDialogs dialogs;
    std::unique_ptr<qz::App> app;
};

TEST_F(EncodeLaunchTest, D2VEncodeRunsTheEncoderBesideItsLibraryCopyAndReportsTheTimes) {
    qz::commands::run_encode(*app);

    std::string ran = slurp(home / "fake_encoder_ran.txt");
    EXPECT_NE(ran.find("cwd=" + fs::canonical(home).string() + "\n"), std::string::npos) << ran;
    EXPECT_NE(ran.find("arguments=0\n"), std::string::npos);
    EXPECT_NE(ran.find("dgdecode_copy=1\n"), std::string::npos) << "the copy exists while the encoder runs";
    EXPECT_FALSE(fs::exists(home / "DGDecode.dll")) << "the copy is removed afterwards";
    EXPECT_EQ(dialogs.hidden, 1);
    EXPECT_EQ(dialogs.restored, 1);

    // The encoder found what "save QZ.ini" writes.
    std::string seen = slurp(home / "fake_encoder_seen_QZ.ini");
    ASSERT_TRUE(qz::settings::write_settings_file(*app, qz::settings::kDefaultSettingsFile));
    EXPECT_EQ(seen, slurp(home / "QZ.ini"));
    EXPECT_NE(seen.find("*OUTFILE"), std::string::npos);

    auto lines = log();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "file successfully written");
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("encoding started at: \\d\\d:\\d\\d:\\d\\d,  finished at: \\d\\d:\\d\\d:\\d\\d")))
        << lines[1];
    EXPECT_EQ(lines[1].size(), 53u);
    EXPECT_TRUE(std::regex_match(lines[2], std::regex("encoding time: [ 0-9]\\d:\\d\\d:\\d\\d\\.\\d\\d\\d"))) << lines[2];
}

TEST_F(EncodeLaunchTest, NothingStartsWhenTheSettingsFileCannotBeWritten) {
    fs::path unwritable = home / "not-a-folder";
    std::ofstream(unwritable) << "a file where the program folder should be";
    start(unwritable / "program");
    qz::commands::run_encode(*app);
    auto lines = log();
    // The library copy fails too there; what matters is the writer's reason, then the refusal.
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find("settings file write aborted"), std::string::npos)
        << ::testing::PrintToString(lines);
    EXPECT_EQ(lines.back(), "can't start encode...");
    EXPECT_FALSE(fs::exists(home / "fake_encoder_ran.txt"));
    EXPECT_FALSE(app->settings.write_completed);
}

TEST_F(EncodeLaunchTest, AnExistingOutputNeedsAYesAndIsNeverDeleted) {
    std::ofstream(home / "movie.m2v") << "an earlier encode";
    dialogs.answer = qz::ui::Answer::No;
    qz::commands::run_encode(*app);
    EXPECT_EQ(log(), std::vector<std::string>{"please rename outputfile"});
    EXPECT_FALSE(fs::exists(home / "fake_encoder_ran.txt"));

    dialogs.answer = qz::ui::Answer::Yes;
    qz::commands::run_encode(*app);
    EXPECT_TRUE(fs::exists(home / "fake_encoder_ran.txt"));
    EXPECT_EQ(dialogs.questions, 2);
    EXPECT_EQ(slurp(home / "movie.m2v"), "an earlier encode");
}

TEST_F(EncodeLaunchTest, AMissingOrCrashingEncoderIsReported) {
    fs::remove(home / "QZenc_028.exe");
    qz::commands::run_encode(*app);
    EXPECT_EQ(log().back(), "encoder " + (home / "QZenc_028.exe").string() + " NOT found");

    fs::copy_file(QZ_FAKE_ENCODER, home / "QZenc_028.exe");
    ::setenv("FAKE_ENCODER_MODE", "crash", 1);
    app->log.clear();
    qz::commands::run_encode(*app);
    EXPECT_EQ(log().back(), "WARNING, encoder ended abnormally");
    EXPECT_EQ(dialogs.restored, dialogs.hidden) << "the window always comes back";
}

// The script is edited while the encoder runs and no longer gives frames of the shape that was
// opened: it cannot be reopened, and nothing may offer a second encode of it.
TEST_F(EncodeLaunchTest, AScriptThatCannotBeReopenedLeavesNothingToEncode) {
    app->bridges.avisynth.library_override = QZ_AVS_STANDIN_LIBRARY;
    const fs::path script = home / "clip.avs";
    std::ofstream(script) << "BlankClip(length=25, width=352, height=288, pixel_type=\"YV12\", fps=25)\n";
    qz::commands::open_chosen_input(*app, script.string());
    ASSERT_TRUE(app->settings.input_valid) << ::testing::PrintToString(log());
    ASSERT_TRUE(app->controls.enabled(kMainWindow, kEncodeButton));

    ::setenv("FAKE_ENCODER_REWRITE_FILE", script.c_str(), 1);
    ::setenv("FAKE_ENCODER_REWRITE_TEXT", "BlankClip(length=25, width=720, height=576, pixel_type=\"YV12\", fps=25)\n", 1);
    app->log.clear();
    qz::commands::run_encode(*app);
    EXPECT_EQ(log().back(), "error reloading Avisynth script");
    EXPECT_FALSE(app->settings.input_valid);
    EXPECT_FALSE(app->video.open);
    EXPECT_FALSE(app->controls.enabled(kMainWindow, kEncodeButton))
        << "encode stays possible on an input that is not valid";
    EXPECT_EQ(app->controls.text(kMainPage, kFrameCountText), "-");
}

}  // namespace
