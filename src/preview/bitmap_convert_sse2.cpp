// The preview conversion with SSE2: 16 pixels of two rows a step, bit-identical to the plain step.
//
// Exactness in 16-bit lanes: every 16.16 sum of the step is the luma part P = 76284 x (Y - 16) plus a
// chroma part Q, each split exactly into a signed high word and an unsigned low word
// (x = 65536 x high + low; high words come from the signed high half of 16 x 16 products, so nothing
// is rounded). Bits 16..31 of P + Q are high(P) + high(Q), plus 1 when low(P) + low(Q) carries, that
// is when low(P) > 65535 - low(Q): one compare against a threshold kept per chroma sample.
//
// Pixels are taken apart into even and odd ones, which line up with the chroma samples, so chroma is
// never duplicated; the three channels of even and odd pixels are woven into B G R bytes at the end.
#include "preview/bitmap_convert.h"
#include "preview/bitmap_pixel.h"

#include <emmintrin.h>

namespace qz::preview {

namespace {

// Coefficients above 32767 are split into a multiple of 65536, which goes straight into the high
// word, and a remainder that fits a signed 16-bit factor.
constexpr int16_t kLumaRest = steps::kLumaGain - 65536;          // 10748
constexpr int16_t kRedRest = steps::kRedFromV - 2 * 65536;       // -26477
constexpr int16_t kBlueRest = steps::kBlueFromU - 2 * 65536;     // 1180
constexpr int16_t kGreenFromURest = -steps::kGreenFromU;         // -25625
constexpr int16_t kGreenFromVRest = 65536 - steps::kGreenFromV;  // 12255, with -65536 x Cr in the high word
static_assert(steps::kLumaOffset == 16 * steps::kLumaGain, "the luma offset is the black level times the gain");

// Unsigned 16-bit order through the signed compare: both sides have their top bit flipped.
__m128i sign_bit() { return _mm_set1_epi16(int16_t(0x8000)); }

// P for 8 pixels: its high word, and its low word with the top bit flipped.
struct LumaPart {
    __m128i high, low_flipped;
};

LumaPart luma_part(__m128i luma) {
    const __m128i above_black = _mm_sub_epi16(luma, _mm_set1_epi16(16));
    const __m128i rest = _mm_set1_epi16(kLumaRest);
    return {_mm_add_epi16(above_black, _mm_mulhi_epi16(above_black, rest)),
            _mm_xor_si128(_mm_mullo_epi16(above_black, rest), sign_bit())};
}

// Q for 8 chroma samples: its high word, and 65535 - low word with the top bit flipped, which
// low(P) must exceed to carry.
struct ChromaPart {
    __m128i high, threshold;
};

ChromaPart chroma_part(__m128i high, __m128i low) {
    return {high, _mm_xor_si128(low, _mm_set1_epi16(0x7FFF))};  // ~low ^ 0x8000
}

// factor x value where factor = 65536 x whole + rest, for 8 signed lanes.
ChromaPart chroma_product(__m128i value, int whole, int16_t rest) {
    const __m128i r = _mm_set1_epi16(rest);
    __m128i high = _mm_mulhi_epi16(value, r);
    for (int i = 0; i < whole; ++i) high = _mm_add_epi16(high, value);
    return chroma_part(high, _mm_mullo_epi16(value, r));
}

// -25625 x Cb - 53281 x Cr: two products whose low words may carry into the high word.
ChromaPart green_part(__m128i cb, __m128i cr) {
    const __m128i from_u = _mm_set1_epi16(kGreenFromURest), from_v = _mm_set1_epi16(kGreenFromVRest);
    const __m128i low_u = _mm_mullo_epi16(cb, from_u), low_v = _mm_mullo_epi16(cr, from_v);
    const __m128i carry =
        _mm_cmpgt_epi16(_mm_xor_si128(low_u, sign_bit()), _mm_xor_si128(low_v, _mm_set1_epi16(0x7FFF)));
    const __m128i high = _mm_sub_epi16(_mm_add_epi16(_mm_mulhi_epi16(cb, from_u), _mm_mulhi_epi16(cr, from_v)),
                                       _mm_add_epi16(cr, carry));
    return chroma_part(high, _mm_add_epi16(low_u, low_v));
}

// Bits 16..31 of P + Q for 8 pixels (not yet limited).
__m128i channel(LumaPart p, ChromaPart q) {
    const __m128i carry = _mm_cmpgt_epi16(p.low_flipped, q.threshold);  // -1 where it carries
    return _mm_sub_epi16(_mm_add_epi16(p.high, q.high), carry);
}

// 16 pixels from the blue, green and red words of the even and the odd pixels to 48 bytes B G R ...
// at `out`, each word limited to 0 .. 255. The names in the comments are channel and pixel: "b0 g0 r0
// b1 ..." is the order to reach.
void store_bgr(__m128i b_even, __m128i b_odd, __m128i g_even, __m128i g_odd, __m128i r_even, __m128i r_odd,
               uint8_t* out) {
    const __m128i x = _mm_packus_epi16(b_even, r_even);  // b0 b2 .. b14 | r0 r2 .. r14
    const __m128i y = _mm_packus_epi16(g_even, b_odd);   // g0 g2 .. g14 | b1 b3 .. b15
    const __m128i z = _mm_packus_epi16(g_odd, r_odd);    // g1 g3 .. g15 | r1 r3 .. r15
    const __m128i bg = _mm_unpacklo_epi8(x, y);                     // b0 g0 b2 g2 .. b14 g14
    const __m128i rb = _mm_unpackhi_epi8(x, y);                     // r0 b1 r2 b3 .. r14 b15
    const __m128i gr = _mm_unpacklo_epi8(z, _mm_srli_si128(z, 8));  // g1 r1 g3 r3 .. g15 r15

    const __m128i bgrb_low = _mm_unpacklo_epi16(bg, rb);         // b0 g0 r0 b1 | b2 g2 r2 b3 | .. b6 g6 r6 b7
    const __m128i bgrb_high = _mm_unpackhi_epi16(bg, rb);        // b8 g8 r8 b9 .. b14 g14 r14 b15
    const __m128i bg_next = _mm_srli_si128(bg, 2);               // b2 g2 b4 g4 .. b14 g14 - -
    const __m128i rb_next = _mm_srli_si128(rb, 2);               // r2 b3 r4 b5 .. r14 b15 - -
    const __m128i grbg_low = _mm_unpacklo_epi16(gr, bg_next);    // g1 r1 b2 g2 | g3 r3 b4 g4 | .. g7 r7 b8 g8
    const __m128i grbg_high = _mm_unpackhi_epi16(gr, bg_next);   // g9 r9 b10 g10 .. g15 r15 - -
    const __m128i gr_next = _mm_srli_si128(gr, 2);               // g3 r3 g5 r5 .. g15 r15 - -
    const __m128i rbgr_low = _mm_unpacklo_epi16(rb_next, gr_next);   // r2 b3 g3 r3 | .. r8 b9 g9 r9
    const __m128i rbgr_high = _mm_unpackhi_epi16(rb_next, gr_next);  // r10 b11 g11 r11 .. r14 b15 g15 r15 - -

    // Dwords of 4 bytes each, picked in output order; only the low 8 bytes of each are used.
    // (b0 g0 r0 b1)(g1 r1 b2 g2), (r2 b3 g3 r3)(b4 g4 r4 b5), (g5 r5 b6 g6)(r6 b7 g7 r7),
    // (b8 g8 r8 b9)(g9 r9 b10 g10), (r10 b11 g11 r11)(b12 g12 r12 b13), (g13 r13 b14 g14)(r14 b15 g15 r15)
    const __m128i first = _mm_unpacklo_epi32(bgrb_low, grbg_low);
    const __m128i second = _mm_unpacklo_epi32(rbgr_low, _mm_shuffle_epi32(bgrb_low, 0x4E));
    const __m128i third = _mm_unpackhi_epi32(grbg_low, rbgr_low);
    const __m128i fourth = _mm_unpacklo_epi32(bgrb_high, grbg_high);
    const __m128i fifth = _mm_unpacklo_epi32(rbgr_high, _mm_shuffle_epi32(bgrb_high, 0x4E));
    const __m128i sixth = _mm_unpackhi_epi32(grbg_high, rbgr_high);

    auto* o = reinterpret_cast<__m128i*>(out);
    _mm_storeu_si128(o, _mm_unpacklo_epi64(first, second));
    _mm_storeu_si128(o + 1, _mm_unpacklo_epi64(third, fourth));
    _mm_storeu_si128(o + 2, _mm_unpacklo_epi64(fifth, sixth));
}

// 16 pixels of one row. Inlined: called twice per step, it would otherwise take its chroma parts
// through the stack.
[[gnu::always_inline]] inline void convert_16(const uint8_t* y, ChromaPart blue, ChromaPart green, ChromaPart red,
                                              uint8_t* out) {
    const __m128i luma = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
    const LumaPart even = luma_part(_mm_and_si128(luma, _mm_set1_epi16(0x00FF)));
    const LumaPart odd = luma_part(_mm_srli_epi16(luma, 8));
    store_bgr(channel(even, blue), channel(odd, blue), channel(even, green), channel(odd, green), channel(even, red),
              channel(odd, red), out);
}

// 8 chroma samples as words less 128.
__m128i load_chroma(const uint8_t* c) {
    const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c));
    return _mm_sub_epi16(_mm_unpacklo_epi8(bytes, _mm_setzero_si128()), _mm_set1_epi16(128));
}

}  // namespace

void yuv_row_pair_to_bgr_sse2(const uint8_t* y_first, const uint8_t* y_second, const uint8_t* u, const uint8_t* v,
                              int width, uint8_t* bgr_first, uint8_t* bgr_second) {
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i cb = load_chroma(u + x / 2);
        const __m128i cr = load_chroma(v + x / 2);
        const ChromaPart blue = chroma_product(cb, 2, kBlueRest);
        const ChromaPart green = green_part(cb, cr);
        const ChromaPart red = chroma_product(cr, 2, kRedRest);
        convert_16(y_first + x, blue, green, red, bgr_first + 3 * x);
        convert_16(y_second + x, blue, green, red, bgr_second + 3 * x);
    }
    steps::yuv_row_to_bgr(y_first, u, v, x, width, bgr_first);
    steps::yuv_row_to_bgr(y_second, u, v, x, width, bgr_second);
}

}  // namespace qz::preview
