#include "preview/bitmap_image.h"

#include "preview/bitmap_convert.h"

#include <cstring>

namespace qz::preview {

namespace {

void put16(uint8_t* at, uint32_t value) {
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
}

void put32(uint8_t* at, uint32_t value) {
    put16(at, value);
    put16(at + 2, value >> 16);
}

constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

}  // namespace

FrameView frame_view(const input::VideoSource& video) {
    return {video.y.data(), video.u.data(), video.v.data(), video.width, video.height};
}

bool bitmap_size_accepted(int width, int height) {
    return width >= 2 && width <= input::kMaxFrameWidth && width % 2 == 0 && height >= 2 &&
           height <= input::kMaxFrameHeight && height % 2 == 0;
}

size_t bitmap_row_bytes(int width) { return (3 * size_t(width) + 3) & ~size_t{3}; }

BitmapImage::BitmapImage() : image_(new uint8_t[kBitmapCapacityBytes]) {
    black_luma_.fill(16);
    neutral_chroma_.fill(128);
}

void BitmapImage::write_header() {
    uint8_t* h = image_.get();
    const auto pixel_bytes = uint32_t(size_ - kBitmapHeaderBytes);
    std::memset(h, 0, kBitmapHeaderBytes);
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, uint32_t(size_));
    put32(h + 10, uint32_t(kBitmapHeaderBytes));
    put32(h + 14, 40);  // the information header's own size
    put32(h + 18, uint32_t(width_));
    put32(h + 22, uint32_t(height_));  // positive: rows stored bottom-up
    put16(h + 26, 1);                  // planes
    put16(h + 28, 24);                 // bits per pixel
    put32(h + 34, pixel_bytes);        // compression (30) and the colour counts (46, 50) stay 0
    put32(h + 38, kPixelsPerMetre);
    put32(h + 42, kPixelsPerMetre);
}

bool BitmapImage::build(const FrameView& frame, const FrameMarks& marks, int cpu_level) {
    size_ = 0;
    width_ = height_ = 0;
    if (!bitmap_size_accepted(frame.width, frame.height)) return false;
    width_ = frame.width;
    height_ = frame.height;
    const size_t row_bytes = bitmap_row_bytes(width_);
    size_ = kBitmapHeaderBytes + row_bytes * size_t(height_);
    write_header();

    const YuvRowToBgr convert = select_bitmap_conversion(cpu_level);
    const PanScanMargins margins = panscan_margins(marks, width_);
    const size_t luma_pitch = size_t(width_), chroma_pitch = size_t(width_ / 2);
    const size_t padding = row_bytes - 3 * size_t(width_);
    uint8_t* const pixels = image_.get() + kBitmapHeaderBytes;
    for (int row = 0; row < height_; ++row) {
        const int luma_row = marked_luma_row(marks, row, height_);
        const int chroma_row = marked_chroma_row(marks, row / 2, height_ / 2);
        const uint8_t* y = luma_row < 0 ? black_luma_.data() : frame.y + size_t(luma_row) * luma_pitch;
        const uint8_t* u = chroma_row < 0 ? neutral_chroma_.data() : frame.u + size_t(chroma_row) * chroma_pitch;
        const uint8_t* v = chroma_row < 0 ? neutral_chroma_.data() : frame.v + size_t(chroma_row) * chroma_pitch;
        if (margins.any()) {
            std::memcpy(painted_luma_.data(), y, luma_pitch);
            paint_panscan(painted_luma_.data(), width_, margins);
            y = painted_luma_.data();
        }
        // Frame line 0 is the last row of the file.
        uint8_t* out = pixels + size_t(height_ - 1 - row) * row_bytes;
        convert(y, u, v, width_, out);
        if (padding) std::memset(out + 3 * size_t(width_), 0, padding);
    }
    return true;
}

}  // namespace qz::preview
