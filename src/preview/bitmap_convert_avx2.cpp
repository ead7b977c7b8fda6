// The preview conversion with AVX2: 32 pixels of two rows a step, bit-identical to the plain step.
// The arithmetic is that of bitmap_convert_sse2.cpp (read its opening comment first) in 256-bit
// registers: each 128-bit lane holds 16 pixels and their 8 chroma samples, so every step stays within
// its lane until the last, which puts the two lanes' 48 bytes one after the other. The bytes are put
// in B G R order by byte shuffles, which SSE2 lacks. The rest of a row, fewer than 32 pixels, goes to
// the SSE2 variant (which leaves fewer than 16 to the plain step).
#include "preview/bitmap_convert.h"
#include "preview/bitmap_pixel.h"

#include <immintrin.h>

namespace qz::preview {

namespace {

constexpr int16_t kLumaRest = steps::kLumaGain - 65536;          // 10748
constexpr int16_t kRedRest = steps::kRedFromV - 2 * 65536;       // -26477
constexpr int16_t kBlueRest = steps::kBlueFromU - 2 * 65536;     // 1180
constexpr int16_t kGreenFromURest = -steps::kGreenFromU;         // -25625
constexpr int16_t kGreenFromVRest = 65536 - steps::kGreenFromV;  // 12255, with -65536 x Cr in the high word

struct LumaPart {
    __m256i high, low_flipped;
};

LumaPart luma_part(__m256i luma) {
    const __m256i above_black = _mm256_sub_epi16(luma, _mm256_set1_epi16(16));
    const __m256i rest = _mm256_set1_epi16(kLumaRest);
    return {_mm256_add_epi16(above_black, _mm256_mulhi_epi16(above_black, rest)),
            _mm256_xor_si256(_mm256_mullo_epi16(above_black, rest), _mm256_set1_epi16(int16_t(0x8000)))};
}

struct ChromaPart {
    __m256i high, threshold;
};

ChromaPart chroma_part(__m256i high, __m256i low) {
    return {high, _mm256_xor_si256(low, _mm256_set1_epi16(0x7FFF))};
}

ChromaPart chroma_product(__m256i value, int whole, int16_t rest) {
    const __m256i r = _mm256_set1_epi16(rest);
    __m256i high = _mm256_mulhi_epi16(value, r);
    for (int i = 0; i < whole; ++i) high = _mm256_add_epi16(high, value);
    return chroma_part(high, _mm256_mullo_epi16(value, r));
}

ChromaPart green_part(__m256i cb, __m256i cr) {
    const __m256i from_u = _mm256_set1_epi16(kGreenFromURest), from_v = _mm256_set1_epi16(kGreenFromVRest);
    const __m256i low_u = _mm256_mullo_epi16(cb, from_u), low_v = _mm256_mullo_epi16(cr, from_v);
    const __m256i carry = _mm256_cmpgt_epi16(_mm256_xor_si256(low_u, _mm256_set1_epi16(int16_t(0x8000))),
                                             _mm256_xor_si256(low_v, _mm256_set1_epi16(0x7FFF)));
    const __m256i high = _mm256_sub_epi16(
        _mm256_add_epi16(_mm256_mulhi_epi16(cb, from_u), _mm256_mulhi_epi16(cr, from_v)), _mm256_add_epi16(cr, carry));
    return chroma_part(high, _mm256_add_epi16(low_u, low_v));
}

__m256i channel(LumaPart p, ChromaPart q) {
    const __m256i carry = _mm256_cmpgt_epi16(p.low_flipped, q.threshold);
    return _mm256_sub_epi16(_mm256_add_epi16(p.high, q.high), carry);
}

// Byte shuffles (within each lane) that put channel bytes in B G R order: `kPick[k][c]` takes the
// bytes of output chunk k (bytes 16k .. 16k + 15 of the lane's 48) from the register of channel c,
// which holds the even pixels 0, 2 .. 14 in bytes 0..7 and the odd ones 1, 3 .. 15 in bytes 8..15;
// -1 leaves a zero for another channel to fill.
struct Picks {
    alignas(32) int8_t bytes[3][3][32];
};

constexpr Picks make_picks() {
    Picks picks{};
    for (int chunk = 0; chunk < 3; ++chunk) {
        for (int channel = 0; channel < 3; ++channel) {
            for (int i = 0; i < 32; ++i) {
                const int out = 16 * chunk + i % 16;  // both lanes alike
                const int pixel = out / 3;
                const int8_t source = int8_t(pixel % 2 == 0 ? pixel / 2 : 8 + pixel / 2);
                picks.bytes[chunk][channel][i] = out % 3 == channel ? source : int8_t(-1);
            }
        }
    }
    return picks;
}

constexpr Picks kPick = make_picks();

__m256i pick(__m256i channel_bytes, int chunk, int channel) {
    return _mm256_shuffle_epi8(channel_bytes,
                               _mm256_load_si256(reinterpret_cast<const __m256i*>(kPick.bytes[chunk][channel])));
}

__m256i chunk_of(__m256i b, __m256i g, __m256i r, int chunk) {
    return _mm256_or_si256(_mm256_or_si256(pick(b, chunk, 0), pick(g, chunk, 1)), pick(r, chunk, 2));
}

// 32 pixels from the blue, green and red words of the even and the odd pixels, each word limited to
// 0 .. 255, to 96 bytes B G R ... at `out`: lane 0 (pixels 0..15) gives bytes 0..47, lane 1 bytes 48..95.
[[gnu::always_inline]] inline void store_bgr(__m256i b_even, __m256i b_odd, __m256i g_even, __m256i g_odd,
                                             __m256i r_even, __m256i r_odd, uint8_t* out) {
    const __m256i b = _mm256_packus_epi16(b_even, b_odd);
    const __m256i g = _mm256_packus_epi16(g_even, g_odd);
    const __m256i r = _mm256_packus_epi16(r_even, r_odd);
    const __m256i part0 = chunk_of(b, g, r, 0);  // bytes 0..15 | 48..63
    const __m256i part1 = chunk_of(b, g, r, 1);  // bytes 16..31 | 64..79
    const __m256i part2 = chunk_of(b, g, r, 2);  // bytes 32..47 | 80..95
    auto* o = reinterpret_cast<__m256i*>(out);
    _mm256_storeu_si256(o, _mm256_permute2x128_si256(part0, part1, 0x20));
    _mm256_storeu_si256(o + 1, _mm256_permute2x128_si256(part2, part0, 0x30));
    _mm256_storeu_si256(o + 2, _mm256_permute2x128_si256(part1, part2, 0x31));
}

// Inlined: called twice per step, it would otherwise take its chroma parts through the stack.
[[gnu::always_inline]] inline void convert_32(const uint8_t* y, ChromaPart blue, ChromaPart green, ChromaPart red,
                                              uint8_t* out) {
    const __m256i luma = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(y));
    const LumaPart even = luma_part(_mm256_and_si256(luma, _mm256_set1_epi16(0x00FF)));
    const LumaPart odd = luma_part(_mm256_srli_epi16(luma, 8));
    store_bgr(channel(even, blue), channel(odd, blue), channel(even, green), channel(odd, green), channel(even, red),
              channel(odd, red), out);
}

// 16 chroma samples: 0..7 in lane 0, 8..15 in lane 1, as words less 128.
__m256i load_chroma(const uint8_t* c) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
    return _mm256_sub_epi16(_mm256_cvtepu8_epi16(bytes), _mm256_set1_epi16(128));
}

}  // namespace

void yuv_row_pair_to_bgr_avx2(const uint8_t* y_first, const uint8_t* y_second, const uint8_t* u, const uint8_t* v,
                              int width, uint8_t* bgr_first, uint8_t* bgr_second) {
    int x = 0;
    for (; x + 32 <= width; x += 32) {
        const __m256i cb = load_chroma(u + x / 2);
        const __m256i cr = load_chroma(v + x / 2);
        const ChromaPart blue = chroma_product(cb, 2, kBlueRest);
        const ChromaPart green = green_part(cb, cr);
        const ChromaPart red = chroma_product(cr, 2, kRedRest);
        convert_32(y_first + x, blue, green, red, bgr_first + 3 * x);
        convert_32(y_second + x, blue, green, red, bgr_second + 3 * x);
    }
    if (x < width) {
        yuv_row_pair_to_bgr_sse2(y_first + x, y_second + x, u + x / 2, v + x / 2, width - x, bgr_first + 3 * x,
                                 bgr_second + 3 * x);
    }
}

}  // namespace qz::preview
