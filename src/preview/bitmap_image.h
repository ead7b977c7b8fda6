// The bitmap image: the current frame as a complete 24-bit bitmap file in memory (a 54-byte header,
// then the pixel rows bottom-up, blue, green, red), with the mask, shift and pan-scan marks painted on.
// The preview draws it, "create bitmap" writes it to a file. One buffer for the largest frame is
// allocated with the image; building a frame never allocates.
#pragma once

#include "input/video_source.h"
#include "preview/bitmap_marks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace qz::preview {

inline constexpr size_t kBitmapHeaderBytes = 54;
inline constexpr size_t kBitmapCapacityBytes =
    kBitmapHeaderBytes + 3 * size_t{input::kMaxFrameWidth} * size_t{input::kMaxFrameHeight};

// A 4:2:0 frame as the Video source holds it: `height` luma rows of `width` bytes, then height / 2
// rows of width / 2 bytes in each chroma plane, no padding. Only the first `height` rows are read (a
// 1088-line frame shown as 1080 keeps its eight extra lines in the planes).
struct FrameView {
    const uint8_t* y = nullptr;
    const uint8_t* u = nullptr;
    const uint8_t* v = nullptr;
    int width = 0;
    int height = 0;
};

// The Video source's planes at its width and height.
FrameView frame_view(const input::VideoSource& video);

// A frame the bitmap can show: even width 2 .. 1920, even height 2 .. 1152.
bool bitmap_size_accepted(int width, int height);

// Bytes per pixel row in the file: 3 x width rounded up to a multiple of 4, as the format requires.
// The padding is 0 bytes; widths that are multiples of 4 have none.
size_t bitmap_row_bytes(int width);

class BitmapImage {
public:
    BitmapImage();
    BitmapImage(const BitmapImage&) = delete;
    BitmapImage& operator=(const BitmapImage&) = delete;

    // Builds the image of `frame` with `marks` painted on, converting with the variant for
    // `cpu_level` (0 none .. 7 AVX2; never above what the processor has). The frame's planes are only
    // read. False, and an empty image, when the frame's size is not accepted.
    bool build(const FrameView& frame, const FrameMarks& marks, int cpu_level);
    // No picture: the image is empty, as before the first build.
    void clear() {
        size_ = 0;
        width_ = height_ = 0;
    }

    // The complete file of the last build; empty before the first and after a refused one.
    std::span<const uint8_t> bytes() const { return {image_, size_}; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixel rows of bytes(), bottom row first, each bitmap_row_bytes(width()) long.
    std::span<const uint8_t> pixels() const { return bytes().subspan(size_ ? kBitmapHeaderBytes : 0); }

private:
    void write_header();
    // Row `row` of the luma plane as marked: a fetched row, the black row, or the pan-scan window
    // painted onto a copy in `painted`.
    const uint8_t* marked_luma(const FrameView& frame, const FrameMarks& marks, PanScanMargins margins, int row,
                               uint8_t* painted);

    // The file starts 54 bytes before a 64-byte boundary, so the pixel rows start on one: stores of
    // whole vectors then rarely straddle two cache lines.
    std::unique_ptr<uint8_t[]> storage_;  // kBitmapCapacityBytes and the room to place the file so
    uint8_t* image_ = nullptr;
    size_t size_ = 0;
    int width_ = 0, height_ = 0;
    // The fill rows the masks and the shift show, and the working rows the pan-scan window is painted on.
    std::array<uint8_t, input::kMaxFrameWidth> black_luma_;
    std::array<uint8_t, input::kMaxFrameWidth / 2> neutral_chroma_;
    std::array<std::array<uint8_t, input::kMaxFrameWidth>, 2> painted_luma_;
};

}  // namespace qz::preview
