// SSE2 variants of the colour conversions: 16 output samples per step, the rest of a row by the plain
// formula. Compiled with -msse2 only.
#include "input/conversions.h"
#include "input/conversion_steps.h"

#if defined(__x86_64__) || defined(__i386__)

#include <emmintrin.h>

namespace qz::input {

namespace {


__m128i load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void store(uint8_t* p, __m128i value) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), value); }

// The even bytes of 32 consecutive bytes, and the odd ones.
__m128i even_bytes(__m128i lo, __m128i hi) {
    const __m128i mask = _mm_set1_epi16(0x00FF);
    return _mm_packus_epi16(_mm_and_si128(lo, mask), _mm_and_si128(hi, mask));
}
__m128i odd_bytes(__m128i lo, __m128i hi) { return _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8)); }

// U V U V ... (8 pairs) to the 8 U samples followed by the 8 V samples.
__m128i split_pairs(__m128i pairs) { return even_bytes(pairs, _mm_srli_epi16(pairs, 8)); }

}  // namespace

void yuy2_to_420_sse2(const uint8_t* packed, int width, int height, uint8_t* y, uint8_t* u, uint8_t* v) {
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
            const __m128i a0 = load(a + 4 * p), a1 = load(a + 4 * p + 16);
            const __m128i b0 = load(b + 4 * p), b1 = load(b + 4 * p + 16);
            store(y0 + 2 * p, even_bytes(a0, a1));
            store(y1 + 2 * p, even_bytes(b0, b1));
            const __m128i chroma = _mm_avg_epu8(odd_bytes(a0, a1), odd_bytes(b0, b1));  // U V U V ...
            const __m128i uv = split_pairs(chroma);  // 8 U, then 8 V
            _mm_storel_epi64(reinterpret_cast<__m128i*>(u_row + p), uv);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(v_row + p), _mm_srli_si128(uv, 8));
        }
        steps::yuy2_row_pair(a, b, y0, y1, u_row, v_row, p, pairs);
    }
    if (row < height) {
        const uint8_t* a = packed + size_t(row) * packed_row;
        uint8_t* y0 = y + size_t(row) * size_t(width);
        int p = 0;
        for (; p + 8 <= pairs; p += 8) store(y0 + 2 * p, even_bytes(load(a + 4 * p), load(a + 4 * p + 16)));
        steps::yuy2_luma_row(a, y0, p, pairs);
    }
}

void chroma_422_to_420_sse2(const uint8_t* source, int chroma_width, int height, uint8_t* target) {
    const size_t w = size_t(chroma_width);
    for (int k = 0; k < height / 2; ++k) {
        const uint8_t* a = source + size_t(2 * k) * w;
        const uint8_t* b = a + w;
        uint8_t* out = target + size_t(k) * w;
        size_t x = 0;
        for (; x + 16 <= w; x += 16) store(out + x, _mm_avg_epu8(load(a + x), load(b + x)));
        steps::vertical_mean_row(a, b, out, x, w);
    }
}

void chroma_444_to_420_sse2(const uint8_t* source, int width, int height, uint8_t* target) {
    const size_t w = size_t(width);
    const size_t out_width = w / 2;
    for (int k = 0; k < height / 2; ++k) {
        const uint8_t* a = source + size_t(2 * k) * w;
        const uint8_t* b = a + w;
        uint8_t* out = target + size_t(k) * out_width;
        size_t x = 0;
        for (; x + 16 <= out_width; x += 16) {
            const __m128i a0 = load(a + 2 * x), a1 = load(a + 2 * x + 16);
            const __m128i b0 = load(b + 2 * x), b1 = load(b + 2 * x + 16);
            const __m128i top = _mm_avg_epu8(even_bytes(a0, a1), odd_bytes(a0, a1));
            const __m128i bottom = _mm_avg_epu8(even_bytes(b0, b1), odd_bytes(b0, b1));
            store(out + x, _mm_avg_epu8(top, bottom));
        }
        steps::block_mean_row(a, b, out, x, out_width);
    }
}

}  // namespace qz::input

#endif
