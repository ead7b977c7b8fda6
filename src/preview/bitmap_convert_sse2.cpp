// The preview row conversion with SSE2, 16 pixels a step, bit-identical to the plain step.
//
// Every 16.16 sum of the step is split exactly into a luma part P = 76284 x (Y - 16) and a chroma
// part Q, each as a signed high word and an unsigned low word (x = 65536 x high + low). The result
// bits 16..31 of P + Q are then high(P) + high(Q) + the carry out of low(P) + low(Q), all in 16-bit
// lanes. The high words come from the signed high half of 16 x 16 products, so no rounding enters.
#include "preview/bitmap_convert.h"
#include "preview/bitmap_pixel.h"

#include <emmintrin.h>

namespace qz::preview {

namespace {

// Coefficients above 32767 are split into a multiple of 65536, which goes straight into the high
// word, and a remainder that fits a signed 16-bit factor.
constexpr int16_t kLumaRest = steps::kLumaGain - 65536;         // 10748
constexpr int16_t kRedRest = steps::kRedFromV - 2 * 65536;      // -26477
constexpr int16_t kBlueRest = steps::kBlueFromU - 2 * 65536;    // 1180
constexpr int16_t kGreenFromURest = -steps::kGreenFromU;        // -25625
constexpr int16_t kGreenFromVRest = 65536 - steps::kGreenFromV; // 12255, with -65536 x Cr in the high word
static_assert(steps::kLumaOffset == 16 * steps::kLumaGain, "the luma offset is the black level times the gain");

// A value 65536 x high + low.
struct Split {
    __m128i high, low;
};

// factor x (65536 x whole + rest) for signed 16-bit lanes.
Split product(__m128i value, int whole, int16_t rest) {
    const __m128i r = _mm_set1_epi16(rest);
    __m128i high = _mm_mulhi_epi16(value, r);
    for (int i = 0; i < whole; ++i) high = _mm_add_epi16(high, value);
    return {high, _mm_mullo_epi16(value, r)};
}

// -1 in the lanes where low words a + b do not carry into the high word, 0 where they do.
__m128i no_carry(__m128i a, __m128i b) {
    return _mm_cmpeq_epi16(_mm_add_epi16(a, b), _mm_adds_epu16(a, b));
}

// b's high word carries one more than its value (see `biased`), which the no-carry mask takes back.
__m128i high_of_sum(Split a, Split b_biased) {
    return _mm_add_epi16(_mm_add_epi16(a.high, b_biased.high), no_carry(a.low, b_biased.low));
}

Split biased(Split q) { return {_mm_add_epi16(q.high, _mm_set1_epi16(1)), q.low}; }

// Each of 8 chroma values serves two neighbouring pixels.
Split widen_low(Split q) { return {_mm_unpacklo_epi16(q.high, q.high), _mm_unpacklo_epi16(q.low, q.low)}; }
Split widen_high(Split q) { return {_mm_unpackhi_epi16(q.high, q.high), _mm_unpackhi_epi16(q.low, q.low)}; }

// Bits 16..31 of P + Q for 16 pixels, limited to 0 .. 255.
__m128i channel(Split luma_first, Split luma_second, Split chroma) {
    const Split q = biased(chroma);
    return _mm_packus_epi16(high_of_sum(luma_first, widen_low(q)), high_of_sum(luma_second, widen_high(q)));
}

// Four pixels as dwords B G R 0 to 12 bytes B G R B G R ..., in the low 12 bytes.
__m128i three_bytes(__m128i pixels) {
    const __m128i first_of_pair = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
    const __m128i second_of_pair = _mm_set_epi32(0x0000FFFF, int(0xFF000000u), 0x0000FFFF, int(0xFF000000u));
    // Within each 64-bit half: the first pixel stays, the second moves down one byte to bytes 3..5.
    const __m128i pairs = _mm_or_si128(_mm_and_si128(pixels, first_of_pair),
                                       _mm_and_si128(_mm_srli_epi64(pixels, 8), second_of_pair));
    // The upper half's 6 bytes follow the lower half's.
    const __m128i upper = _mm_slli_si128(_mm_srli_si128(pairs, 8), 6);
    return _mm_or_si128(_mm_move_epi64(pairs), upper);
}

// 16 pixels from the blue, green and red bytes to 48 bytes at `out`.
void store_bgr(__m128i b, __m128i g, __m128i r, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bg_first = _mm_unpacklo_epi8(b, g), bg_second = _mm_unpackhi_epi8(b, g);
    const __m128i r_first = _mm_unpacklo_epi8(r, zero), r_second = _mm_unpackhi_epi8(r, zero);
    const __m128i c0 = three_bytes(_mm_unpacklo_epi16(bg_first, r_first));
    const __m128i c1 = three_bytes(_mm_unpackhi_epi16(bg_first, r_first));
    const __m128i c2 = three_bytes(_mm_unpacklo_epi16(bg_second, r_second));
    const __m128i c3 = three_bytes(_mm_unpackhi_epi16(bg_second, r_second));
    auto* o = reinterpret_cast<__m128i*>(out);
    _mm_storeu_si128(o, _mm_or_si128(c0, _mm_slli_si128(c1, 12)));
    _mm_storeu_si128(o + 1, _mm_or_si128(_mm_srli_si128(c1, 4), _mm_slli_si128(c2, 8)));
    _mm_storeu_si128(o + 2, _mm_or_si128(_mm_srli_si128(c2, 8), _mm_slli_si128(c3, 4)));
}

}  // namespace

void yuv_row_to_bgr_sse2(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* bgr) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i black = _mm_set1_epi16(16);
    const __m128i neutral = _mm_set1_epi16(128);
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i luma = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + x));
        const __m128i cb = _mm_sub_epi16(
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(u + x / 2)), zero), neutral);
        const __m128i cr = _mm_sub_epi16(
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(v + x / 2)), zero), neutral);

        const Split luma_first = product(_mm_sub_epi16(_mm_unpacklo_epi8(luma, zero), black), 1, kLumaRest);
        const Split luma_second = product(_mm_sub_epi16(_mm_unpackhi_epi8(luma, zero), black), 1, kLumaRest);

        const Split red = product(cr, 2, kRedRest);
        const Split blue = product(cb, 2, kBlueRest);
        const Split green_u = product(cb, 0, kGreenFromURest);
        const Split green_v = product(cr, 0, kGreenFromVRest);
        const Split green{_mm_sub_epi16(high_of_sum(green_u, biased(green_v)), cr),
                          _mm_add_epi16(green_u.low, green_v.low)};

        store_bgr(channel(luma_first, luma_second, blue), channel(luma_first, luma_second, green),
                  channel(luma_first, luma_second, red), bgr + 3 * x);
    }
    steps::yuv_row_to_bgr(y, u, v, x, width, bgr);
}

}  // namespace qz::preview
