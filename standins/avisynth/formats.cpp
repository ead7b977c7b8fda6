#include "formats.h"

#include <algorithm>
#include <cmath>

namespace avs_standin {

namespace {

constexpr PixelFormat formats[] = {
    {"YV12", int(0xA0000008u), true, false, 1, true, 1, 1},
    {"I420", int(0xA0000010u), true, false, 1, true, 1, 1},
    {"YV16", int(0xA0000308u), true, false, 1, true, 1, 0},
    {"YV24", int(0xA000030Bu), true, false, 1, true, 0, 0},
    {"Y8", int(0xE0000000u), true, false, 1, false, 0, 0},
    {"YUY2", int(0x60000004u), false, false, 2, false, 1, 0},
    {"RGB24", int(0x50000001u), false, true, 3, false, 0, 0},
    {"RGB32", int(0x50000002u), false, true, 4, false, 0, 0},
};

uint8_t clamp_to_byte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

const PixelFormat* find_pixel_format(std::string_view name) {
    for (const PixelFormat& format : formats)
        if (same_name(format.name, name)) return &format;
    return nullptr;
}

const char* pixel_format_names() { return "YV12, I420, YV16, YV24, Y8, YUY2, RGB24, RGB32"; }

Yuv rgb_to_yuv_bt601(uint32_t rgb) {
    const double r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    const double luma = 0.299 * r + 0.587 * g + 0.114 * b;  // full range 0..255
    Yuv out;
    out.y = clamp_to_byte(16.0 + luma * 219.0 / 255.0);
    out.u = clamp_to_byte(128.0 + (b - luma) / 1.772 * 224.0 / 255.0);
    out.v = clamp_to_byte(128.0 + (r - luma) / 1.402 * 224.0 / 255.0);
    return out;
}

}  // namespace avs_standin
