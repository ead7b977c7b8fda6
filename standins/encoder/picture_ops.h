// What happens to a fetched picture before it is encoded: its chroma brought to the format of the
// stream, then the mask and shift painted onto it exactly as the preview shows them.
#pragma once

#include "input/conversions.h"
#include "planes.h"

namespace qz::encoder {

// Converts `from` into `to` (allocated with the same size and the stream's chroma, 4:2:0 or
// 4:2:2). With `field_based` every chroma row is made from rows of its own field, as interlaced
// pictures need; otherwise from neighbouring rows. The progressive 4:2:2 and 4:4:4 to 4:2:0 steps
// are the program's own conversion kernels.
void convert_chroma(const Planes& from, Planes& to, bool field_based, const input::ConversionKernels& kernels);

struct MaskShift {
    int top = 0, bottom = 0, shift = 0;  // luma lines, all even; shift > 0 moves the picture up
    bool any() const { return top > 0 || bottom > 0 || shift != 0; }
};

// Moves the picture by `shift` lines (chroma by the lines that correspond), filling the freed lines
// with black (luma 16, chroma 128), then blacks out the top and bottom lines.
void paint_mask_shift(Planes& planes, const MaskShift& mask);

}  // namespace qz::encoder
