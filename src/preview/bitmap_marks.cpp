#include "preview/bitmap_marks.h"

#include <algorithm>

namespace qz::preview {

namespace {

// A shift of a whole plane or more leaves only fill; limiting it first keeps row + shift in range.
int moved_row(int row, int32_t shift, int rows) {
    const int limited = int(std::clamp<int32_t>(shift, -rows, rows));
    const int source = row + limited;
    return source >= 0 && source < rows ? source : -1;
}

bool masked(int row, int32_t top, int32_t bottom, int rows) {
    return row < top || (bottom > 0 && row >= int64_t{rows} - bottom);
}

// The 4:3 part of a 720 or 704 wide frame is 540 or 528 columns wide.
int panscan_half_margin(int width) { return width == 720 ? 90 : width == 704 ? 88 : 0; }

}  // namespace

int marked_luma_row(const FrameMarks& marks, int row, int height) {
    if (masked(row, marks.mask_top, marks.mask_bottom, height)) return -1;
    return moved_row(row, marks.shift, height);
}

int marked_chroma_row(const FrameMarks& marks, int row, int chroma_height) {
    if (masked(row, marks.mask_top / 2, marks.mask_bottom / 2, chroma_height)) return -1;
    return moved_row(row, marks.shift / 2, chroma_height);
}

PanScanMargins panscan_margins(const FrameMarks& marks, int width) {
    const int half = panscan_half_margin(width);
    if (!marks.panscan_on || half == 0) return {};
    const int offset = marks.panscan_offset / 16;  // whole pixels, toward zero
    return {std::clamp(half + offset, 0, 2 * half), std::clamp(half - offset, 0, 2 * half)};
}

void paint_panscan(uint8_t* luma_row, int width, PanScanMargins margins) {
    auto darken = [](uint8_t sample) { return uint8_t(sample > 128 ? sample - 128 : 0); };
    for (int x = 0; x < margins.left; ++x) luma_row[x] = darken(luma_row[x]);
    for (int x = width - margins.right; x < width; ++x) luma_row[x] = darken(luma_row[x]);
    if (margins.left > 0) luma_row[margins.left - 1] = 0;
    if (margins.right > 0) luma_row[width - margins.right] = 0;
}

}  // namespace qz::preview
