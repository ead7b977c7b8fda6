#include "framelists/scene_scan.h"

#include "framelists/preview_picture.h"
#include "pages/fetch_frame.h"
#include "platform/platform.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace qz::framelists {

namespace {

using ui::dialog::kChaptersPage;
namespace ids = ui::preview_ids;
namespace chapter_ids = ui::chapters_ids;

// Every control of the page that could change the chapter list or the current frame.
constexpr int kLockedWhileScanning[] = {
    chapter_ids::kImport,       chapter_ids::kExport,      chapter_ids::kClear,        chapter_ids::kAdd,
    chapter_ids::kRemove,       chapter_ids::kSetStartFrame, chapter_ids::kSetEndFrame, ids::kStepForward,
    ids::kSmallForward,         ids::kLargeForward,        ids::kStepBack,             ids::kSmallBack,
    ids::kLargeBack,            ids::kCurrentFrame,        ids::kSlider,
};

// The worker waits this long for a stop to be seen before the forced path is reported.
constexpr double kStopWaitSeconds = 2.5;
constexpr int kPauseAfterStopMs = 100;
constexpr int kPauseAfterAbortMs = 1000;

std::string frame_box_text(int32_t frame) {
    char text[16];
    std::snprintf(text, sizeof text, "%8d", frame);
    return text;
}

void lock_page(App& app, bool locked) {
    for (int id : kLockedWhileScanning) app.controls.set_enabled(kChaptersPage, id, !locked);
}

// The list box filled once, in one change, from the chapters the scan found.
void show_found_chapters(App& app) {
    const settings::ChapterList& chapters = app.settings.chapters;
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(chapters.count));
    for (int32_t i = 0; i < chapters.count; ++i) lines.push_back(frame_box_text(chapters.frames[static_cast<size_t>(i)]));
    app.controls.set_items(kChaptersPage, chapter_ids::kList, std::move(lines));
}

void restore_page(App& app) {
    app.controls.set_text(kChaptersPage, chapter_ids::kSceneChangeScan, kScanCaption);
    lock_page(app, false);
}

// The frames the scan compares, fetched through the open input straight into the scan's own planes;
// a frame that cannot be had is reported in the log and the scan keeps the frame before.
class InputFrames final : public preview::ScanFrameSource {
public:
    explicit InputFrames(App& app) : app_(app) {}
    bool fetch_frame(int32_t n) override { return input::fetch_frame(app_, n) == input::FetchOutcome::fetched; }
    preview::ScanPlanes planes() const override {
        return {app_.video.y.data(), app_.video.u.data(), app_.video.v.data()};
    }
    bool fetches_into_target() const override { return true; }
    bool fetch_frame_into(int32_t n, const preview::ScanTarget& target) override {
        const input::FramePlanes planes{{target.y, preview::kScanLumaCapacity},
                                        {target.u, preview::kScanChromaCapacity},
                                        {target.v, preview::kScanChromaCapacity}};
        const input::FetchOutcome outcome = input::fetch_frame_into(app_.bridges, app_.video, n, planes);
        const std::string line = input::fetch_outcome_text(outcome, app_.bridges);
        if (!line.empty()) app_.log.add(line);
        if (outcome == input::FetchOutcome::fetched) last_ = target;
        return outcome == input::FetchOutcome::fetched;
    }
    // The frame last fetched, into the Video source's planes, where the picture is built from.
    void show_last_frame() {
        const size_t luma = size_t(app_.video.width) * size_t(app_.video.height);
        if (!last_.y || luma > app_.video.y.size()) return;
        std::copy_n(last_.y, luma, app_.video.y.data());
        std::copy_n(last_.u, luma / 4, app_.video.u.data());
        std::copy_n(last_.v, luma / 4, app_.video.v.data());
    }

private:
    App& app_;
    preview::ScanTarget last_;
};

// What the worker shows while it runs: log lines, progress on the slider and the frame box, the
// frame at each change. Every call comes from the worker; the control model serialises them.
class PageReport final : public preview::ScanReport {
public:
    PageReport(App& app, InputFrames& frames) : app_(app), frames_(frames) {}
    void log(std::string_view line) override { app_.log.add(line); }
    void progress(int32_t frame, int32_t slider_position) override {
        app_.video.current_frame = frame;
        app_.controls.set_pos(kChaptersPage, ids::kSlider, slider_position);
        app_.controls.set_text(kChaptersPage, ids::kCurrentFrame, frame_box_text(frame));
    }
    void scene_change(int32_t, int32_t current_frame) override {
        app_.video.current_frame = current_frame;
        frames_.show_last_frame();
        show_picture(app_);
    }

private:
    App& app_;
    InputFrames& frames_;
};

preview::ScanVideo scan_video(const App& app) {
    preview::ScanVideo video;
    video.width = app.video.width;
    video.height = app.video.height;
    video.frame_count = app.video.frame_count;
    video.luma_bytes = app.video.width * app.video.height;
    video.chroma_bytes = video.luma_bytes / 4;
    return video;
}

void scan_frames(App& app) {
    InputFrames frames(app);
    PageReport report(app, frames);
    preview::ScanChapters chapters(app.settings.chapters.frames);
    const preview::ScanResult result =
        app.scan_engine->run(scan_video(app), preview::select_block_kernels(app.cpu_level), frames, report, chapters,
                             app.scan_stop_requested);
    app.settings.chapters.count = chapters.count();
    // The planes hold the current frame again, as after any navigation: the last frame fetched.
    frames.show_last_frame();
    app.video.current_frame = result.last_frame;
    if (result.outcome == preview::ScanOutcome::finished) {
        show_found_chapters(app);
        app.scan_running = false;
        restore_page(app);
    }
    app.scan_worker_done = true;
}

void start_scan(App& app) {
    // A worker that has just given the page back may still be on its last step: it ends before the
    // flags are set for the next one, or it would see them.
    if (app.scan_worker.joinable()) app.scan_worker.join();
    settings::ChapterList& chapters = app.settings.chapters;
    chapters.count = 0;
    chapters.frames.fill(0);
    app.controls.clear_items(kChaptersPage, chapter_ids::kList);
    app.controls.set_text(kChaptersPage, chapter_ids::kSceneChangeScan, kStopScanCaption);
    lock_page(app, true);
    if (!app.scan_engine) app.scan_engine = std::make_unique<preview::SceneChangeScan>();
    app.scan_stop_requested = false;
    app.scan_worker_done = false;
    app.scan_running = true;
    app.scan_worker = std::jthread([&app](std::stop_token stop) {
        // The program's end asks the worker to stop through the thread's own token too.
        std::stop_callback on_stop(stop, [&app] { app.scan_stop_requested = true; });
        scan_frames(app);
    });
}

// Asks the worker to stop and waits for it; true when it ended within the wait. The worker checks
// the request between frames, so it is always joined: a frame being decoded is finished first.
bool stop_worker(App& app) {
    app.scan_stop_requested = true;
    const double deadline = platform::monotonic_seconds() + kStopWaitSeconds;
    while (!app.scan_worker_done && platform::monotonic_seconds() < deadline) platform::sleep_ms(5);
    const bool ended = app.scan_worker_done;
    if (app.scan_worker.joinable()) app.scan_worker.join();
    return ended;
}

void stop_scan(App& app) {
    app.log.add("waiting for codec...");
    app.log.add(stop_worker(app) ? "done..." : "failed, forced codec release...");
    platform::sleep_ms(kPauseAfterStopMs);
    restore_page(app);
    show_found_chapters(app);
    app.log.add("scanning interrupted, found scene changes put into chapter list");
    app.scan_running = false;
}

}  // namespace

void toggle_scene_scan(App& app) {
    const std::string caption = app.controls.text(kChaptersPage, chapter_ids::kSceneChangeScan);
    if (caption.starts_with("stop")) stop_scan(app);
    else start_scan(app);
}

void abort_scene_scan_on_exit(App& app) {
    if (!app.scan_running) {
        collect_finished_scan(app);
        return;
    }
    app.log.add("aborting scene change detection scan...");
    stop_worker(app);
    app.scan_running = false;
    platform::sleep_ms(kPauseAfterAbortMs);
}

void collect_finished_scan(App& app) {
    if (app.scan_worker_done && app.scan_worker.joinable()) app.scan_worker.join();
}

}  // namespace qz::framelists
