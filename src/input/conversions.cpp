#include "input/conversions.h"

#include "input/conversion_steps.h"

#include "platform/platform.h"
#include "platform/program_paths.h"

#include <array>

namespace qz::input {

namespace {


constexpr ConversionKernels kPlain{yuy2_to_420_plain, chroma_422_to_420_plain, chroma_444_to_420_plain};

#if defined(__x86_64__) || defined(__i386__)
constexpr ConversionKernels kSse2{yuy2_to_420_sse2, chroma_422_to_420_sse2, chroma_444_to_420_sse2};
constexpr ConversionKernels kSsse3{yuy2_to_420_ssse3, chroma_422_to_420_sse2, chroma_444_to_420_sse2};
// Level 1 names a 64-bit MMX variant; on x86-64 the plain code is compiled to SSE2 already, so an
// MMX variant would be slower than the plain one and level 1 uses the plain kernels.
constexpr std::array kVariants{
    ConversionVariant{"plain", 0, kPlain},
    ConversionVariant{"sse2", kLevelSse2, kSse2},
    ConversionVariant{"ssse3", kLevelSsse3, kSsse3},
};
#else
constexpr std::array kVariants{ConversionVariant{"plain", 0, kPlain}};
#endif

}  // namespace

void yuy2_to_420_plain(const uint8_t* packed, int width, int height, uint8_t* y, uint8_t* u, uint8_t* v) {
    const int pairs = width / 2;
    const size_t packed_row = size_t(width) * 2;
    int row = 0;
    for (; row + 1 < height; row += 2) {
        const uint8_t* a = packed + size_t(row) * packed_row;
        const uint8_t* b = a + packed_row;
        uint8_t* y0 = y + size_t(row) * size_t(width);
        uint8_t* y1 = y0 + width;
        uint8_t* u_row = u + size_t(row / 2) * size_t(pairs);
        uint8_t* v_row = v + size_t(row / 2) * size_t(pairs);
        steps::yuy2_row_pair(a, b, y0, y1, u_row, v_row, 0, pairs);
    }
    if (row < height) {
        const uint8_t* a = packed + size_t(row) * packed_row;
        uint8_t* y0 = y + size_t(row) * size_t(width);
        steps::yuy2_luma_row(a, y0, 0, pairs);
    }
}

void chroma_422_to_420_plain(const uint8_t* source, int chroma_width, int height, uint8_t* target) {
    const size_t w = size_t(chroma_width);
    for (int k = 0; k < height / 2; ++k) {
        const uint8_t* a = source + size_t(2 * k) * w;
        const uint8_t* b = a + w;
        uint8_t* out = target + size_t(k) * w;
        steps::vertical_mean_row(a, b, out, 0, w);
    }
}

void chroma_444_to_420_plain(const uint8_t* source, int width, int height, uint8_t* target) {
    const size_t w = size_t(width);
    const size_t out_width = w / 2;
    for (int k = 0; k < height / 2; ++k) {
        const uint8_t* a = source + size_t(2 * k) * w;
        const uint8_t* b = a + w;
        uint8_t* out = target + size_t(k) * out_width;
        steps::block_mean_row(a, b, out, 0, out_width);
    }
}

int processor_kernel_level() {
    static const int level = platform::cpu_level_from(platform::cpu_feature_words());
    return level;
}

ConversionKernels select_conversion_kernels(int cpu_level) {
    const int level = cpu_level < processor_kernel_level() ? cpu_level : processor_kernel_level();
    ConversionKernels kernels = kPlain;
    // Each step needs the level before it; the first one the processor lacks ends the ladder.
    for (const ConversionVariant& variant : kVariants) {
        if (level < variant.level) break;
        kernels = variant.kernels;
    }
    return kernels;
}

std::span<const ConversionVariant> conversion_variants() { return kVariants; }

}  // namespace qz::input
