// Every variant of the preview conversion this processor supports against the plain reference,
// bit for bit: all 2^24 (Y, U, V) triples, random rows of every accepted width, all 0, all 255 and
// alternating extremes (a 16-bit intermediate that overflowed would show there), unaligned pointers,
// guard bytes around the output. The seed is printed with every failure.
#include "input/conversions.h"
#include "preview/bitmap_convert.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace qz::preview;

constexpr size_t kGuard = 32;
constexpr uint8_t kGuardByte = 0xA5;

const unsigned kSeed = std::random_device{}();

std::vector<BitmapVariant> vector_variants() {
    std::vector<BitmapVariant> runnable;
    for (const BitmapVariant& variant : bitmap_variants())
        if (variant.level > 0 && variant.level <= qz::input::processor_kernel_level()) runnable.push_back(variant);
    return runnable;
}

// Output with guard bytes on both sides, starting `offset` bytes past an aligned start.
struct Guarded {
    Guarded(size_t size, size_t offset) : bytes(size + 2 * kGuard + 16, kGuardByte), size(size), offset(offset) {}
    uint8_t* data() { return bytes.data() + kGuard + offset; }
    bool guards_intact() const {
        for (size_t i = 0; i < bytes.size(); ++i)
            if ((i < kGuard + offset || i >= kGuard + offset + size) && bytes[i] != kGuardByte) return false;
        return true;
    }
    std::vector<uint8_t> contents() const {
        return {bytes.begin() + long(kGuard + offset), bytes.begin() + long(kGuard + offset + size)};
    }
    std::vector<uint8_t> bytes;
    size_t size, offset;
};

enum class Fill { random, zero, full, extremes };

void fill(uint8_t* data, size_t size, Fill how, std::mt19937& random) {
    for (size_t i = 0; i < size; ++i) {
        switch (how) {
            case Fill::random: data[i] = uint8_t(random()); break;
            case Fill::zero: data[i] = 0; break;
            case Fill::full: data[i] = 255; break;
            case Fill::extremes: data[i] = ((i + i / 5) & 1) ? 255 : 0; break;
        }
    }
}

TEST(BitmapConversion, EveryVariantMatchesThePlainOneOnEveryYuvTriple) {
    constexpr int kWidth = 512;  // Y 0..255, each value twice in each row, against one (U, V) pair
    std::array<uint8_t, kWidth> first{}, second{};
    for (int x = 0; x < kWidth; ++x) {
        first[size_t(x)] = uint8_t(x / 2 + (x & 1) * 128);
        second[size_t(kWidth - 1 - x)] = first[size_t(x)];
    }
    std::array<uint8_t, kWidth / 2> u{}, v{};
    std::vector<uint8_t> expected(6 * kWidth), got(6 * kWidth);
    for (const BitmapVariant& variant : vector_variants()) {
        for (int cb = 0; cb < 256; ++cb) {
            for (int cr = 0; cr < 256; ++cr) {
                u.fill(uint8_t(cb));
                v.fill(uint8_t(cr));
                yuv_row_pair_to_bgr_plain(first.data(), second.data(), u.data(), v.data(), kWidth, expected.data(),
                                          expected.data() + 3 * kWidth);
                variant.convert(first.data(), second.data(), u.data(), v.data(), kWidth, got.data(),
                                got.data() + 3 * kWidth);
                ASSERT_EQ(got, expected) << variant.name << " U " << cb << " V " << cr;
            }
        }
    }
}

TEST(BitmapConversion, EveryVariantMatchesThePlainOneOnRowsOfEveryWidth) {
    std::mt19937 random(kSeed);
    const int widths[] = {2, 4, 6, 14, 16, 18, 30, 32, 34, 46, 48, 50, 62, 702, 704, 718, 720, 1438, 1920};
    const Fill fills[] = {Fill::random, Fill::zero, Fill::full, Fill::extremes};
    size_t offset = 0;
    for (const BitmapVariant& variant : vector_variants()) {
        for (int width : widths) {
            for (Fill how : fills) {
                for (int repeat = 0; repeat < (how == Fill::random ? 8 : 1); ++repeat) {
                    const size_t w = size_t(width);
                    // Inputs unaligned too, and exactly as long as the row: a read past them is caught
                    // by the address sanitizer. Every eighth case gives the same luma row twice.
                    std::vector<uint8_t> y_store(2 * w + 1), u_store(w / 2 + 1), v_store(w / 2 + 1);
                    uint8_t* y_first = y_store.data() + (offset & 1);
                    uint8_t* y_second = offset % 8 == 3 ? y_first : y_first + w;
                    uint8_t* u = u_store.data() + ((offset >> 1) & 1);
                    uint8_t* v = v_store.data() + ((offset >> 2) & 1);
                    fill(y_first, 2 * w, how, random);
                    fill(u, w / 2, how == Fill::extremes ? Fill::random : how, random);
                    fill(v, w / 2, how, random);
                    Guarded expected_first(3 * w, 0), expected_second(3 * w, 0);
                    Guarded got_first(3 * w, offset % 7), got_second(3 * w, (offset + 3) % 5);
                    ++offset;
                    yuv_row_pair_to_bgr_plain(y_first, y_second, u, v, width, expected_first.data(),
                                              expected_second.data());
                    variant.convert(y_first, y_second, u, v, width, got_first.data(), got_second.data());
                    const std::string what = std::string(variant.name) + " width " + std::to_string(width) +
                                             " fill " + std::to_string(int(how)) + " seed " + std::to_string(kSeed);
                    ASSERT_EQ(got_first.contents(), expected_first.contents()) << what;
                    ASSERT_EQ(got_second.contents(), expected_second.contents()) << what;
                    ASSERT_TRUE(got_first.guards_intact() && got_second.guards_intact()) << what;
                }
            }
        }
    }
}

// Grey, black, white with neutral chroma, and studio-range red (green and blue limited at 0), on
// every variant including the plain one; 16 pixels so the vector loop does them.
TEST(BitmapConversion, KnownColoursComeOutAsTheyShould) {
    struct Colour {
        uint8_t y, u, v;
        std::array<uint8_t, 3> bgr;
    };
    const Colour colours[] = {
        {128, 128, 128, {130, 130, 130}},
        {16, 128, 128, {0, 0, 0}},
        {235, 128, 128, {254, 254, 254}},
        {81, 90, 240, {0, 0, 254}},
    };
    for (const BitmapVariant& variant : bitmap_variants()) {
        if (variant.level > qz::input::processor_kernel_level()) continue;
        for (const Colour& c : colours) {
            std::array<uint8_t, 18> y{}, u{}, v{};
            y.fill(c.y);
            u.fill(c.u);
            v.fill(c.v);
            std::array<uint8_t, 3 * 18 * 2> bgr{};
            variant.convert(y.data(), y.data(), u.data(), v.data(), 18, bgr.data(), bgr.data() + 3 * 18);
            for (size_t x = 0; x < 2 * 18; ++x) {
                ASSERT_EQ((std::array<uint8_t, 3>{bgr[3 * x], bgr[3 * x + 1], bgr[3 * x + 2]}), c.bgr)
                    << variant.name << " Y " << int(c.y) << " pixel " << x;
            }
        }
    }
}

TEST(BitmapConversion, TheCpuLevelChoosesTheVariantButNeverAboveTheProcessor) {
    EXPECT_EQ(select_bitmap_conversion(0), &yuv_row_pair_to_bgr_plain);
    EXPECT_EQ(select_bitmap_conversion(1), &yuv_row_pair_to_bgr_plain);
    for (const BitmapVariant& variant : bitmap_variants()) {
        const YuvRowPairToBgr chosen = select_bitmap_conversion(variant.level);
        if (variant.level <= qz::input::processor_kernel_level()) EXPECT_EQ(chosen, variant.convert) << variant.name;
        else EXPECT_NE(chosen, variant.convert) << variant.name;
    }
}

}  // namespace
