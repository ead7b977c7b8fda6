// The block metrics on a 1920 x 1080 frame, every variant this processor runs, against memcpy of the
// same plane on this machine; then the scene-change scan engine's whole per-frame work (three plane
// copies, three plane differences, the block pass and the rules) on frames already in memory.
//
// GB/s counts the frame bytes each kernel consumes: a copy or memcpy its source plane, a difference
// or the block pass both planes it compares. All planes stay in the cache between runs, as they are
// in the scan, which compares each frame just after it was fetched. After the usual table a summary
// prints each kernel's GB/s as a ratio to memcpy's (processor time, steadier than wall time on a
// shared machine).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "preview/block_metrics.h"
#include "preview/scan_engine.h"

namespace {

using namespace qz::preview;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr size_t kLuma = size_t(kWidth) * kHeight;

std::vector<uint8_t> random_plane(size_t size, unsigned seed) {
    std::vector<uint8_t> bytes(size);
    std::mt19937 random(seed);
    for (uint8_t& b : bytes) b = uint8_t(random());
    return bytes;
}

const BlockKernelVariant* variant_at(int64_t index) {
    auto variants = block_kernel_variants();
    if (index >= int64_t(variants.size())) return nullptr;
    const BlockKernelVariant& variant = variants[size_t(index)];
    return variant.level <= block_kernels_supported_level() ? &variant : nullptr;
}

void BM_Memcpy(benchmark::State& state) {
    const std::vector<uint8_t> source = random_plane(kLuma, 1);
    std::vector<uint8_t> target(kLuma);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), kLuma);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kLuma));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);

void BM_PlaneCopy(benchmark::State& state) {
    const BlockKernelVariant* variant = variant_at(state.range(0));
    if (!variant) return state.SkipWithError("this processor lacks the variant");
    state.SetLabel(variant->name);
    const std::vector<uint8_t> source = random_plane(kLuma, 1);
    std::vector<uint8_t> target(kLuma);
    for (auto _ : state) {
        variant->kernels.plane_copy(source.data(), target.data(), kLuma);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kLuma));
}
BENCHMARK(BM_PlaneCopy)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_PlaneDifference(benchmark::State& state) {
    const BlockKernelVariant* variant = variant_at(state.range(0));
    if (!variant) return state.SkipWithError("this processor lacks the variant");
    state.SetLabel(variant->name);
    const std::vector<uint8_t> a = random_plane(kLuma, 1), b = random_plane(kLuma, 2);
    for (auto _ : state) benchmark::DoNotOptimize(variant->kernels.plane_difference(a.data(), b.data(), kLuma));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(2 * kLuma));
}
BENCHMARK(BM_PlaneDifference)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Every whole block of the frame, band by band, as the scan's block pass calls it.
void BM_BlockPass(benchmark::State& state) {
    const BlockKernelVariant* variant = variant_at(state.range(0));
    if (!variant) return state.SkipWithError("this processor lacks the variant");
    state.SetLabel(variant->name);
    const std::vector<uint8_t> current = random_plane(kLuma, 1), previous = random_plane(kLuma, 2);
    std::vector<BlockStats> band(kWidth / 16);
    const int bands = kHeight / 16;
    for (auto _ : state) {
        for (int k = 0; k < bands; ++k) {
            const size_t at = size_t(k) * 16 * kWidth;
            variant->kernels.block_stats_row(current.data() + at, previous.data() + at, kWidth, kWidth / 16, band.data());
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(2 * size_t(bands) * 16 * kWidth));
}
BENCHMARK(BM_BlockPass)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Four different frames in memory, handed out in turn: the source costs nothing, so this is the
// engine's own cost per frame.
class MemoryFrames : public ScanFrameSource {
public:
    MemoryFrames() {
        for (unsigned k = 0; k < 4; ++k) {
            frames_[k][0] = random_plane(kLuma, 10 + k);
            frames_[k][1] = random_plane(kLuma / 4, 20 + k);
            frames_[k][2] = random_plane(kLuma / 4, 30 + k);
        }
    }
    bool fetch_frame(int32_t n) override {
        current_ = size_t(n) % 4;
        return true;
    }
    ScanPlanes planes() const override {
        return {frames_[current_][0].data(), frames_[current_][1].data(), frames_[current_][2].data()};
    }

private:
    std::vector<uint8_t> frames_[4][3];
    size_t current_ = 0;
};

struct SilentReport : ScanReport {
    void log(std::string_view) override {}
    void progress(int32_t, int32_t) override {}
    void scene_change(int32_t, int32_t) override {}
};

void BM_ScanEnginePerFrame(benchmark::State& state) {
    const BlockKernelVariant* variant = variant_at(state.range(0));
    if (!variant) return state.SkipWithError("this processor lacks the variant");
    state.SetLabel(variant->name);
    constexpr int32_t kFrames = 200;
    MemoryFrames source;
    SilentReport report;
    SceneChangeScan scan;
    std::vector<int32_t> storage(640000);
    ScanChapters chapters(storage);
    const std::atomic<bool> stop{false};
    const ScanVideo video{kWidth, kHeight, kFrames, int32_t(kLuma), int32_t(kLuma / 4)};
    for (auto _ : state) scan.run(video, variant->kernels, source, report, chapters, stop);
    state.SetItemsProcessed(int64_t(state.iterations()) * (kFrames - 1));
}
BENCHMARK(BM_ScanEnginePerFrame)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Keeps each run's processor-time throughput for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}  // no colour codes: the output is often kept in a file
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            // Rates are per processor second, as the library counts them unless told otherwise.
            const auto bytes = run.counters.find("bytes_per_second");
            if (bytes != run.counters.end()) results_[run.benchmark_name()] = {run.report_label, bytes->second.value / 1e9};
            const auto frames = run.counters.find("items_per_second");
            if (frames != run.counters.end()) scans_[run.benchmark_name()] = {run.report_label, frames->second.value};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void print_summary() const {
        const auto memcpy_run = results_.find("BM_Memcpy");
        if (memcpy_run == results_.end()) return;
        const double baseline = memcpy_run->second.value;
        std::printf("\nBlock metrics on one 1920 x 1080 plane, GB/s (10^9 bytes) of frame bytes consumed per\n"
                    "processor second (goal 10 GB/s):\n");
        std::printf("  %-28s %-6s %8s %12s\n", "kernel", "", "GB/s", "vs memcpy");
        for (const auto& [name, result] : results_)
            std::printf("  %-28s %-6s %8.2f %11.2fx\n", name.c_str(), result.label.c_str(), result.value,
                        result.value / baseline);
        if (scans_.empty()) return;
        std::printf("\nScan engine on 1920 x 1080 frames already in memory (no decoding):\n");
        for (const auto& [name, result] : scans_)
            std::printf("  %-28s %-6s %8.0f frames/s %8.3f ms per frame\n", name.c_str(), result.label.c_str(),
                        result.value, 1e3 / result.value);
    }

private:
    struct Result {
        std::string label;
        double value = 0;  // GB/s, or frames/s for the scan engine
    };
    std::map<std::string, Result> results_, scans_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_summary();
    benchmark::Shutdown();
    return 0;
}
