// What the preview bitmap is checked against, made without the program's code: pictures decoded by
// FFmpeg's own decoders, and the BT.601 studio-range conversion written out once more here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qz::previewtest {

// A 4:2:0 picture with unpadded rows.
struct Yuv420 {
    int width = 0, height = 0;
    std::vector<uint8_t> y, u, v;
};

// Frame `index` (display order, from 0) of an MPEG-2 stream file, decoded by libavcodec alone. Empty
// (width 0) when the file holds fewer frames or does not decode.
Yuv420 decode_mpeg2_frame(const std::string& path, int index);

// A picture as rows of blue, green, red bytes, top row first, 3 x width bytes a row.
struct Bgr {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

// A .bmp file's bytes read by FFmpeg's bitmap decoder. Empty (width 0) when it cannot read them.
Bgr decode_bmp(std::span<const uint8_t> file);

// The conversion: R = (76284 Y - 1220544 + 104595 (V - 128)) / 65536 and so on, the quotient rounded
// down and limited to 0 .. 255, with U and V at (x / 2, y / 2).
Bgr convert_bt601_studio(const Yuv420& picture);

}  // namespace qz::previewtest
