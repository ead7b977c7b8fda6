// The pixel formats a clip can have and the colour conversion that solid colours and bars use.
#pragma once

#include <cstdint>
#include <string_view>

namespace avs_standin {

struct PixelFormat {
    const char* name;
    int pixel_type;         // the interface's pixel type constant
    bool planar;            // separate Y, U, V planes; otherwise one interleaved plane
    bool rgb;
    int bytes_per_pixel;    // of the first (or only) plane
    bool has_chroma_planes; // planar with U and V
    int chroma_shift_x;     // log2 of the horizontal chroma subsampling (also YUY2's pixel pairs)
    int chroma_shift_y;
};

// The format called `name` ("YV12", "yuy2", ...; case does not matter), nullptr when unknown.
const PixelFormat* find_pixel_format(std::string_view name);

// The names find_pixel_format accepts, for messages.
const char* pixel_format_names();

struct Yuv {
    uint8_t y, u, v;
};

// 0xRRGGBB to limited-range BT.601 Y'CbCr (black 16, white 235, chroma 16..240 around 128).
Yuv rgb_to_yuv_bt601(uint32_t rgb);

// Case-insensitive ASCII comparison, the rule for every name in the script language.
bool same_name(std::string_view a, std::string_view b);

}  // namespace avs_standin
