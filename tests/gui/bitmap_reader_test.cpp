// A bitmap file as "create bitmap" writes it opens in Qt's own image reader with the picture it
// holds: the header, the row order and the colour conversion agree with what other programs expect.
#include "preview/bitmap_image.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include <fstream>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(BitmapReaderTest, QtsReaderOpensTheFileWithItsPixelsInPlace) {
    // A 720x576 frame: grey above, studio-range red in the bottom half, a white top-left block.
    const int width = 720, height = 576;
    std::vector<uint8_t> y(size_t(width) * height, 128), u(size_t(width / 2) * (height / 2), 128),
        v(size_t(width / 2) * (height / 2), 128);
    for (int row = height / 2; row < height; ++row)
        for (int x = 0; x < width; ++x) y[size_t(row) * width + size_t(x)] = 81;
    for (int row = height / 4; row < height / 2; ++row)
        for (int x = 0; x < width / 2; ++x) {
            u[size_t(row) * size_t(width / 2) + size_t(x)] = 90;
            v[size_t(row) * size_t(width / 2) + size_t(x)] = 240;
        }
    for (int row = 0; row < 16; ++row)
        for (int x = 0; x < 16; ++x) y[size_t(row) * width + size_t(x)] = 235;

    qz::preview::BitmapImage image;
    ASSERT_TRUE(image.build({y.data(), u.data(), v.data(), width, height}, {}, 7));
    QTemporaryDir folder;
    const QString path = folder.filePath("000007.bmp");
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.bytes().data()), std::streamsize(image.bytes().size()));

    QImage read;
    ASSERT_TRUE(read.load(path, "BMP"));
    EXPECT_EQ(read.width(), width);
    EXPECT_EQ(read.height(), height);
    EXPECT_EQ(read.pixelColor(100, 100), QColor(130, 130, 130));  // grey
    EXPECT_EQ(read.pixelColor(100, 500), QColor(254, 0, 0));      // studio red, limited at 0
    EXPECT_EQ(read.pixelColor(4, 4), QColor(254, 254, 254));       // white, top left: rows bottom-up
}

}  // namespace
