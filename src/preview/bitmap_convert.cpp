#include "preview/bitmap_convert.h"

#include "input/conversions.h"
#include "preview/bitmap_pixel.h"

#include <array>

namespace qz::preview {

void yuv_row_to_bgr_plain(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* bgr) {
    steps::yuv_row_to_bgr(y, u, v, 0, width, bgr);
}

namespace {

// The ladder, lowest level first: each step needs every level before it.
#if defined(__x86_64__) || defined(__i386__)
constexpr std::array kVariants{
    BitmapVariant{"plain", 0, yuv_row_to_bgr_plain},
    BitmapVariant{"sse2", 2, yuv_row_to_bgr_sse2},
};
#else
constexpr std::array kVariants{
    BitmapVariant{"plain", 0, yuv_row_to_bgr_plain},
};
#endif

}  // namespace

std::span<const BitmapVariant> bitmap_variants() { return kVariants; }

YuvRowToBgr select_bitmap_conversion(int cpu_level) {
    const int processor = input::processor_kernel_level();
    const int level = cpu_level < processor ? cpu_level : processor;
    YuvRowToBgr chosen = kVariants[0].row_to_bgr;
    for (const BitmapVariant& variant : kVariants) {
        if (level < variant.level) break;
        chosen = variant.row_to_bgr;
    }
    return chosen;
}

}  // namespace qz::preview
