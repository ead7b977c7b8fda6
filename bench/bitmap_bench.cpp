// Building the preview bitmap of a 1920 x 1080 frame with every conversion variant (plain, SSE2,
// AVX2), against FFmpeg's swscale converting the same planes to BGR24 (its fastest unscaled path).
// After the table one line per variant gives its time as a ratio to swscale's (below 1: faster).
#include <benchmark/benchmark.h>

extern "C" {
#include <libswscale/swscale.h>
#include <libavutil/pixfmt.h>
}

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "input/conversions.h"
#include "preview/bitmap_convert.h"
#include "preview/bitmap_image.h"

namespace {

using namespace qz::preview;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Frame {
    std::vector<uint8_t> y, u, v;
    Frame() : y(size_t(kWidth) * kHeight), u(y.size() / 4), v(y.size() / 4) {
        std::mt19937 random(11);
        for (auto* plane : {&y, &u, &v})
            for (uint8_t& b : *plane) b = uint8_t(random());
    }
    FrameView view() const { return {y.data(), u.data(), v.data(), kWidth, kHeight}; }
};

const Frame& frame() {
    static const Frame f;
    return f;
}

// The whole build (header, marks, conversion of every row pair) at the variant's CPU level.
void build_bitmap(benchmark::State& state, const BitmapVariant& variant) {
    if (variant.level > qz::input::processor_kernel_level()) {
        state.SkipWithError("this processor lacks the variant");
        return;
    }
    auto image = std::make_unique<BitmapImage>();
    for (auto _ : state) {
        image->build(frame().view(), {}, variant.level);
        benchmark::DoNotOptimize(image->bytes().data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SwscaleBgr24(benchmark::State& state) {
    SwsContext* context = sws_getContext(kWidth, kHeight, AV_PIX_FMT_YUV420P, kWidth, kHeight, AV_PIX_FMT_BGR24,
                                         SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context) {
        state.SkipWithError("swscale has no context for this conversion");
        return;
    }
    std::vector<uint8_t> bgr(size_t(3) * kWidth * kHeight);
    const uint8_t* const source[3] = {frame().y.data(), frame().u.data(), frame().v.data()};
    const int source_pitch[3] = {kWidth, kWidth / 2, kWidth / 2};
    uint8_t* const target[1] = {bgr.data()};
    const int target_pitch[1] = {3 * kWidth};
    for (auto _ : state) {
        sws_scale(context, source, source_pitch, 0, kHeight, target, target_pitch);
        benchmark::DoNotOptimize(bgr.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    sws_freeContext(context);
}
BENCHMARK(BM_SwscaleBgr24)->Unit(benchmark::kMicrosecond);

// The console table as usual, and each benchmark's processor time per frame kept for the ratios
// (processor time, since other programs share the machine): the median when repeated.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
            // A median holds the median of the repetitions' totals, each of the same iterations.
            if (run.iterations > 0)
                seconds_[run.run_name.function_name] = run.cpu_accumulated_time / double(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void print_ratios() const {
        const auto reference = seconds_.find("BM_SwscaleBgr24");
        if (reference == seconds_.end()) return;
        for (const auto& [name, seconds] : seconds_) {
            if (name != reference->first)
                std::printf("%s / swscale BGR24: %.2f\n", name.c_str(), seconds / reference->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const BitmapVariant& variant : bitmap_variants()) {
        benchmark::RegisterBenchmark((std::string("BM_Bitmap_") + variant.name).c_str(), build_bitmap, variant)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_ratios();
    benchmark::Shutdown();
    return 0;
}
