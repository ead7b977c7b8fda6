// The scene-change scan as the user runs it: a script opened as the input, "create SCD chapter list"
// pressed, the worker left to finish or stopped in the middle. Built also under ThreadSanitizer.
#include "commands/input_command.h"
#include "commands/main_window.h"
#include "d2v_writer.h"
#include "pages/fetch_frame.h"
#include "framelists/scene_scan.h"
#include "platform/platform.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

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

std::string command_output(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

class SceneScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("qz_scene_scan_" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void open_input(const fs::path& path) {
        app = std::make_unique<App>();
        app->cpu_level = 7;
        app->paths.program_folder = folder.string() + "/";
        app->paths.dgdecode_folder = QZ_DGDECODE_DIR "/";
        commands::open_chosen_input(*app, path.string());
        ASSERT_TRUE(app->video.open) << ::testing::PrintToString(log_lines(*app));
    }
    void open_script(const std::string& body) {
        const fs::path script = folder / "cuts.avs";
        std::ofstream(script) << body;
        open_input(script);
    }
    // An MPEG-2 project of `stream`, indexed as the DGDecode library expects.
    fs::path project_of(const fs::path& stream) {
        testclip::D2vSpec spec;
        spec.d2v_path = (folder / (stream.stem().string() + ".d2v")).string();
        spec.stream_files = {stream.string()};
        std::string error;
        EXPECT_TRUE(testclip::write_d2v(spec, error)) << error;
        return spec.d2v_path;
    }
    std::vector<int32_t> scan_chapters() {
        framelists::toggle_scene_scan(*app);
        wait_for_scan(120);
        const settings::ChapterList& list = app->settings.chapters;
        return {list.frames.begin(), list.frames.begin() + list.count};
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

// Footage of four different test sources joined by hard cuts at frames 25, 55 and 85, made and
// encoded by ffmpeg, opened as a D2V project: exactly the cuts become chapters.
TEST_F(SceneScanTest, RealFootageGivesExactlyTheCutFrames) {
    const fs::path stream = folder / "footage.m2v";
    const std::string output = command_output(
        "ffmpeg -nostdin -v error -y -filter_complex "
        "\"testsrc2=s=720x576:r=25:d=1[a];smptebars=s=720x576:r=25:d=1.2[b];"
        "mandelbrot=s=720x576:r=25,trim=end_frame=30[c];rgbtestsrc=s=720x576:r=25:d=1[d];"
        "[a][b][c][d]concat=n=4:v=1,format=yuv420p\" -c:v mpeg2video -q:v 2 -g 12 -bf 2 '" +
        stream.string() + "'");
    ASSERT_TRUE(fs::exists(stream)) << output;
    open_input(project_of(stream));
    ASSERT_EQ(app->video.frame_count, 110);
    EXPECT_EQ(scan_chapters(), (std::vector<int32_t>{25, 55, 85}));
}

// The same three shots as a script and as an MPEG-2 project made from the script's own frames.
TEST_F(SceneScanTest, AScriptAndAProjectOfTheSameContentGiveTheSameChapters) {
    open_script(kThreeShots);
    const fs::path raw = folder / "shots.yuv";
    {
        std::ofstream out(raw, std::ios::binary);
        const size_t luma = size_t(app->video.width) * size_t(app->video.height);
        for (int n = 0; n < app->video.frame_count; ++n) {
            ASSERT_EQ(input::fetch_frame(*app, n), input::FetchOutcome::fetched);
            out.write(reinterpret_cast<const char*>(app->video.y.data()), std::streamsize(luma));
            out.write(reinterpret_cast<const char*>(app->video.u.data()), std::streamsize(luma / 4));
            out.write(reinterpret_cast<const char*>(app->video.v.data()), std::streamsize(luma / 4));
        }
    }
    const std::vector<int32_t> from_script = scan_chapters();
    EXPECT_EQ(from_script, (std::vector<int32_t>{20, 45}));

    const fs::path stream = folder / "shots.m2v";
    const std::string output = command_output("ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt yuv420p -s 720x576 -r 25 -i '" +
                                              raw.string() + "' -c:v mpeg2video -q:v 2 -g 12 -bf 2 '" + stream.string() + "'");
    ASSERT_TRUE(fs::exists(stream)) << output;
    framelists::abort_scene_scan_on_exit(*app);
    open_input(project_of(stream));
    EXPECT_EQ(scan_chapters(), from_script);
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
