// The whole scene-change scan on a 1920 x 1080 D2V project, as the program runs it (every frame
// fetched through the DGDecode stand-in, then measured by the scan engine), against the decoding it
// needs on its own and against `ffmpeg -vf scdet` on the same file. Prints frames per second of each
// and the ratios, all from this one run.
#include "bench_clip.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "commands/input_open.h"
#include "input/frame_fetch.h"
#include "input/input_kind.h"
#include "preview/scan_engine.h"
#include "state/app.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::unique_ptr<qz::App> open_project(const std::string& d2v) {
    auto app = std::make_unique<qz::App>();
    app->cpu_level = 7;
    app->paths.program_folder = std::string(QZ_PROGRAM_DIR) + "/";
    app->paths.dgdecode_folder = std::string(QZ_PROGRAM_DIR) + "/DGDecode/";
    app->settings.input_file = d2v;
    app->video.kind = qz::input::classify_input(d2v, app->paths.dgdecode_folder);
    if (qz::input::open_d2v_input(*app) != qz::input::OpenOutcome::opened) return nullptr;
    return app;
}

class ProjectFrames final : public qz::preview::ScanFrameSource {
public:
    explicit ProjectFrames(qz::App& app) : app_(app) {}
    bool fetch_frame(int32_t n) override {
        return qz::input::fetch_frame(app_.bridges, app_.video, n) == qz::input::FetchOutcome::fetched;
    }
    qz::preview::ScanPlanes planes() const override { return {app_.video.y.data(), app_.video.u.data(), app_.video.v.data()}; }
    // As the program's scan: straight into the scan's own planes, no copy of the previous frame.
    bool fetches_into_target() const override { return true; }
    bool fetch_frame_into(int32_t n, const qz::preview::ScanTarget& target) override {
        const qz::input::FramePlanes planes{{target.y, qz::preview::kScanLumaCapacity},
                                            {target.u, qz::preview::kScanChromaCapacity},
                                            {target.v, qz::preview::kScanChromaCapacity}};
        return qz::input::fetch_frame_into(app_.bridges, app_.video, n, planes) == qz::input::FetchOutcome::fetched;
    }

private:
    qz::App& app_;
};

class QuietReport final : public qz::preview::ScanReport {
public:
    void log(std::string_view) override {}
    void progress(int32_t, int32_t) override {}
    void scene_change(int32_t, int32_t) override {}
};

double decode_only_fps(qz::App& app) {
    const auto start = Clock::now();
    for (int32_t n = 0; n < app.video.frame_count; ++n) qz::input::fetch_frame(app.bridges, app.video, n);
    return app.video.frame_count / seconds_since(start);
}

double scan_fps(qz::App& app) {
    qz::preview::ScanVideo video{app.video.width, app.video.height, app.video.frame_count,
                                 app.video.width * app.video.height, app.video.width * app.video.height / 4};
    ProjectFrames frames(app);
    QuietReport report;
    qz::preview::ScanChapters chapters(app.settings.chapters.frames);
    qz::preview::SceneChangeScan scan;
    std::atomic<bool> stop{false};
    const auto start = Clock::now();
    scan.run(video, qz::preview::select_block_kernels(app.cpu_level), frames, report, chapters, stop);
    return app.video.frame_count / seconds_since(start);
}

double scdet_fps(const std::string& stream, int frames) {
    const std::string command = "ffmpeg -nostdin -v error -i '" + stream + "' -vf scdet -f null - 2>/dev/null";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return 0;
    return frames / seconds_since(start);
}

}  // namespace

int main() {
    const qz::bench::BenchClip& clip = qz::bench::bench_clip();
    auto app = clip.ok ? open_project(clip.d2v) : nullptr;
    if (!app) {
        std::fprintf(stderr, "cannot make or open the 1920x1080 bench clip\n");
        return 1;
    }
    const int frames = app->video.frame_count;
    const double decode = decode_only_fps(*app);
    const double scan = scan_fps(*app);
    const double scdet = scdet_fps(clip.stream, frames);

    // The scan's own cost per frame: its time less the decoding it needs.
    const double scan_cost = 1.0 / scan - 1.0 / decode;
    std::printf("scene-change scan on %d frames of %dx%d\n", frames, app->video.width, app->video.height);
    std::printf("  %-34s %8.1f fps\n", "decoding alone (DGDecode stand-in)", decode);
    std::printf("  %-34s %8.1f fps\n", "whole scan (decoding + scan)", scan);
    std::printf("  %-34s %8.1f %% of the decoding time\n", "scan's own cost", 100.0 * scan_cost * decode);
    if (scdet > 0) {
        std::printf("  %-34s %8.1f fps\n", "ffmpeg -vf scdet", scdet);
        std::printf("  %-34s %8.2fx\n", "whole scan / scdet (higher is faster)", scan / scdet);
    } else {
        std::printf("  ffmpeg -vf scdet: the ffmpeg command is not available\n");
    }
    return 0;
}
