// What the preview paints onto a frame so the user sees what the encoder will be told: the mask and
// shift lines (*MASK_SHIFT) and the 4:3 pan-scan window. Painted row by row into the bitmap, never into
// the fetched planes: the same frame always gives the same picture.
#pragma once

#include <cstdint>

namespace qz::preview {

struct FrameMarks {
    // *MASK_SHIFT: lines blacked out at the top and the bottom, and lines the picture moves up (a
    // negative value moves it down). The settings keep them even; other values are taken as they come.
    int32_t mask_top = 0;
    int32_t mask_bottom = 0;
    int32_t shift = 0;
    // The pan-scan window, drawn on 720 and 704 wide frames only: the current frame's entry of the
    // per-frame offset table, in sixteenths of a pixel.
    bool panscan_on = false;
    int16_t panscan_offset = 0;
};

// The row of the fetched plane that row `row` of the marked picture shows, or -1 where the picture
// shows the fill (black luma 16, neutral chroma 128): the shift moves the rows and leaves fill where
// nothing moved in, then the masks cover their lines. Chroma rows move and are masked by half the lines.
int marked_luma_row(const FrameMarks& marks, int row, int height);
int marked_chroma_row(const FrameMarks& marks, int row, int chroma_height);

// The columns outside the 4:3 window on each side; 0 and 0 when no window is drawn.
struct PanScanMargins {
    int left = 0;
    int right = 0;
    bool any() const { return left > 0 || right > 0; }
};
PanScanMargins panscan_margins(const FrameMarks& marks, int width);

// Darkens the margins of one luma row (each sample lowered by 128, not below 0) and blacks the column
// of each margin next to the window (0), which borders it.
void paint_panscan(uint8_t* luma_row, int width, PanScanMargins margins);

}  // namespace qz::preview
