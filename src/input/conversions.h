// Colour conversions to the 4:2:0 planes the preview and the scene-change scan work on: packed YUY2,
// 4:2:2 chroma planes (YV16 clips, 4:2:2 D2V projects) and 4:4:4 chroma planes (YV24 clips).
//
// Every kernel has a plain reference and vector variants that give bit-identical results. Rows are
// packed without padding; no pointer needs any alignment. Chroma averages round up, (a + b + 1) / 2,
// which is what the vector average instruction computes.
#pragma once

#include <cstdint>
#include <span>

namespace qz::input {

// Packed YUY2 (Y0 U Y1 V ..., rows of 2 x width bytes) to planar 4:2:0: all `height` luma rows of
// `width` bytes; chroma rows of width / 2 bytes, height / 2 of them, each sample the rounded-up mean
// of the samples of rows 2k and 2k + 1. `width` is even (YUY2 has no odd widths); with an odd
// height the last row gives luma only.
using Yuy2To420 = void (*)(const uint8_t* packed, int width, int height, uint8_t* y, uint8_t* u, uint8_t* v);

// One 4:2:2 chroma plane of `chroma_width` x `height` to 4:2:0 (chroma_width x height / 2): output
// row k is the rounded-up mean of input rows 2k and 2k + 1.
using Chroma422To420 = void (*)(const uint8_t* source, int chroma_width, int height, uint8_t* target);

// One 4:4:4 chroma plane of `width` x `height` to 4:2:0 (width / 2 x height / 2): the horizontal
// pairs of rows 2k and 2k + 1 are averaged first, then the two row results; every mean rounds up.
using Chroma444To420 = void (*)(const uint8_t* source, int width, int height, uint8_t* target);

struct ConversionKernels {
    Yuy2To420 yuy2_to_420;
    Chroma422To420 chroma_422_to_420;
    Chroma444To420 chroma_444_to_420;
};

void yuy2_to_420_plain(const uint8_t* packed, int width, int height, uint8_t* y, uint8_t* u, uint8_t* v);
void chroma_422_to_420_plain(const uint8_t* source, int chroma_width, int height, uint8_t* target);
void chroma_444_to_420_plain(const uint8_t* source, int width, int height, uint8_t* target);

// Vector variants (x86 only).
void yuy2_to_420_sse2(const uint8_t* packed, int width, int height, uint8_t* y, uint8_t* u, uint8_t* v);
void chroma_422_to_420_sse2(const uint8_t* source, int chroma_width, int height, uint8_t* target);
void chroma_444_to_420_sse2(const uint8_t* source, int width, int height, uint8_t* target);
void yuy2_to_420_ssse3(const uint8_t* packed, int width, int height, uint8_t* y, uint8_t* u, uint8_t* v);

// The CPU levels (0 none, 1 MMX with the SSE integer extensions, 2 SSE2, 3 SSE3, 4 SSSE3, 5 SSE4.x,
// 6 AVX, 7 AVX2) at which the variants start.
inline constexpr int kLevelSse2 = 2;
inline constexpr int kLevelSsse3 = 4;

// The kernels for a CPU level, never above what this processor really has, so a level from a
// settings file or a test cannot select an instruction the processor lacks. Level 0 or 1 gives the
// plain kernels: the forced plain path.
ConversionKernels select_conversion_kernels(int cpu_level);

// One named set of kernels and the level it needs; the tests and the benchmark run every one.
struct ConversionVariant {
    const char* name;
    int level;
    ConversionKernels kernels;
};
std::span<const ConversionVariant> conversion_variants();

// The level this processor supports, from its identification (computed once).
int processor_kernel_level();

}  // namespace qz::input
