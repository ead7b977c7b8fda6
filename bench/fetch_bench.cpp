// The program's frame fetch on a 1920 x 1080 D2V project, opened as the program opens it: frames in
// sequence (the preview playing, the scene-change scan), a jump of 1000 frames (the preview slider),
// and the ffmpeg command decoding the same file as the reference for the sequential rate.
#include <benchmark/benchmark.h>

#include "bench_clip.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "pages/fetch_frame.h"
#include "input/input_kind.h"
#include "commands/input_open.h"
#include "state/app.h"

namespace {

constexpr int kFrames = qz::bench::kBenchClipFrames;

using qz::bench::BenchClip;
const BenchClip& clip() { return qz::bench::bench_clip(); }

// A program state with the project open.
std::unique_ptr<qz::App> open_project() {
    if (!clip().ok) return nullptr;
    auto app = std::make_unique<qz::App>();
    app->cpu_level = 7;
    app->paths.program_folder = std::string(QZ_PROGRAM_DIR) + "/";
    app->paths.dgdecode_folder = std::string(QZ_PROGRAM_DIR) + "/DGDecode/";
    app->settings.input_file = clip().d2v;
    app->video.kind = qz::input::classify_input(clip().d2v, app->paths.dgdecode_folder);
    if (qz::input::open_d2v_input(*app) != qz::input::OpenOutcome::opened) return nullptr;
    return app;
}

void BM_SequentialFetch(benchmark::State& state) {
    auto app = open_project();
    if (!app) {
        state.SkipWithError("cannot open the project");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qz::input::fetch_frame(*app, n));
        n = (n + 1) % app->video.frame_count;
    }
    state.SetItemsProcessed(state.iterations());
    qz::input::close_inputs(*app);
}
BENCHMARK(BM_SequentialFetch)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);

void BM_JumpOf1000Frames(benchmark::State& state) {
    auto app = open_project();
    if (!app) {
        state.SkipWithError("cannot open the project");
        return;
    }
    std::mt19937 random(1);
    const int span = app->video.frame_count - 1000;
    for (auto _ : state) {
        const int from = int(random() % unsigned(span));
        state.PauseTiming();
        qz::input::fetch_frame(*app, from);
        state.ResumeTiming();
        benchmark::DoNotOptimize(qz::input::fetch_frame(*app, from + 1000));
    }
    state.SetItemsProcessed(state.iterations());
    qz::input::close_inputs(*app);
}
BENCHMARK(BM_JumpOf1000Frames)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reference: the ffmpeg command decoding the whole clip; compare its time per frame.
void BM_FfmpegCommandWholeClip(benchmark::State& state) {
    if (!clip().ok) {
        state.SkipWithError("cannot make the clip");
        return;
    }
    const std::string command = "ffmpeg -nostdin -v error -i '" + clip().stream + "' -f null - 2>/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the ffmpeg command is not available");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_FfmpegCommandWholeClip)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
