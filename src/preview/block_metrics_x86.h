// The last steps of the vector block statistics, shared by the SSE2 and AVX2 variants: the field
// accumulators of one block folded into its BlockStats record.
//
// Everything here has internal linkage on purpose: each variant file compiles its own copy with its
// own instruction set. A shared inline function could be merged by the linker into the AVX2 file's
// copy and then run on a processor without AVX2.
#pragma once

#include "preview/block_metrics.h"

#include <emmintrin.h>

namespace qz::preview {
namespace {

// The accumulators of one block: sums and differences as two 64-bit halves of packed sums of absolute
// differences, squares as four 32-bit lanes; each split by field.
struct BlockAccumulators {
    __m128i top_sum, bottom_sum, top_difference, bottom_difference, top_squares, bottom_squares;
};

inline uint32_t lane0(__m128i v) { return uint32_t(_mm_cvtsi128_si32(v)); }

inline void store_block_stats(const BlockAccumulators& a, BlockStats& out) {
    // Every packed sum stays below 2^16 (eight lines of 8 x 255 per half), so a field's sum and
    // difference can share one 64-bit lane: sum in the low half, difference in the high half.
    const __m128i top = _mm_add_epi64(a.top_sum, _mm_slli_epi64(a.top_difference, 32));
    const __m128i bottom = _mm_add_epi64(a.bottom_sum, _mm_slli_epi64(a.bottom_difference, 32));
    // [top sum, top difference, bottom sum, bottom difference]
    const __m128i fields = _mm_add_epi32(_mm_unpacklo_epi64(top, bottom), _mm_unpackhi_epi64(top, bottom));
    alignas(16) int32_t field_values[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(field_values), fields);
    out.top_sum = field_values[0];
    out.top_difference = field_values[1];
    out.bottom_sum = field_values[2];
    out.bottom_difference = field_values[3];

    // [t0 + t2, b0 + b2, t1 + t3, b1 + b3], then the two halves added: [top squares, bottom squares, ..]
    __m128i squares = _mm_add_epi32(_mm_unpacklo_epi32(a.top_squares, a.bottom_squares),
                                    _mm_unpackhi_epi32(a.top_squares, a.bottom_squares));
    squares = _mm_add_epi32(squares, _mm_unpackhi_epi64(squares, squares));
    const uint32_t square_total = lane0(squares) + lane0(_mm_srli_si128(squares, 4));

    const uint32_t sum = uint32_t(out.top_sum) + uint32_t(out.bottom_sum);
    out.sum = int32_t(sum);
    out.difference = out.top_difference + out.bottom_difference;
    out.variance = int32_t(square_total - sum * sum / 256);
}

}  // namespace
}  // namespace qz::preview
