// The bitmap image as a user sees it: what the marks paint, the same frame giving the same bytes
// however often it is built, a file FFmpeg's bitmap reader takes, the file names, and where the
// picture is drawn.
#include "ffmpeg_reference.h"
#include "preview/bitmap_file.h"
#include "preview/bitmap_image.h"
#include "preview/preview_rect.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace qz::preview;
using qz::previewtest::Bgr;
using qz::previewtest::Yuv420;

const unsigned kSeed = std::random_device{}();

Yuv420 random_picture(int width, int height, std::mt19937& random) {
    Yuv420 p{width, height, std::vector<uint8_t>(size_t(width) * size_t(height)),
             std::vector<uint8_t>(size_t(width / 2) * size_t(height / 2)), {}};
    p.v = p.u;
    for (auto* plane : {&p.y, &p.u, &p.v})
        for (uint8_t& b : *plane) b = uint8_t(random());
    return p;
}

Yuv420 flat_picture(int width, int height, uint8_t y, uint8_t u, uint8_t v) {
    return {width, height, std::vector<uint8_t>(size_t(width) * size_t(height), y),
            std::vector<uint8_t>(size_t(width / 2) * size_t(height / 2), u),
            std::vector<uint8_t>(size_t(width / 2) * size_t(height / 2), v)};
}

FrameView view(const Yuv420& p) { return {p.y.data(), p.u.data(), p.v.data(), p.width, p.height}; }

// The image as FFmpeg's bitmap decoder reads it, top row first.
Bgr shown(const BitmapImage& image) {
    Bgr picture = qz::previewtest::decode_bmp(image.bytes());
    EXPECT_EQ(picture.width, image.width());
    EXPECT_EQ(picture.height, image.height());
    return picture;
}

uint8_t luma_of(const Bgr& picture, int row, int x) {
    // Every test picture here is grey, so blue stands for all three.
    return picture.pixels[3 * (size_t(row) * size_t(picture.width) + size_t(x))];
}

// The processor's best conversion and the plain one give the same bitmap, which FFmpeg reads as the
// independent conversion of the same planes: header, bottom-up rows and row padding all hold. 718 and
// 702 wide rows need 2 bytes of padding each.
TEST(BitmapImage, FfmpegReadsTheConversionOfThePlanesForEveryLevelAndWidth) {
    std::mt19937 random(kSeed);
    auto image = std::make_unique<BitmapImage>();
    for (auto [w, h] : {std::pair{720, 576}, {718, 6}, {702, 480}, {2, 2}, {1920, 1080}, {1920, 1152}}) {
        const Yuv420 picture = random_picture(w, h, random);
        const Bgr expected = qz::previewtest::convert_bt601_studio(picture);
        for (int level : {0, 7}) {
            ASSERT_TRUE(image->build(view(picture), {}, level));
            EXPECT_EQ(image->bytes().size(), 54 + bitmap_row_bytes(w) * size_t(h));
            EXPECT_EQ(shown(*image).pixels, expected.pixels)
                << w << "x" << h << " level " << level << " seed " << kSeed;
        }
    }
}

TEST(BitmapImage, BuildingTheSameFrameTwiceGivesTheSameBytesAndLeavesThePlanesAsDecoded) {
    std::mt19937 random(kSeed);
    const Yuv420 picture = random_picture(720, 576, random);
    const Yuv420 decoded = picture;
    FrameMarks marks;
    marks.mask_top = 8;
    marks.mask_bottom = 16;
    marks.shift = -6;
    marks.panscan_on = true;
    marks.panscan_offset = -200;
    auto image = std::make_unique<BitmapImage>();
    ASSERT_TRUE(image->build(view(picture), marks, 7));
    const std::vector<uint8_t> first(image->bytes().begin(), image->bytes().end());
    ASSERT_TRUE(image->build(view(picture), marks, 7));
    EXPECT_TRUE(std::equal(first.begin(), first.end(), image->bytes().begin(), image->bytes().end()));
    EXPECT_EQ(picture.y, decoded.y);
    EXPECT_EQ(picture.u, decoded.u);
    EXPECT_EQ(picture.v, decoded.v);
}

TEST(BitmapImage, MaskEightEightZeroBlacksTheTopAndBottomEightLines) {
    const Yuv420 picture = flat_picture(720, 576, 180, 128, 128);
    auto image = std::make_unique<BitmapImage>();
    ASSERT_TRUE(image->build(view(picture), {8, 8, 0}, 7));
    const Bgr seen = shown(*image);
    for (int row = 0; row < 576; ++row) {
        const bool black = row < 8 || row >= 568;
        for (int x : {0, 360, 719}) {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(seen.pixels[3 * (size_t(row) * 720 + size_t(x)) + size_t(c)], black ? 0 : 190)
                    << "row " << row;
        }
    }
}

// Each line of the picture is its own number, so the shown rows tell where each came from.
TEST(BitmapImage, ShiftMovesThePictureAndFillsTheFreedLinesWithBlack) {
    Yuv420 picture = flat_picture(16, 64, 0, 128, 128);
    for (int row = 0; row < 64; ++row)
        for (int x = 0; x < 16; ++x) picture.y[size_t(row) * 16 + size_t(x)] = uint8_t(100 + row);
    auto image = std::make_unique<BitmapImage>();
    for (int shift : {4, -6, 64, -1000}) {
        ASSERT_TRUE(image->build(view(picture), {0, 0, shift}, 7));
        const Bgr seen = shown(*image);
        for (int row = 0; row < 64; ++row) {
            const int from = row + shift;
            const uint8_t expected_y = from >= 0 && from < 64 ? uint8_t(100 + from) : 16;
            const Bgr one = qz::previewtest::convert_bt601_studio(flat_picture(2, 2, expected_y, 128, 128));
            ASSERT_EQ(luma_of(seen, row, 5), one.pixels[0]) << "shift " << shift << " row " << row;
        }
    }
}

// The columns of one line of a flat frame of luma 200 (shown as 214; darkened to 72, which shows 65).
std::vector<char> column_kinds(const Bgr& seen) {
    std::vector<char> kinds;
    for (int x = 0; x < seen.width; ++x) {
        const uint8_t b = luma_of(seen, 100, x);
        kinds.push_back(b == 214 ? 'w' : b == 65 ? 'd' : b == 0 ? 'k' : '?');
    }
    return kinds;
}

std::vector<char> expected_kinds(int width, int left, int right) {
    std::vector<char> kinds(size_t(width), 'w');
    for (int x = 0; x < left; ++x) kinds[size_t(x)] = x == left - 1 ? 'k' : 'd';
    for (int x = width - right; x < width; ++x) kinds[size_t(x)] = x == width - right ? 'k' : 'd';
    return kinds;
}

TEST(BitmapImage, ThePanScanWindowDarkensTheMarginsWithABlackBorder) {
    struct Case {
        int width;
        int16_t offset;
        int left, right;
    };
    const Case cases[] = {
        {720, 0, 90, 90},        // 89 darkened and 1 black column each side of 540
        {704, 0, 88, 88},        // 528 wide
        {720, 160, 100, 80},     // 10 pixels to the right
        {720, -175, 80, 100},    // -10.9375 pixels: toward zero
        {720, 1440, 180, 0},     // at the limit: no right margin at all
        {720, -3000, 0, 180},    // beyond it: limited
        {704, 1312, 170, 6},
        {712, 0, 0, 0},          // other widths: no window
    };
    auto image = std::make_unique<BitmapImage>();
    for (const Case& c : cases) {
        const Yuv420 picture = flat_picture(c.width, 200, 200, 128, 128);
        FrameMarks marks;
        marks.panscan_on = true;
        marks.panscan_offset = c.offset;
        ASSERT_TRUE(image->build(view(picture), marks, 7));
        EXPECT_EQ(column_kinds(shown(*image)), expected_kinds(c.width, c.left, c.right))
            << c.width << " offset " << c.offset;
    }
    const Yuv420 picture = flat_picture(720, 200, 200, 128, 128);
    ASSERT_TRUE(image->build(view(picture), {}, 7));
    EXPECT_EQ(column_kinds(shown(*image)), expected_kinds(720, 0, 0));
}

TEST(BitmapImage, AFrameOfAnotherSizeIsRefusedAndLeavesNothingToWrite) {
    auto image = std::make_unique<BitmapImage>();
    const Yuv420 good = flat_picture(64, 64, 16, 128, 128);
    for (auto [w, h] : {std::pair{0, 0}, {1922, 1080}, {1920, 1154}, {63, 64}, {64, 63}, {-64, 64}}) {
        ASSERT_TRUE(image->build(view(good), {}, 0));
        FrameView bad = view(good);
        bad.width = w;
        bad.height = h;
        EXPECT_FALSE(image->build(bad, {}, 0)) << w << "x" << h;
        EXPECT_TRUE(image->bytes().empty());
        bool called = false;
        EXPECT_EQ(write_bitmap_file(*image, "x.bmp", [&](const std::string&, std::span<const uint8_t>) {
                      return called = true;
                  }),
                  BitmapFileOutcome::nothing_built);
        EXPECT_FALSE(called);
    }
}

TEST(BitmapFile, NamesAreTheFrameNumberPaddedToSixDigitsAndNeverCutShort) {
    EXPECT_EQ(bitmap_file_name(7), "000007.bmp");
    EXPECT_EQ(bitmap_file_name(1234), "001234.bmp");
    EXPECT_EQ(bitmap_file_name(999999), "999999.bmp");
    EXPECT_EQ(bitmap_file_name(1234567), "1234567.bmp");
    EXPECT_EQ(bitmap_file_name(0x7fffffff), "2147483647.bmp");
    EXPECT_EQ(bitmap_file_path("/home/user/QZ/", 7), "/home/user/QZ/000007.bmp");
    EXPECT_EQ(bitmap_file_path("/home/user/QZ", 7), "/home/user/QZ/000007.bmp");
}

TEST(BitmapFile, TheWriterGetsTheWholeImageUnderThePathAndItsFailureIsReported) {
    const Yuv420 picture = flat_picture(32, 16, 81, 90, 240);
    auto image = std::make_unique<BitmapImage>();
    ASSERT_TRUE(image->build(view(picture), {}, 7));
    std::string written_path;
    std::vector<uint8_t> written;
    const std::string path = bitmap_file_path("/tmp/qz", 12);
    EXPECT_EQ(write_bitmap_file(*image, path,
                                [&](const std::string& p, std::span<const uint8_t> bytes) {
                                    written_path = p;
                                    written.assign(bytes.begin(), bytes.end());
                                    return true;
                                }),
              BitmapFileOutcome::written);
    EXPECT_EQ(written_path, "/tmp/qz/000012.bmp");
    EXPECT_EQ(qz::previewtest::decode_bmp(written).pixels, qz::previewtest::convert_bt601_studio(picture).pixels);
    EXPECT_EQ(write_bitmap_file(*image, path, [](const std::string&, std::span<const uint8_t>) { return false; }),
              BitmapFileOutcome::write_failed);
}

TEST(PreviewRectangle, TheAspectsRectangleScalesWithTheArea) {
    auto rect = [](int aspect, int w, int h) {
        const auto r = preview_rectangle(aspect, w, h);
        return r ? std::vector<int>{r->left, r->top, r->width, r->height} : std::vector<int>{};
    };
    EXPECT_EQ(rect(2, 618, 296), (std::vector<int>{225, 20, 320, 240}));
    EXPECT_EQ(rect(1, 618, 296), (std::vector<int>{265, 20, 240, 240}));
    EXPECT_EQ(rect(3, 618, 296), (std::vector<int>{172, 20, 426, 240}));
    EXPECT_EQ(rect(4, 618, 296), (std::vector<int>{168, 40, 434, 200}));
    EXPECT_EQ(rect(5, 618, 296), (std::vector<int>{172, 20, 426, 240}));
    EXPECT_EQ(rect(2, 1236, 592), (std::vector<int>{450, 40, 640, 480}));  // twice the size, HiDPI
    EXPECT_EQ(rect(2, 309, 148), (std::vector<int>{112, 10, 160, 120}));
    EXPECT_EQ(rect(0, 618, 296), std::vector<int>{});
    EXPECT_EQ(rect(6, 618, 296), std::vector<int>{});
}

}  // namespace
