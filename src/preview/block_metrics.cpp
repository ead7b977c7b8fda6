// The table of block-metric kernels and its choice by CPU level.
#include "preview/block_metrics.h"

#include <array>

namespace qz::preview {

namespace {

constexpr BlockKernels kPlain{plane_copy_plain, plane_difference_plain, block_stats_row_plain};

#if defined(__x86_64__) || defined(__i386__)
constexpr std::array kVariants{
    BlockKernelVariant{"plain", 0, kPlain},
    BlockKernelVariant{"sse2", kBlockLevelSse2, {plane_copy_sse2, plane_difference_sse2, block_stats_row_sse2}},
    BlockKernelVariant{"avx2", kBlockLevelAvx2, {plane_copy_avx2, plane_difference_avx2, block_stats_row_avx2}},
};

// The compiler's processor check also asks the operating system whether it saves the wide registers,
// which the processor's feature flags alone do not say.
int probe_supported_level() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return kBlockLevelAvx2;
    if (__builtin_cpu_supports("sse2")) return kBlockLevelSse2;
    return 0;
}
#else
constexpr std::array kVariants{BlockKernelVariant{"plain", 0, kPlain}};
int probe_supported_level() { return 0; }
#endif

}  // namespace

int block_kernels_supported_level() {
    static const int level = probe_supported_level();
    return level;
}

BlockKernels select_block_kernels(int cpu_level) {
    const int level = cpu_level < block_kernels_supported_level() ? cpu_level : block_kernels_supported_level();
    BlockKernels kernels = kPlain;
    // Each step needs the level before it; the first one above the level ends the ladder.
    for (const BlockKernelVariant& variant : kVariants) {
        if (level < variant.level) break;
        kernels = variant.kernels;
    }
    return kernels;
}

std::span<const BlockKernelVariant> block_kernel_variants() { return kVariants; }

}  // namespace qz::preview
