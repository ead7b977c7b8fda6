// The AVX2 variants of the block metrics (compiled with -mavx2 only). One 32-byte load covers two
// neighbouring blocks, each in its own 128-bit half: every instruction used on the block statistics
// works within the halves, so the two blocks never mix until the halves are split at the end.
#include "preview/block_metrics.h"
#include "preview/block_metrics_x86.h"

#include <immintrin.h>

namespace qz::preview {

namespace {

inline __m256i load32(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void store32(uint8_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
inline __m128i load16(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

inline __m256i squares32(__m256i samples) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = _mm256_unpacklo_epi8(samples, zero);
    const __m256i high = _mm256_unpackhi_epi8(samples, zero);
    return _mm256_add_epi32(_mm256_madd_epi16(low, low), _mm256_madd_epi16(high, high));
}

inline __m128i squares16(__m128i samples) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_unpacklo_epi8(samples, zero);
    const __m128i high = _mm_unpackhi_epi8(samples, zero);
    return _mm_add_epi32(_mm_madd_epi16(low, low), _mm_madd_epi16(high, high));
}

// Two neighbouring blocks at once.
void block_pair(const uint8_t* c, const uint8_t* p, size_t pitch, BlockStats* out) {
    const __m256i zero = _mm256_setzero_si256();
    __m256i top_sum = zero, bottom_sum = zero, top_difference = zero, bottom_difference = zero;
    __m256i top_squares = zero, bottom_squares = zero;
    for (int line = 0; line < 16; line += 2) {
        const __m256i top = load32(c), top_before = load32(p);
        const __m256i bottom = load32(c + pitch), bottom_before = load32(p + pitch);
        top_sum = _mm256_add_epi64(top_sum, _mm256_sad_epu8(top, zero));
        bottom_sum = _mm256_add_epi64(bottom_sum, _mm256_sad_epu8(bottom, zero));
        top_difference = _mm256_add_epi64(top_difference, _mm256_sad_epu8(top, top_before));
        bottom_difference = _mm256_add_epi64(bottom_difference, _mm256_sad_epu8(bottom, bottom_before));
        top_squares = _mm256_add_epi32(top_squares, squares32(top));
        bottom_squares = _mm256_add_epi32(bottom_squares, squares32(bottom));
        c += 2 * pitch;
        p += 2 * pitch;
    }
    const BlockAccumulators left{_mm256_castsi256_si128(top_sum),        _mm256_castsi256_si128(bottom_sum),
                                 _mm256_castsi256_si128(top_difference), _mm256_castsi256_si128(bottom_difference),
                                 _mm256_castsi256_si128(top_squares),    _mm256_castsi256_si128(bottom_squares)};
    const BlockAccumulators right{
        _mm256_extracti128_si256(top_sum, 1),        _mm256_extracti128_si256(bottom_sum, 1),
        _mm256_extracti128_si256(top_difference, 1), _mm256_extracti128_si256(bottom_difference, 1),
        _mm256_extracti128_si256(top_squares, 1),    _mm256_extracti128_si256(bottom_squares, 1)};
    store_block_stats(left, out[0]);
    store_block_stats(right, out[1]);
}

// The last block of an odd count.
void single_block(const uint8_t* c, const uint8_t* p, size_t pitch, BlockStats& out) {
    const __m128i zero = _mm_setzero_si128();
    BlockAccumulators acc{zero, zero, zero, zero, zero, zero};
    for (int line = 0; line < 16; line += 2) {
        const __m128i top = load16(c), top_before = load16(p);
        const __m128i bottom = load16(c + pitch), bottom_before = load16(p + pitch);
        acc.top_sum = _mm_add_epi64(acc.top_sum, _mm_sad_epu8(top, zero));
        acc.bottom_sum = _mm_add_epi64(acc.bottom_sum, _mm_sad_epu8(bottom, zero));
        acc.top_difference = _mm_add_epi64(acc.top_difference, _mm_sad_epu8(top, top_before));
        acc.bottom_difference = _mm_add_epi64(acc.bottom_difference, _mm_sad_epu8(bottom, bottom_before));
        acc.top_squares = _mm_add_epi32(acc.top_squares, squares16(top));
        acc.bottom_squares = _mm_add_epi32(acc.bottom_squares, squares16(bottom));
        c += 2 * pitch;
        p += 2 * pitch;
    }
    store_block_stats(acc, out);
}

}  // namespace

void plane_copy_avx2(const uint8_t* source, uint8_t* target, size_t bytes) {
    size_t k = 0;
    for (; k + 128 <= bytes; k += 128) {
        const __m256i a = load32(source + k), b = load32(source + k + 32);
        const __m256i c = load32(source + k + 64), d = load32(source + k + 96);
        store32(target + k, a);
        store32(target + k + 32, b);
        store32(target + k + 64, c);
        store32(target + k + 96, d);
    }
    for (; k + 32 <= bytes; k += 32) store32(target + k, load32(source + k));
    for (; k < bytes; ++k) target[k] = source[k];
}

uint32_t plane_difference_avx2(const uint8_t* a, const uint8_t* b, size_t bytes) {
    const size_t counted = bytes / 256 * 256;
    __m256i total0 = _mm256_setzero_si256(), total1 = _mm256_setzero_si256();
    for (size_t k = 0; k < counted; k += 256) {
        for (size_t step = 0; step < 256; step += 64) {
            total0 = _mm256_add_epi64(total0, _mm256_sad_epu8(load32(a + k + step), load32(b + k + step)));
            total1 = _mm256_add_epi64(total1, _mm256_sad_epu8(load32(a + k + step + 32), load32(b + k + step + 32)));
        }
    }
    const __m256i total = _mm256_add_epi64(total0, total1);
    __m128i half = _mm_add_epi64(_mm256_castsi256_si128(total), _mm256_extracti128_si256(total, 1));
    half = _mm_add_epi64(half, _mm_unpackhi_epi64(half, half));
    // The low 32 bits of the 64-bit sum: the plain reference's total modulo 2^32.
    return uint32_t(_mm_cvtsi128_si32(half));
}

void block_stats_row_avx2(const uint8_t* current, const uint8_t* previous, size_t pitch, int block_count,
                          BlockStats* out) {
    int j = 0;
    for (; j + 2 <= block_count; j += 2)
        block_pair(current + size_t(j) * 16, previous + size_t(j) * 16, pitch, out + j);
    if (j < block_count) single_block(current + size_t(j) * 16, previous + size_t(j) * 16, pitch, out[j]);
}

}  // namespace qz::preview
