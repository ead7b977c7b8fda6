// The row conversion of the preview bitmap: one row of 4:2:0 samples (a luma row and the chroma rows
// that serve it) to 3 bytes per pixel in the order blue, green, red, by the step of bitmap_pixel.h.
//
// A plain reference and vector variants with bit-identical results. No pointer needs any alignment,
// nothing is read or written outside [0, width) luma, [0, width / 2) chroma and [0, 3 x width) output.
#pragma once

#include <cstdint>
#include <span>

namespace qz::preview {

// `width` is even and at least 2.
using YuvRowToBgr = void (*)(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* bgr);

void yuv_row_to_bgr_plain(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* bgr);
// x86 only.
void yuv_row_to_bgr_sse2(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* bgr);

// One named variant and the CPU level it needs (0 none, 2 SSE2); the tests and the benchmark run
// every one this processor supports.
struct BitmapVariant {
    const char* name;
    int level;
    YuvRowToBgr row_to_bgr;
};
std::span<const BitmapVariant> bitmap_variants();

// The conversion for a CPU level, never above what this processor really has; level 0 or 1 gives
// the plain one (the forced plain path).
YuvRowToBgr select_bitmap_conversion(int cpu_level);

}  // namespace qz::preview
