#include "test_pattern.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qz::testclip {

namespace {

constexpr int kBlockHeight = 32;
constexpr uint8_t kOne = 224;
constexpr uint8_t kZero = 32;
constexpr int kMargin = 6;  // block edges blur under compression: read inside them

int block_width(int width) { return std::max(8, (width / kNumberBits) & ~7); }

uint8_t moving_luma(int x, int y, int number) {
    int base = 48 + ((x + y / 2 + 2 * number) & 127);
    // A square that travels diagonally, so motion differs across the picture.
    int sx = (3 * number) % 512, sy = 64 + (2 * number) % 256;
    bool in_square = x >= sx && x < sx + 48 && y >= sy && y < sy + 48;
    return uint8_t(in_square ? 230 - (base & 31) : base);
}

uint8_t moving_chroma(int x, int y, int plane, int number) {
    return uint8_t(plane == 1 ? 96 + ((x * 2 + number) & 63) : 96 + ((y * 2 + 3 * number) & 63));
}

uint8_t expected_luma(int x, int y, int width, int number) {
    int bw = block_width(width);
    if (y < 2 * kBlockHeight && x < kNumberBits * bw) {
        int bit = (number >> (x / bw)) & 1;
        if (y >= kBlockHeight) bit ^= 1;
        return bit ? kOne : kZero;
    }
    return moving_luma(x, y, number);
}

}  // namespace

void draw_test_frame(int number, int width, int height, bool chroma_422, PlaneView y, PlaneView u, PlaneView v) {
    for (int row = 0; row < height; ++row) {
        uint8_t* line = y.data + row * y.pitch;
        for (int x = 0; x < width; ++x) line[x] = expected_luma(x, row, width, number);
    }
    int cw = width / 2, ch = chroma_422 ? height : height / 2;
    for (int row = 0; row < ch; ++row) {
        uint8_t* lu = u.data + row * u.pitch;
        uint8_t* lv = v.data + row * v.pitch;
        for (int x = 0; x < cw; ++x) {
            lu[x] = moving_chroma(x, row, 1, number);
            lv[x] = moving_chroma(x, row, 2, number);
        }
    }
}

int read_frame_number(const uint8_t* y, int width, int height, ptrdiff_t pitch, int field) {
    int bw = block_width(width);
    if (width < kNumberBits * bw || height < 2 * kBlockHeight) return -1;
    int value = 0;
    for (int half = 0; half < 2; ++half) {
        int bits = 0;
        for (int b = 0; b < kNumberBits; ++b) {
            long sum = 0, count = 0;
            for (int row = half * kBlockHeight + kMargin; row < (half + 1) * kBlockHeight - kMargin; ++row) {
                if (field >= 0 && (row & 1) != field) continue;
                const uint8_t* line = y + row * pitch;
                for (int x = b * bw + kMargin; x < (b + 1) * bw - kMargin; ++x) {
                    sum += line[x];
                    ++count;
                }
            }
            long mean = count ? sum / count : 0;
            if (mean > 96 && mean < 160) return -1;
            if (mean >= 160) bits |= 1 << b;
        }
        if (half == 0) {
            value = bits;
        } else if ((bits ^ value) != kMaxFrameNumber) {
            return -1;
        }
    }
    return value;
}

double luma_difference(const uint8_t* y, int width, int height, ptrdiff_t pitch, int number) {
    double sum = 0;
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) sum += std::abs(int(y[row * pitch + x]) - int(expected_luma(x, row, width, number)));
    return width > 0 && height > 0 ? sum / (double(width) * height) : 0;
}

double chroma_difference(const uint8_t* c, int chroma_width, int chroma_height, ptrdiff_t pitch, int plane,
                         int number) {
    double sum = 0;
    for (int row = 0; row < chroma_height; ++row)
        for (int x = 0; x < chroma_width; ++x)
            sum += std::abs(int(c[row * pitch + x]) - int(moving_chroma(x, row, plane, number)));
    return chroma_width > 0 && chroma_height > 0 ? sum / (double(chroma_width) * chroma_height) : 0;
}

}  // namespace qz::testclip
