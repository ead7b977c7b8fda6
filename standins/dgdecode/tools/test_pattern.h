// Test pictures that carry their frame number: two rows of blocks at the top of the luma plane
// (the number's 16 bits, then their complement), bright for 1 and dark for 0, large enough to
// survive MPEG-2 compression and to be read from a single field. Below them, content that moves
// from frame to frame so that P and B pictures really predict.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qz::testclip {

inline constexpr int kNumberBits = 16;
inline constexpr int kMaxFrameNumber = (1 << kNumberBits) - 1;
inline constexpr int kMinWidth = 128;
inline constexpr int kMinHeight = 96;

struct PlaneView {
    uint8_t* data;
    ptrdiff_t pitch;
};

// Draws frame `number` (0 .. kMaxFrameNumber); chroma planes are width/2 wide and height/2
// (4:2:0) or height (4:2:2) high.
void draw_test_frame(int number, int width, int height, bool chroma_422, PlaneView y, PlaneView u, PlaneView v);

// The frame number a luma plane carries, or -1 when the blocks cannot be read with certainty.
// `field` -1 reads all rows, 0 only the even rows (top field), 1 only the odd rows.
int read_frame_number(const uint8_t* y, int width, int height, ptrdiff_t pitch, int field = -1);

// Mean absolute difference between a decoded luma plane and the luma of frame `number` as drawn.
double luma_difference(const uint8_t* y, int width, int height, ptrdiff_t pitch, int number);

// The same for a chroma plane (plane 1 U, 2 V) of the given size.
double chroma_difference(const uint8_t* c, int chroma_width, int chroma_height, ptrdiff_t pitch, int plane,
                         int number);

}  // namespace qz::testclip
