// The DGDecode stand-in on a 1920x1080 clip, loaded as the program loads it: sequential fetch
// (the preview playing, the scene-change scan), jumps of 1000 frames and random frames (the
// preview slider), and the ffmpeg command decoding the same file as a reference.
#include <benchmark/benchmark.h>

#include "bench_clip.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "dgdecode_interface.h"
#include "platform/platform.h"

namespace {

constexpr int kFrames = qz::bench::kBenchClipFrames;

using qz::bench::BenchClip;
const BenchClip& clip() { return qz::bench::bench_clip(); }

struct Library {
    qz::platform::LibraryHandle handle = nullptr;
    DgOpenMPEG2SourceFn open = nullptr;
    DgGetFrameFn get_frame = nullptr;
    const DgVideoInfo* info = nullptr;
    Library() {
        handle = qz::platform::load_library(std::string(QZ_DGDECODE_DIR) + "/DGDecode16.dll");
        if (!handle) return;
        open = reinterpret_cast<DgOpenMPEG2SourceFn>(qz::platform::library_symbol(handle, "openMPEG2Source"));
        get_frame = reinterpret_cast<DgGetFrameFn>(qz::platform::library_symbol(handle, "getFrame"));
        if (open && get_frame && clip().ok) info = open(clip().d2v.c_str());
    }
    ~Library() {
        if (handle) qz::platform::unload_library(handle);
    }
};

void BM_SequentialFetch(benchmark::State& state) {
    Library lib;
    if (!lib.info) {
        state.SkipWithError("cannot open the clip");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lib.get_frame(n));
        n = (n + 1) % lib.info->num_frames;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(dg_frame_size(lib.info)));
}
BENCHMARK(BM_SequentialFetch)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);

void BM_JumpOf1000Frames(benchmark::State& state) {
    Library lib;
    if (!lib.info) {
        state.SkipWithError("cannot open the clip");
        return;
    }
    std::mt19937 random(1);
    int span = lib.info->num_frames - 1000;
    for (auto _ : state) {
        int from = int(random() % unsigned(span));
        state.PauseTiming();
        lib.get_frame(from);
        state.ResumeTiming();
        benchmark::DoNotOptimize(lib.get_frame(from + 1000));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JumpOf1000Frames)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RandomFrame(benchmark::State& state) {
    Library lib;
    if (!lib.info) {
        state.SkipWithError("cannot open the clip");
        return;
    }
    std::mt19937 random(2);
    for (auto _ : state) benchmark::DoNotOptimize(lib.get_frame(int(random() % unsigned(lib.info->num_frames))));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RandomFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reference: the ffmpeg command decoding the whole clip, per frame.
void BM_FfmpegCommandWholeClip(benchmark::State& state) {
    if (!clip().ok) {
        state.SkipWithError("cannot make the clip");
        return;
    }
    std::string command = "ffmpeg -nostdin -v error -i '" + clip().stream + "' -f null - 2>/dev/null";
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
