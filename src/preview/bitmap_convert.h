// The conversion of the preview bitmap: a pair of luma rows and the one chroma row both use (4:2:0:
// each chroma sample serves 2 x 2 pixels) to 3 bytes per pixel in the order blue, green, red, by the
// step of bitmap_pixel.h.
//
// A plain reference and vector variants with bit-identical results. No pointer needs any alignment;
// nothing is read or written outside [0, width) of each luma row, [0, width / 2) of the chroma rows
// and [0, 3 x width) of each output row. The two luma rows (and the two outputs) may be anywhere,
// even the same row.
#pragma once

#include <cstdint>
#include <span>

namespace qz::preview {

// `width` is even and at least 2.
using YuvRowPairToBgr = void (*)(const uint8_t* y_first, const uint8_t* y_second, const uint8_t* u,
                                 const uint8_t* v, int width, uint8_t* bgr_first, uint8_t* bgr_second);

void yuv_row_pair_to_bgr_plain(const uint8_t* y_first, const uint8_t* y_second, const uint8_t* u, const uint8_t* v,
                               int width, uint8_t* bgr_first, uint8_t* bgr_second);
// x86 only.
void yuv_row_pair_to_bgr_sse2(const uint8_t* y_first, const uint8_t* y_second, const uint8_t* u, const uint8_t* v,
                              int width, uint8_t* bgr_first, uint8_t* bgr_second);
void yuv_row_pair_to_bgr_avx2(const uint8_t* y_first, const uint8_t* y_second, const uint8_t* u, const uint8_t* v,
                              int width, uint8_t* bgr_first, uint8_t* bgr_second);

// One named variant and the CPU level it needs (0 none, 2 SSE2, 7 AVX2); the tests and the benchmark run
// every one this processor supports.
struct BitmapVariant {
    const char* name;
    int level;
    YuvRowPairToBgr convert;
};
std::span<const BitmapVariant> bitmap_variants();

// The conversion for a CPU level, never above what this processor really has; level 0 or 1 gives
// the plain one (the forced plain path).
YuvRowPairToBgr select_bitmap_conversion(int cpu_level);

}  // namespace qz::preview
