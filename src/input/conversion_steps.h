// The per-sample steps of the colour conversions. The plain kernels are made of them, and every
// vector variant finishes its rows with them, so the tails are the reference by construction.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qz::input::steps {

// The rounded-up mean of two samples, as a vector average instruction computes it.
inline uint8_t mean_up(unsigned a, unsigned b) { return static_cast<uint8_t>((a + b + 1) >> 1); }

// Pixel pairs [from, pairs) of two packed YUY2 rows a and b: both luma rows, and one chroma row from
// the vertical mean.
inline void yuy2_row_pair(const uint8_t* a, const uint8_t* b, uint8_t* y0, uint8_t* y1, uint8_t* u_row,
                          uint8_t* v_row, int from, int pairs) {
    for (int p = from; p < pairs; ++p) {
        y0[2 * p] = a[4 * p];
        y0[2 * p + 1] = a[4 * p + 2];
        y1[2 * p] = b[4 * p];
        y1[2 * p + 1] = b[4 * p + 2];
        u_row[p] = mean_up(a[4 * p + 1], b[4 * p + 1]);
        v_row[p] = mean_up(a[4 * p + 3], b[4 * p + 3]);
    }
}

// The luma of pixel pairs [from, pairs) of a last packed row without a partner.
inline void yuy2_luma_row(const uint8_t* a, uint8_t* y0, int from, int pairs) {
    for (int p = from; p < pairs; ++p) {
        y0[2 * p] = a[4 * p];
        y0[2 * p + 1] = a[4 * p + 2];
    }
}

// Samples [from, width) of one 4:2:2 to 4:2:0 chroma row.
inline void vertical_mean_row(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t from, size_t width) {
    for (size_t x = from; x < width; ++x) out[x] = mean_up(a[x], b[x]);
}

// Samples [from, out_width) of one 4:4:4 to 4:2:0 chroma row: horizontal pairs first, then vertical.
inline void block_mean_row(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t from, size_t out_width) {
    for (size_t x = from; x < out_width; ++x)
        out[x] = mean_up(mean_up(a[2 * x], a[2 * x + 1]), mean_up(b[2 * x], b[2 * x + 1]));
}

}  // namespace qz::input::steps
