// The scene-change scan as the user runs it: a script opened as the input, "create SCD chapter list"
// pressed, the worker left to finish or stopped in the middle. Built also under ThreadSanitizer.
#include "commands/input_command.h"
#include "commands/main_window.h"
#include "framelists/scene_scan.h"
#include "platform/platform.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qz {
namespace {

namespace fs = std::filesystem;
using ui::dialog::kChaptersPage;

std::vector<std::string> log_lines(const App& app) {
    std::vector<std::string> lines;
    for (int i = 0; i < app.log.line_count(); ++i) lines.push_back(app.controls.item(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLog, i));
    return lines;
}

bool logged(const App& app, const std::string& line) {
    const auto lines = log_lines(app);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class SceneScanTest : public ::testing::Test {
protected:
    void open_script(const std::string& body) {
        folder = fs::temp_directory_path() / ("qz_scene_scan_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const fs::path script = folder / "cuts.avs";
        std::ofstream(script) << body;
        app = std::make_unique<App>();
        app->cpu_level = 7;
        app->paths.program_folder = folder.string() + "/";
        commands::open_chosen_input(*app, script.string());
        ASSERT_TRUE(app->video.open) << ::testing::PrintToString(log_lines(*app));
    }
    void TearDown() override {
        if (app) framelists::abort_scene_scan_on_exit(*app);
        app.reset();
        fs::remove_all(folder);
    }
    void wait_for_scan(double seconds) {
        const double deadline = platform::monotonic_seconds() + seconds;
        while (app->scan_running && platform::monotonic_seconds() < deadline) platform::sleep_ms(5);
        framelists::collect_finished_scan(*app);
    }
    std::vector<std::string> list_box() const {
        std::vector<std::string> items;
        for (int i = 0; i < app->controls.item_count(kChaptersPage, ui::chapters_ids::kList); ++i)
            items.push_back(app->controls.item(kChaptersPage, ui::chapters_ids::kList, i));
        return items;
    }

    fs::path folder;
    std::unique_ptr<App> app;
};

// Three shots joined by hard cuts at frames 20 and 45: bars, a flat grey, bars again.
constexpr const char* kThreeShots =
    "bars = ColorBars(width=720, height=576, pixel_type=\"YV12\")\n"
    "grey = BlankClip(bars, length=25, color=$606060)\n"
    "bars.Trim(0, 19) ++ grey ++ bars.Trim(0, 29)\n";

TEST_F(SceneScanTest, HardCutsBecomeChaptersAndThePageIsGivenBack) {
    open_script(kThreeShots);
    framelists::toggle_scene_scan(*app);
    wait_for_scan(60);

    ASSERT_FALSE(app->scan_running);
    EXPECT_EQ(app->settings.chapters.count, 2);
    EXPECT_EQ(list_box(), (std::vector<std::string>{"      20", "      45"}));
    EXPECT_TRUE(logged(*app, "scene change chapters put into list"));
    EXPECT_EQ(app->controls.text(kChaptersPage, ui::chapters_ids::kSceneChangeScan), framelists::kScanCaption);
    EXPECT_TRUE(app->controls.enabled(kChaptersPage, ui::preview_ids::kSlider));
    EXPECT_EQ(app->controls.pos(kChaptersPage, ui::preview_ids::kSlider), 987);  // 74 x 1000 / 75
}

TEST_F(SceneScanTest, StoppingInTheMiddleKeepsWhatWasFound) {
    // A long clip of bars with one cut near the start: the stop comes long before the end.
    open_script("bars = ColorBars(width=720, height=576, pixel_type=\"YV12\")\n"
                "BlankClip(bars, length=10, color=$404040) ++ bars\n");
    framelists::toggle_scene_scan(*app);
    // The frame box follows the worker through the control model: past frame 30 the cut is found.
    const double deadline = platform::monotonic_seconds() + 60;
    while (std::atoi(app->controls.text(kChaptersPage, ui::preview_ids::kCurrentFrame).c_str()) < 30 &&
           platform::monotonic_seconds() < deadline)
        platform::sleep_ms(1);
    EXPECT_EQ(app->controls.text(kChaptersPage, ui::chapters_ids::kSceneChangeScan), framelists::kStopScanCaption);
    EXPECT_FALSE(app->controls.enabled(kChaptersPage, ui::chapters_ids::kAdd));
    // The other tabs are locked while the worker runs.
    app->controls.set_selected_tab(1);
    commands::on_tab_change(*app, ui::Event{});
    EXPECT_EQ(app->controls.selected_tab(), ui::dialog::tab_of_page(kChaptersPage));
    EXPECT_TRUE(logged(*app, "can't change tab while scene change detection scan is running"));
    framelists::toggle_scene_scan(*app);

    EXPECT_FALSE(app->scan_running);
    const auto lines = log_lines(*app);
    const auto waiting = std::find(lines.begin(), lines.end(), "waiting for codec...");
    ASSERT_NE(waiting, lines.end());
    ASSERT_GE(lines.end() - waiting, 3);
    EXPECT_EQ(waiting[1], "done...");
    EXPECT_EQ(waiting[2], "scanning interrupted, found scene changes put into chapter list");
    EXPECT_EQ(list_box(), (std::vector<std::string>{"      10"}));
    EXPECT_TRUE(app->controls.enabled(kChaptersPage, ui::chapters_ids::kAdd));
    EXPECT_EQ(app->controls.text(kChaptersPage, ui::chapters_ids::kSceneChangeScan), framelists::kScanCaption);
}

TEST_F(SceneScanTest, ClosingTheProgramDuringAScanEndsTheWorker) {
    open_script("ColorBars(width=720, height=576, pixel_type=\"YV12\")\n");
    framelists::toggle_scene_scan(*app);
    framelists::abort_scene_scan_on_exit(*app);
    EXPECT_FALSE(app->scan_running);
    EXPECT_FALSE(app->scan_worker.joinable());
    EXPECT_TRUE(logged(*app, "aborting scene change detection scan..."));
}

}  // namespace
}  // namespace qz
