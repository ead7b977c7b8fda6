// One pixel of the preview conversion: BT.601 studio-range Y'CbCr to 8-bit blue, green and red, in
// 16.16 fixed point. The plain row kernel is made of this step and the vector kernels' tails use it,
// so every variant computes the same bytes.
#pragma once

#include <cstdint>

namespace qz::preview::steps {

// 1.164 x 65536 and its product with the black level 16: Y 16 gives 0, Y 235 gives 254.
inline constexpr int32_t kLumaGain = 76284;
inline constexpr int32_t kLumaOffset = 1220544;
inline constexpr int32_t kRedFromV = 104595;
inline constexpr int32_t kGreenFromU = 25625;
inline constexpr int32_t kGreenFromV = 53281;
inline constexpr int32_t kBlueFromU = 132252;

// Every sum stays within +-2^26, so the 32-bit arithmetic shift by 16 is the whole result (it fits a
// signed 16-bit number, and rounds toward minus infinity); the limit to 0 .. 255 follows.
inline uint8_t fixed_to_byte(int32_t sum) {
    const int32_t value = sum >> 16;
    return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Writes blue, green, red to bgr[0..2].
inline void yuv_to_bgr(uint8_t y, uint8_t u, uint8_t v, uint8_t* bgr) {
    const int32_t luma = kLumaGain * y - kLumaOffset;
    const int32_t cb = int32_t{u} - 128;
    const int32_t cr = int32_t{v} - 128;
    bgr[0] = fixed_to_byte(luma + kBlueFromU * cb);
    bgr[1] = fixed_to_byte(luma - kGreenFromU * cb - kGreenFromV * cr);
    bgr[2] = fixed_to_byte(luma + kRedFromV * cr);
}

// Pixels [first, width) of one row: luma x with chroma x / 2.
inline void yuv_row_to_bgr(const uint8_t* y, const uint8_t* u, const uint8_t* v, int first, int width, uint8_t* bgr) {
    for (int x = first; x < width; ++x) yuv_to_bgr(y[x], u[x / 2], v[x / 2], bgr + 3 * x);
}

}  // namespace qz::preview::steps
