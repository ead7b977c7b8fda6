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
constexpr size_t kPixelAlignment = 64;      // a cache line

}  // namespace

FrameView frame_view(const input::VideoSource& video) {
    return {video.y.data(), video.u.data(), video.v.data(), video.width, video.height};
}

bool bitmap_size_accepted(int width, int height) {
    return width >= 2 && width <= input::kMaxFrameWidth && width % 2 == 0 && height >= 2 &&
           height <= input::kMaxFrameHeight && height % 2 == 0;
}

size_t bitmap_row_bytes(int width) { return (3 * size_t(width) + 3) & ~size_t{3}; }

BitmapImage::BitmapImage() : storage_(new uint8_t[kBitmapCapacityBytes + kPixelAlignment]) {
    const auto start = reinterpret_cast<uintptr_t>(storage_.get()) + kBitmapHeaderBytes;
    const size_t to_boundary = (kPixelAlignment - start % kPixelAlignment) % kPixelAlignment;
    image_ = storage_.get() + to_boundary;
    black_luma_.fill(16);
    neutral_chroma_.fill(128);
}

void BitmapImage::write_header() {
    uint8_t* h = image_;
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

const uint8_t* BitmapImage::marked_luma(const FrameView& frame, const FrameMarks& marks, PanScanMargins margins,
                                        int row, uint8_t* painted) {
    const int luma_row = marked_luma_row(marks, row, height_);
    const uint8_t* y = luma_row < 0 ? black_luma_.data() : frame.y + size_t(luma_row) * size_t(width_);
    if (!margins.any()) return y;
    std::memcpy(painted, y, size_t(width_));
    paint_panscan(painted, width_, margins);
    return painted;
}

bool BitmapImage::build(const FrameView& frame, const FrameMarks& marks, int cpu_level) {
    clear();
    if (!bitmap_size_accepted(frame.width, frame.height)) return false;
    width_ = frame.width;
    height_ = frame.height;
    const size_t row_bytes = bitmap_row_bytes(width_);
    size_ = kBitmapHeaderBytes + row_bytes * size_t(height_);
    write_header();

    const YuvRowPairToBgr convert = select_bitmap_conversion(cpu_level);
    const PanScanMargins margins = panscan_margins(marks, width_);
    const size_t chroma_pitch = size_t(width_ / 2);
    const size_t padding = row_bytes - 3 * size_t(width_);
    uint8_t* const pixels = image_ + kBitmapHeaderBytes;
    // Frame line 0 is the last row of the file.
    auto output_row = [&](int row) { return pixels + size_t(height_ - 1 - row) * row_bytes; };
    for (int row = 0; row < height_; row += 2) {
        const int chroma_row = marked_chroma_row(marks, row / 2, height_ / 2);
        const uint8_t* u = chroma_row < 0 ? neutral_chroma_.data() : frame.u + size_t(chroma_row) * chroma_pitch;
        const uint8_t* v = chroma_row < 0 ? neutral_chroma_.data() : frame.v + size_t(chroma_row) * chroma_pitch;
        convert(marked_luma(frame, marks, margins, row, painted_luma_[0].data()),
                marked_luma(frame, marks, margins, row + 1, painted_luma_[1].data()), u, v, width_, output_row(row),
                output_row(row + 1));
        if (padding) {
            std::memset(output_row(row) + 3 * size_t(width_), 0, padding);
            std::memset(output_row(row + 1) + 3 * size_t(width_), 0, padding);
        }
    }
    return true;
}

}  // namespace qz::preview
