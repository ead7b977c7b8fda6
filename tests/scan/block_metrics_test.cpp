// Every block-metric variant this processor supports against the plain reference, bit for bit:
// random samples, all 0, all 255 and alternating extremes (a sum or square that overflowed would show
// there), every byte count up to a few chunks and the plane sizes of real frames, every block count of
// a 1920-wide row, pitches that are not multiples of 16, unaligned pointers, guard bytes around every
// output. Unsupported variants are skipped. Inputs are exactly as large as the kernels may read, so
// the sanitizer build also catches any read past them.
#include "preview/block_metrics.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace qz::preview;

const unsigned kSeed = std::random_device{}();

enum class Fill { random, zero, full, extremes };
constexpr Fill kFills[] = {Fill::random, Fill::zero, Fill::full, Fill::extremes};

// `previous` relates to `current` so that each fill also gives extreme differences: the extremes of
// the previous plane are the opposite of the current ones.
void fill(uint8_t* data, size_t size, Fill how, bool opposite, std::mt19937& random) {
    for (size_t i = 0; i < size; ++i) {
        switch (how) {
            case Fill::random: data[i] = uint8_t(random()); break;
            case Fill::zero: data[i] = opposite ? 255 : 0; break;
            case Fill::full: data[i] = opposite ? 0 : 255; break;
            case Fill::extremes: data[i] = (((i + i / 7) & 1) != opposite) ? 255 : 0; break;
        }
    }
}

std::string describe(const char* variant, size_t size, Fill how, size_t offset) {
    return std::string(variant) + " size " + std::to_string(size) + " fill " + std::to_string(int(how)) +
           " offset " + std::to_string(offset) + " seed " + std::to_string(kSeed);
}

std::vector<BlockKernelVariant> runnable_variants() {
    std::vector<BlockKernelVariant> runnable;
    for (const BlockKernelVariant& variant : block_kernel_variants()) {
        if (variant.level <= block_kernels_supported_level()) runnable.push_back(variant);
        else std::printf("skipping %s: this processor lacks it\n", variant.name);
    }
    return runnable;
}

// Every byte count up to four chunks and more (each remainder of 16, 32, 64, 128 and 256), then the
// luma and chroma plane sizes of common frames, the largest first.
std::vector<size_t> plane_sizes() {
    std::vector<size_t> sizes;
    for (size_t n = 0; n <= 1100; ++n) sizes.push_back(n);
    const int frames[][2] = {{1920, 1152}, {1920, 1088}, {1920, 1080}, {1440, 1080}, {1280, 720},
                             {720, 576},   {720, 480},   {704, 576},   {352, 288},   {352, 240}, {8, 8}};
    for (const auto& frame : frames) {
        const size_t luma = size_t(frame[0]) * size_t(frame[1]);
        sizes.push_back(luma);
        sizes.push_back(luma / 4);
    }
    return sizes;
}

TEST(BlockMetricsTest, PlaneDifferenceVariantsMatchThePlainReference) {
    std::mt19937 random(kSeed);
    for (const BlockKernelVariant& variant : runnable_variants()) {
        size_t turn = 0;
        for (size_t size : plane_sizes()) {
            const Fill how = kFills[turn % 4];
            const size_t offset_a = turn % 17, offset_b = (turn * 5) % 13;
            ++turn;
            // Exactly as long as the kernel may read: nothing follows the last byte.
            std::vector<uint8_t> a(size + offset_a), b(size + offset_b);
            fill(a.data() + offset_a, size, how, false, random);
            fill(b.data() + offset_b, size, how, true, random);
            const uint32_t expected = plane_difference_plain(a.data() + offset_a, b.data() + offset_b, size);
            const uint32_t got = variant.kernels.plane_difference(a.data() + offset_a, b.data() + offset_b, size);
            ASSERT_EQ(expected, got) << describe(variant.name, size, how, offset_a);
        }
    }
}

TEST(BlockMetricsTest, PlaneCopyVariantsMatchThePlainReference) {
    constexpr size_t kGuard = 64;
    constexpr uint8_t kGuardByte = 0xA5;
    std::mt19937 random(kSeed + 1);
    for (const BlockKernelVariant& variant : runnable_variants()) {
        size_t turn = 0;
        for (size_t size : plane_sizes()) {
            const Fill how = kFills[turn % 4];
            const size_t offset = turn % 31;
            ++turn;
            std::vector<uint8_t> source(size + offset);
            fill(source.data() + offset, size, how, false, random);
            std::vector<uint8_t> target(kGuard + size + kGuard, kGuardByte);
            uint8_t* out = target.data() + kGuard - offset % 16;  // unaligned unlike the source
            variant.kernels.plane_copy(source.data() + offset, out, size);
            std::vector<uint8_t> expected(target.size(), kGuardByte);
            plane_copy_plain(source.data() + offset, expected.data() + (out - target.data()), size);
            ASSERT_TRUE(expected == target) << describe(variant.name, size, how, offset);
        }
    }
}

bool same(const BlockStats& a, const BlockStats& b) {
    return a.top_sum == b.top_sum && a.top_difference == b.top_difference && a.bottom_sum == b.bottom_sum &&
           a.bottom_difference == b.bottom_difference && a.sum == b.sum && a.difference == b.difference &&
           a.variance == b.variance;
}

// Every short row (each remainder of the pairs and loops a variant may use), then rows about half
// and whole 1920 samples wide, and one block more.
std::vector<int> block_counts() {
    std::vector<int> counts;
    for (int n = 1; n <= 40; ++n) counts.push_back(n);
    for (int n : {59, 60, 61, 119, 120, 121}) counts.push_back(n);
    return counts;
}

// Block counts of rows up to 1920 samples (and one more), pitches of whole blocks and pitches
// that leave 8 or 24 columns over, every fill, unaligned planes; guard records on both sides of the
// output.
TEST(BlockMetricsTest, BlockStatsVariantsMatchThePlainReference) {
    const BlockStats guard{-1, -2, -3, -4, -5, -6, -7};
    std::mt19937 random(kSeed + 2);
    for (const BlockKernelVariant& variant : runnable_variants()) {
        size_t turn = 0;
        for (int blocks : block_counts()) {
            for (size_t extra : {0, 8, 24}) {
                for (Fill how : kFills) {
                    const size_t pitch = size_t(blocks) * 16 + extra;
                    const size_t readable = 15 * pitch + size_t(blocks) * 16;  // the last line ends at the last block
                    const size_t offset = turn % 23;
                    ++turn;
                    std::vector<uint8_t> current(readable + offset), previous(readable + offset + 3);
                    fill(current.data() + offset, readable, how, false, random);
                    fill(previous.data() + offset + 3, readable, how, true, random);
                    if (turn % 5 == 0) std::copy(current.begin() + long(offset), current.end(), previous.begin() + long(offset + 3));

                    std::vector<BlockStats> expected(static_cast<size_t>(blocks));
                    block_stats_row_plain(current.data() + offset, previous.data() + offset + 3, pitch, blocks,
                                          expected.data());
                    std::vector<BlockStats> got(size_t(blocks) + 2, guard);
                    variant.kernels.block_stats_row(current.data() + offset, previous.data() + offset + 3, pitch,
                                                    blocks, got.data() + 1);
                    const std::string where = describe(variant.name, pitch, how, offset) + " blocks " + std::to_string(blocks);
                    ASSERT_TRUE(same(got.front(), guard) && same(got.back(), guard)) << where;
                    for (int j = 0; j < blocks; ++j)
                        ASSERT_TRUE(same(expected[size_t(j)], got[size_t(j) + 1])) << where << " block " << j;
                }
            }
        }
    }
}

// The reference on blocks whose statistics can be worked out by hand.
TEST(BlockMetricsTest, PlainReferenceOnKnownBlocks) {
    const size_t pitch = 32;  // two blocks side by side
    std::vector<uint8_t> current(16 * pitch), previous(16 * pitch);
    for (size_t line = 0; line < 16; ++line) {
        for (size_t x = 0; x < 16; ++x) {
            current[line * pitch + x] = 77;                      // flat
            previous[line * pitch + x] = 77;                     // unchanged
            current[line * pitch + 16 + x] = (line & 1) ? 255 : 0;  // even lines 0, odd lines 255
            previous[line * pitch + 16 + x] = 10;
        }
    }
    for (const BlockKernelVariant& variant : runnable_variants()) {
        BlockStats stats[2];
        variant.kernels.block_stats_row(current.data(), previous.data(), pitch, 2, stats);
        EXPECT_EQ(stats[0].sum, 256 * 77) << variant.name;
        EXPECT_EQ(stats[0].variance, 0) << variant.name;
        EXPECT_EQ(stats[0].difference, 0) << variant.name;
        EXPECT_EQ(stats[1].top_sum, 0) << variant.name;
        EXPECT_EQ(stats[1].bottom_sum, 32640) << variant.name;
        EXPECT_EQ(stats[1].sum, 32640) << variant.name;
        EXPECT_EQ(stats[1].variance, 4161600) << variant.name;  // 128 x 255^2 - 32640^2 / 256
        EXPECT_EQ(stats[1].top_difference, 128 * 10) << variant.name;
        EXPECT_EQ(stats[1].bottom_difference, 128 * 245) << variant.name;
        EXPECT_EQ(stats[1].difference, 128 * 255) << variant.name;

        // Only whole chunks of 256 bytes count: of 300 differing bytes, 256.
        const std::vector<uint8_t> zeros(300, 0), ones(300, 1);
        EXPECT_EQ(variant.kernels.plane_difference(zeros.data(), ones.data(), 300), 256u) << variant.name;
        // The largest plane of maximal differences.
        const std::vector<uint8_t> black(1920 * 1152, 0), white(1920 * 1152, 255);
        EXPECT_EQ(variant.kernels.plane_difference(black.data(), white.data(), black.size()), 255u * 1920 * 1152)
            << variant.name;
    }
}

TEST(BlockMetricsTest, LevelsChooseVariantsAndNeverExceedTheProcessor) {
    EXPECT_EQ(select_block_kernels(0).block_stats_row, &block_stats_row_plain);
    EXPECT_EQ(select_block_kernels(1).plane_difference, &plane_difference_plain);
    for (const BlockKernelVariant& variant : block_kernel_variants()) {
        if (variant.level > block_kernels_supported_level()) continue;
        const BlockKernels chosen = select_block_kernels(variant.level);
        EXPECT_EQ(chosen.block_stats_row, variant.kernels.block_stats_row) << variant.name;
        EXPECT_EQ(chosen.plane_copy, variant.kernels.plane_copy) << variant.name;
    }
    // Levels between two variants keep the lower one; more than the processor has gives what it has.
    if (block_kernels_supported_level() >= kBlockLevelSse2) {
        EXPECT_EQ(select_block_kernels(6).plane_difference, &plane_difference_sse2);
    }
    EXPECT_EQ(select_block_kernels(99).plane_difference,
              select_block_kernels(block_kernels_supported_level()).plane_difference);
}

}  // namespace
