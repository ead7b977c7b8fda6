// The pixel kernels of the scene-change scan: plane copy, plane difference and the statistics of
// 16 x 16 luma blocks split by field.
//
// Every kernel has one plain reference and vector variants that give bit-identical results. Planes
// are 8-bit samples with rows packed at a pitch of the frame width; no pointer needs any alignment.
// The kernels allocate nothing and touch nothing but their arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qz::preview {

// The statistics of one 16 x 16 block. "Top" is the field of the even lines (y, y + 2, ... y + 14),
// "bottom" that of the odd lines; differences are sums of |current - previous| over the same samples.
// Sums and squares are taken in unsigned 32-bit arithmetic; every value fits a signed 32-bit field.
struct BlockStats {
    int32_t top_sum = 0;
    int32_t top_difference = 0;
    int32_t bottom_sum = 0;
    int32_t bottom_difference = 0;
    int32_t sum = 0;         // S: top sum + bottom sum, the 256 samples of the block
    int32_t difference = 0;  // top difference + bottom difference
    int32_t variance = 0;    // V: (sum of the 256 squares) - S * S / 256, 256 x the block's variance
};

// Copies `bytes` bytes.
using PlaneCopy = void (*)(const uint8_t* source, uint8_t* target, size_t bytes);

// Sum of |a[k] - b[k]| over the whole 256-byte chunks of `bytes`: the bytes after the last whole chunk
// are not counted. The total is kept modulo 2^32 (a 1920 x 1152 plane of maximal differences fits).
using PlaneDifference = uint32_t (*)(const uint8_t* a, const uint8_t* b, size_t bytes);

// The statistics of `block_count` blocks side by side: block j has its top-left sample at
// current[16 * j] (and previous[16 * j]); lines are `pitch` bytes apart. Reads exactly 16 lines of
// 16 * block_count samples from each plane, writes out[0 .. block_count - 1].
using BlockStatsRow = void (*)(const uint8_t* current, const uint8_t* previous, size_t pitch, int block_count,
                               BlockStats* out);

struct BlockKernels {
    PlaneCopy plane_copy;
    PlaneDifference plane_difference;
    BlockStatsRow block_stats_row;
};

// The plain references.
void plane_copy_plain(const uint8_t* source, uint8_t* target, size_t bytes);
uint32_t plane_difference_plain(const uint8_t* a, const uint8_t* b, size_t bytes);
void block_stats_row_plain(const uint8_t* current, const uint8_t* previous, size_t pitch, int block_count,
                           BlockStats* out);

// Vector variants (x86 only), each compiled with its own instruction set.
void plane_copy_sse2(const uint8_t* source, uint8_t* target, size_t bytes);
uint32_t plane_difference_sse2(const uint8_t* a, const uint8_t* b, size_t bytes);
void block_stats_row_sse2(const uint8_t* current, const uint8_t* previous, size_t pitch, int block_count,
                          BlockStats* out);
void plane_copy_avx2(const uint8_t* source, uint8_t* target, size_t bytes);
uint32_t plane_difference_avx2(const uint8_t* a, const uint8_t* b, size_t bytes);
void block_stats_row_avx2(const uint8_t* current, const uint8_t* previous, size_t pitch, int block_count,
                          BlockStats* out);

// The CPU levels (0 none, 1 MMX with the SSE integer extensions, 2 SSE2, 3 SSE3, 4 SSSE3, 5 SSE4.x,
// 6 AVX, 7 AVX2) at which the variants start. Level 1 uses the plain kernels: on x86-64 the plain code
// is compiled to SSE2 already, so a 64-bit MMX variant would only be slower.
inline constexpr int kBlockLevelSse2 = 2;
inline constexpr int kBlockLevelAvx2 = 7;

// The kernels for a CPU level, never above what this processor really runs (its features and the
// operating system's support for the wide registers), so a level from a settings file or a test
// cannot select an instruction the processor lacks. Level 0 or 1 gives the plain kernels.
BlockKernels select_block_kernels(int cpu_level);

// The highest level whose variant this processor runs (0 when it runs only the plain kernels).
int block_kernels_supported_level();

// One named set of kernels and the level it needs; the tests and the benchmark run every one.
struct BlockKernelVariant {
    const char* name;
    int level;
    BlockKernels kernels;
};
std::span<const BlockKernelVariant> block_kernel_variants();

// The statistics of the block whose top-left sample is at column x, line y of a plane `width`
// samples wide.
inline void block_statistics(const BlockKernels& kernels, const uint8_t* current, const uint8_t* previous,
                             int width, int x, int y, BlockStats& out) {
    const size_t at = size_t(y) * size_t(width) + size_t(x);
    kernels.block_stats_row(current + at, previous + at, size_t(width), 1, &out);
}

}  // namespace qz::preview
