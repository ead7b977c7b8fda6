// The SSE2 variants of the block metrics (compiled with -msse2 only). Unaligned loads throughout, so
// no plane needs any alignment.
#include "preview/block_metrics.h"
#include "preview/block_metrics_x86.h"

#include <emmintrin.h>

namespace qz::preview {

namespace {

inline __m128i load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// The squares of 16 samples, summed in pairs into four 32-bit lanes.
inline __m128i squares16(__m128i samples) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_unpacklo_epi8(samples, zero);
    const __m128i high = _mm_unpackhi_epi8(samples, zero);
    return _mm_add_epi32(_mm_madd_epi16(low, low), _mm_madd_epi16(high, high));
}

}  // namespace

void plane_copy_sse2(const uint8_t* source, uint8_t* target, size_t bytes) {
    size_t k = 0;
    for (; k + 64 <= bytes; k += 64) {
        const __m128i a = load(source + k), b = load(source + k + 16);
        const __m128i c = load(source + k + 32), d = load(source + k + 48);
        store(target + k, a);
        store(target + k + 16, b);
        store(target + k + 32, c);
        store(target + k + 48, d);
    }
    for (; k + 16 <= bytes; k += 16) store(target + k, load(source + k));
    for (; k < bytes; ++k) target[k] = source[k];
}

uint32_t plane_difference_sse2(const uint8_t* a, const uint8_t* b, size_t bytes) {
    const size_t counted = bytes / 256 * 256;
    // Two accumulators so that consecutive additions do not wait for each other; each 64-bit lane
    // gathers at most 8 x 255 per load, far from overflowing.
    __m128i total0 = _mm_setzero_si128(), total1 = _mm_setzero_si128();
    for (size_t k = 0; k < counted; k += 256) {
        for (size_t step = 0; step < 256; step += 32) {
            total0 = _mm_add_epi64(total0, _mm_sad_epu8(load(a + k + step), load(b + k + step)));
            total1 = _mm_add_epi64(total1, _mm_sad_epu8(load(a + k + step + 16), load(b + k + step + 16)));
        }
    }
    const __m128i total = _mm_add_epi64(total0, total1);
    // The plain reference keeps its total modulo 2^32; the low 32 bits of the 64-bit sum are the same.
    return uint32_t(_mm_cvtsi128_si32(_mm_add_epi64(total, _mm_unpackhi_epi64(total, total))));
}

void block_stats_row_sse2(const uint8_t* current, const uint8_t* previous, size_t pitch, int block_count,
                          BlockStats* out) {
    const __m128i zero = _mm_setzero_si128();
    for (int j = 0; j < block_count; ++j) {
        const uint8_t* c = current + size_t(j) * 16;
        const uint8_t* p = previous + size_t(j) * 16;
        BlockAccumulators acc{zero, zero, zero, zero, zero, zero};
        for (int line = 0; line < 16; line += 2) {
            const __m128i top = load(c), top_before = load(p);
            const __m128i bottom = load(c + pitch), bottom_before = load(p + pitch);
            acc.top_sum = _mm_add_epi64(acc.top_sum, _mm_sad_epu8(top, zero));
            acc.bottom_sum = _mm_add_epi64(acc.bottom_sum, _mm_sad_epu8(bottom, zero));
            acc.top_difference = _mm_add_epi64(acc.top_difference, _mm_sad_epu8(top, top_before));
            acc.bottom_difference = _mm_add_epi64(acc.bottom_difference, _mm_sad_epu8(bottom, bottom_before));
            acc.top_squares = _mm_add_epi32(acc.top_squares, squares16(top));
            acc.bottom_squares = _mm_add_epi32(acc.bottom_squares, squares16(bottom));
            c += 2 * pitch;
            p += 2 * pitch;
        }
        store_block_stats(acc, out[j]);
    }
}

}  // namespace qz::preview
