// Every conversion variant this processor supports against the plain reference, bit for bit: random
// samples, all 0, all 255 and alternating extremes (an intermediate sum that overflowed a byte would
// show there), odd sizes, unaligned pointers, guard bytes around every output.
#include "input/conversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace qz::input;

constexpr size_t kGuard = 32;
constexpr uint8_t kGuardByte = 0xA5;

enum class Fill { random, zero, full, extremes };

// A buffer with guard bytes on both sides, its data starting `offset` bytes past an aligned start.
struct Guarded {
    Guarded(size_t size, size_t offset) : bytes(size + 2 * kGuard + 16, kGuardByte), size(size), offset(offset) {}
    uint8_t* data() { return bytes.data() + kGuard + offset; }
    bool guards_intact() const {
        for (size_t i = 0; i < kGuard + offset; ++i)
            if (bytes[i] != kGuardByte) return false;
        for (size_t i = kGuard + offset + size; i < bytes.size(); ++i)
            if (bytes[i] != kGuardByte) return false;
        return true;
    }
    std::vector<uint8_t> contents() const {
        return {bytes.begin() + long(kGuard + offset), bytes.begin() + long(kGuard + offset + size)};
    }
    std::vector<uint8_t> bytes;
    size_t size, offset;
};

void fill(uint8_t* data, size_t size, Fill how, std::mt19937& random) {
    for (size_t i = 0; i < size; ++i) {
        switch (how) {
            case Fill::random: data[i] = uint8_t(random()); break;
            case Fill::zero: data[i] = 0; break;
            case Fill::full: data[i] = 255; break;
            case Fill::extremes: data[i] = ((i + i / 7) & 1) ? 255 : 0; break;
        }
    }
}

struct Case {
    int width, height;
    Fill how;
    size_t offset;
};

std::vector<Case> cases() {
    std::vector<Case> all;
    const int widths[] = {2, 6, 16, 18, 30, 32, 34, 62, 720, 1920};
    const int heights[] = {1, 2, 3, 8, 9, 18};
    const Fill fills[] = {Fill::random, Fill::zero, Fill::full, Fill::extremes};
    size_t offset = 0;
    for (int w : widths)
        for (int h : heights)
            for (Fill f : fills) all.push_back({w, h, f, offset++ % 7});
    return all;
}

const unsigned kSeed = std::random_device{}();

std::string describe(const char* variant, const Case& c) {
    return std::string(variant) + " " + std::to_string(c.width) + "x" + std::to_string(c.height) + " fill " +
           std::to_string(int(c.how)) + " offset " + std::to_string(c.offset) + " seed " + std::to_string(kSeed);
}

// The variants this processor can run, the plain one included.
std::vector<ConversionVariant> runnable_variants() {
    std::vector<ConversionVariant> runnable;
    for (const ConversionVariant& variant : conversion_variants()) {
        if (variant.level <= processor_kernel_level()) runnable.push_back(variant);
        else std::printf("skipping %s: this processor lacks it\n", variant.name);
    }
    return runnable;
}

TEST(ConversionsTest, Yuy2VariantsMatchThePlainReference) {
    std::mt19937 random(kSeed);
    for (const ConversionVariant& variant : runnable_variants()) {
        for (const Case& c : cases()) {
            const size_t luma = size_t(c.width) * size_t(c.height);
            const size_t chroma = size_t(c.width / 2) * size_t(c.height / 2);
            Guarded packed(2 * luma, c.offset);
            fill(packed.data(), packed.size, c.how, random);
            Guarded y0(luma, 0), u0(chroma, 0), v0(chroma, 0);
            Guarded y1(luma, c.offset), u1(chroma, c.offset + 1), v1(chroma, c.offset + 3);
            yuy2_to_420_plain(packed.data(), c.width, c.height, y0.data(), u0.data(), v0.data());
            variant.kernels.yuy2_to_420(packed.data(), c.width, c.height, y1.data(), u1.data(), v1.data());
            ASSERT_EQ(y0.contents(), y1.contents()) << describe(variant.name, c);
            ASSERT_EQ(u0.contents(), u1.contents()) << describe(variant.name, c);
            ASSERT_EQ(v0.contents(), v1.contents()) << describe(variant.name, c);
            ASSERT_TRUE(y1.guards_intact() && u1.guards_intact() && v1.guards_intact()) << describe(variant.name, c);
        }
    }
}

TEST(ConversionsTest, Chroma422VariantsMatchThePlainReference) {
    std::mt19937 random(kSeed + 1);
    for (const ConversionVariant& variant : runnable_variants()) {
        for (const Case& c : cases()) {
            Guarded source(size_t(c.width) * size_t(c.height), c.offset);
            fill(source.data(), source.size, c.how, random);
            const size_t out = size_t(c.width) * size_t(c.height / 2);
            Guarded reference(out, 0), result(out, c.offset + 2);
            chroma_422_to_420_plain(source.data(), c.width, c.height, reference.data());
            variant.kernels.chroma_422_to_420(source.data(), c.width, c.height, result.data());
            ASSERT_EQ(reference.contents(), result.contents()) << describe(variant.name, c);
            ASSERT_TRUE(result.guards_intact()) << describe(variant.name, c);
        }
    }
}

TEST(ConversionsTest, Chroma444VariantsMatchThePlainReference) {
    std::mt19937 random(kSeed + 2);
    for (const ConversionVariant& variant : runnable_variants()) {
        for (const Case& c : cases()) {
            for (int width : {c.width, c.width + 1}) {  // an odd width drops its last column
                Guarded source(size_t(width) * size_t(c.height), c.offset);
                fill(source.data(), source.size, c.how, random);
                const size_t out = size_t(width / 2) * size_t(c.height / 2);
                Guarded reference(out, 0), result(out, c.offset + 5);
                chroma_444_to_420_plain(source.data(), width, c.height, reference.data());
                variant.kernels.chroma_444_to_420(source.data(), width, c.height, result.data());
                ASSERT_EQ(reference.contents(), result.contents()) << describe(variant.name, c) << " width " << width;
                ASSERT_TRUE(result.guards_intact()) << describe(variant.name, c);
            }
        }
    }
}

// The reference itself, on samples whose means are easy to follow.
TEST(ConversionsTest, PlainReferenceAveragesRoundingUp) {
    // Two rows of 4 pixels: Y0 U Y1 V Y2 U Y3 V.
    const uint8_t packed[16] = {10, 100, 11, 200, 12, 101, 13, 201,   // row 0
                                20, 103, 21, 204, 22, 255, 23, 0};    // row 1
    uint8_t y[8], u[2], v[2];
    yuy2_to_420_plain(packed, 4, 2, y, u, v);
    EXPECT_EQ(std::vector<uint8_t>(y, y + 8), (std::vector<uint8_t>{10, 11, 12, 13, 20, 21, 22, 23}));
    EXPECT_EQ(u[0], 102);  // (100 + 103 + 1) / 2
    EXPECT_EQ(u[1], 178);  // (101 + 255 + 1) / 2
    EXPECT_EQ(v[0], 202);  // (200 + 204 + 1) / 2
    EXPECT_EQ(v[1], 101);  // (201 + 0 + 1) / 2

    const uint8_t rows422[6] = {0, 255, 7, 1, 255, 8};  // 3 x 2
    uint8_t out422[3];
    chroma_422_to_420_plain(rows422, 3, 2, out422);
    EXPECT_EQ(std::vector<uint8_t>(out422, out422 + 3), (std::vector<uint8_t>{1, 255, 8}));

    const uint8_t block444[8] = {0, 1, 255, 255, 0, 0, 254, 255};  // 4 x 2
    uint8_t out444[2];
    chroma_444_to_420_plain(block444, 4, 2, out444);
    EXPECT_EQ(out444[0], 1);    // mean(mean(0,1)=1, mean(0,0)=0) = 1
    EXPECT_EQ(out444[1], 255);  // mean(255, 255) = 255
}

TEST(ConversionsTest, LevelsChooseVariantsAndNeverExceedTheProcessor) {
    const ConversionKernels plain = select_conversion_kernels(0);
    EXPECT_EQ(plain.yuy2_to_420, &yuy2_to_420_plain);
    EXPECT_EQ(select_conversion_kernels(1).chroma_444_to_420, &chroma_444_to_420_plain);
    for (const ConversionVariant& variant : conversion_variants()) {
        if (variant.level > processor_kernel_level()) continue;
        const ConversionKernels chosen = select_conversion_kernels(variant.level);
        EXPECT_EQ(chosen.yuy2_to_420, variant.kernels.yuy2_to_420) << variant.name;
    }
    // Asking for more than the processor has gives what it has.
    const ConversionKernels most = select_conversion_kernels(99);
    const ConversionKernels available = select_conversion_kernels(processor_kernel_level());
    EXPECT_EQ(most.yuy2_to_420, available.yuy2_to_420);
}

}  // namespace
