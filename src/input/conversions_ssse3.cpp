// SSSE3 variant of the YUY2 conversion: one byte shuffle separates luma from chroma where SSE2 needs
// masks, shifts and packs. Compiled with -mssse3 only.
#include "input/conversions.h"
#include "input/conversion_steps.h"

#if defined(__x86_64__) || defined(__i386__)

#include <tmmintrin.h>

namespace qz::input {

namespace {


__m128i load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void store(uint8_t* p, __m128i value) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), value); }

// Even bytes to the low half, odd bytes to the high half: Y0 U Y1 V ... becomes 8 Y | U V U V ...,
// and U V U V ... becomes 8 U | 8 V.
__m128i evens_then_odds(__m128i bytes) {
    const __m128i order = _mm_setr_epi8(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15);
    return _mm_shuffle_epi8(bytes, order);
}

}  // namespace

void yuy2_to_420_ssse3(const uint8_t* packed, int width, int height, uint8_t* y, uint8_t* u, uint8_t* v) {
    const int pairs = width / 2;
    const size_t packed_row = size_t(width) * 2;
    int row = 0;
    for (; row + 1 < height; row += 2) {
        const uint8_t* a = packed + size_t(row) * packed_row;
        const uint8_t* b = a + packed_row;
        uint8_t* y0 = y + size_t(row) * size_t(width);
        uint8_t* y1 = y0 + width;
        uint8_t* u_row = u + size_t(row / 2) * size_t(pairs);
        uint8_t* v_row = v + size_t(row / 2) * size_t(pairs);
        int p = 0;
        for (; p + 8 <= pairs; p += 8) {  // 16 pixels, 32 packed bytes per row
            const __m128i a0 = evens_then_odds(load(a + 4 * p)), a1 = evens_then_odds(load(a + 4 * p + 16));
            const __m128i b0 = evens_then_odds(load(b + 4 * p)), b1 = evens_then_odds(load(b + 4 * p + 16));
            store(y0 + 2 * p, _mm_unpacklo_epi64(a0, a1));
            store(y1 + 2 * p, _mm_unpacklo_epi64(b0, b1));
            const __m128i chroma = _mm_avg_epu8(_mm_unpackhi_epi64(a0, a1), _mm_unpackhi_epi64(b0, b1));
            const __m128i uv = evens_then_odds(chroma);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(u_row + p), uv);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(v_row + p), _mm_srli_si128(uv, 8));
        }
        steps::yuy2_row_pair(a, b, y0, y1, u_row, v_row, p, pairs);
    }
    if (row < height) {
        const uint8_t* a = packed + size_t(row) * packed_row;
        uint8_t* y0 = y + size_t(row) * size_t(width);
        int p = 0;
        for (; p + 8 <= pairs; p += 8) {
            store(y0 + 2 * p, _mm_unpacklo_epi64(evens_then_odds(load(a + 4 * p)), evens_then_odds(load(a + 4 * p + 16))));
        }
        steps::yuy2_luma_row(a, y0, p, pairs);
    }
}

}  // namespace qz::input

#endif
