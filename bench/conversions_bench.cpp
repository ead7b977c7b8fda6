// The colour conversions of the frame fetch on a 1920 x 1080 frame, every variant this processor
// runs: YUY2 to 4:2:0 (a whole frame), and one 4:2:2 and one 4:4:4 chroma plane to 4:2:0.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "input/conversions.h"

namespace {

using namespace qz::input;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::vector<uint8_t> random_bytes(size_t size) {
    std::vector<uint8_t> bytes(size);
    std::mt19937 random(5);
    for (uint8_t& b : bytes) b = uint8_t(random());
    return bytes;
}

const ConversionVariant* variant_at(int64_t index) {
    auto variants = conversion_variants();
    if (index >= int64_t(variants.size())) return nullptr;
    const ConversionVariant& variant = variants[size_t(index)];
    return variant.level <= processor_kernel_level() ? &variant : nullptr;
}

void BM_Yuy2To420(benchmark::State& state) {
    const ConversionVariant* variant = variant_at(state.range(0));
    if (!variant) {
        state.SkipWithError("this processor lacks the variant");
        return;
    }
    state.SetLabel(variant->name);
    const std::vector<uint8_t> packed = random_bytes(size_t(2) * kWidth * kHeight);
    std::vector<uint8_t> y(size_t(kWidth) * kHeight), u(y.size() / 4), v(y.size() / 4);
    for (auto _ : state) {
        variant->kernels.yuy2_to_420(packed.data(), kWidth, kHeight, y.data(), u.data(), v.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(packed.size()));
}
BENCHMARK(BM_Yuy2To420)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_Chroma422To420(benchmark::State& state) {
    const ConversionVariant* variant = variant_at(state.range(0));
    if (!variant) {
        state.SkipWithError("this processor lacks the variant");
        return;
    }
    state.SetLabel(variant->name);
    const std::vector<uint8_t> plane = random_bytes(size_t(kWidth / 2) * kHeight);
    std::vector<uint8_t> out(plane.size() / 2);
    for (auto _ : state) {
        variant->kernels.chroma_422_to_420(plane.data(), kWidth / 2, kHeight, out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plane.size()));
}
BENCHMARK(BM_Chroma422To420)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_Chroma444To420(benchmark::State& state) {
    const ConversionVariant* variant = variant_at(state.range(0));
    if (!variant) {
        state.SkipWithError("this processor lacks the variant");
        return;
    }
    state.SetLabel(variant->name);
    const std::vector<uint8_t> plane = random_bytes(size_t(kWidth) * kHeight);
    std::vector<uint8_t> out(plane.size() / 4);
    for (auto _ : state) {
        variant->kernels.chroma_444_to_420(plane.data(), kWidth, kHeight, out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plane.size()));
}
BENCHMARK(BM_Chroma444To420)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
