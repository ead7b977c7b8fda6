#include "preview/bitmap_convert.h"

#include "input/conversions.h"
#include "preview/bitmap_pixel.h"

#include <array>

namespace qz::preview {

void yuv_row_pair_to_bgr_plain(const uint8_t* y_first, const uint8_t* y_second, const uint8_t* u, const uint8_t* v,
                               int width, uint8_t* bgr_first, uint8_t* bgr_second) {
    steps::yuv_row_to_bgr(y_first, u, v, 0, width, bgr_first);
    steps::yuv_row_to_bgr(y_second, u, v, 0, width, bgr_second);
}

namespace {

// The ladder, lowest level first: each step needs every level before it.
#if defined(__x86_64__) || defined(__i386__)
constexpr std::array kVariants{
    BitmapVariant{"plain", 0, yuv_row_pair_to_bgr_plain},
    BitmapVariant{"sse2", 2, yuv_row_pair_to_bgr_sse2},
    BitmapVariant{"avx2", 7, yuv_row_pair_to_bgr_avx2},
};
#else
constexpr std::array kVariants{
    BitmapVariant{"plain", 0, yuv_row_pair_to_bgr_plain},
};
#endif

}  // namespace

std::span<const BitmapVariant> bitmap_variants() { return kVariants; }

YuvRowPairToBgr select_bitmap_conversion(int cpu_level) {
    const int processor = input::processor_kernel_level();
    const int level = cpu_level < processor ? cpu_level : processor;
    YuvRowPairToBgr chosen = kVariants[0].convert;
    for (const BitmapVariant& variant : kVariants) {
        if (level < variant.level) break;
        chosen = variant.convert;
    }
    return chosen;
}

}  // namespace qz::preview
