// Copies decoded pictures into the delivered frame layout: Y, U, V planes one after the other,
// no row padding, the project's clipping applied, even rows from the top-field picture and odd
// rows from the bottom-field picture.
#pragma once

#include <cstddef>
#include <cstdint>

struct AVFrame;

namespace qz::dgdecode {

struct OutputGeometry {
    int width = 0;          // delivered size, even
    int height = 0;
    int left = 0;           // first delivered column and row of the decoded picture, even
    int top = 0;
    bool chroma_422 = false;  // else 4:2:0

    size_t chroma_width() const { return size_t(width / 2); }
    size_t chroma_height() const { return size_t(chroma_422 ? height : height / 2); }
    size_t luma_bytes() const { return size_t(width) * size_t(height); }
    size_t frame_bytes() const { return luma_bytes() + 2 * chroma_width() * chroma_height(); }
};

// The delivered geometry for a decoded picture of `decoded_width` x `decoded_height` and a
// clipping of the project. Odd sizes lose their last column or row (so that the chroma planes
// are exactly a quarter or half of the luma plane); a clipping that is odd is rounded down to
// even, and one that leaves less than 16 x 16 is ignored.
OutputGeometry make_output_geometry(int decoded_width, int decoded_height, bool chroma_422, int clip_left,
                                    int clip_right, int clip_top, int clip_bottom);

// Writes exactly geometry.frame_bytes() bytes to `out`. Parts a picture lacks (a picture of a
// different size or chroma format than the stream began with) become black.
void copy_frame(const AVFrame& top_field_picture, const AVFrame& bottom_field_picture,
                const OutputGeometry& geometry, uint8_t* out);

// A black frame, for when nothing could be decoded.
void black_frame(const OutputGeometry& geometry, uint8_t* out);

}  // namespace qz::dgdecode
