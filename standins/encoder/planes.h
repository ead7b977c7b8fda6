// A picture as three packed planes (rows without padding) in 4:2:0, 4:2:2 or 4:4:4, allocated once
// for the run: a frame fetch or conversion never allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qz::encoder {

enum class Chroma { k420, k422, k444 };

const char* chroma_name(Chroma chroma);

struct Planes {
    int width = 0, height = 0;
    Chroma chroma = Chroma::k420;
    std::vector<uint8_t> y, u, v;

    int chroma_width() const { return chroma == Chroma::k444 ? width : width / 2; }
    int chroma_height() const { return chroma == Chroma::k420 ? height / 2 : height; }
    size_t luma_bytes() const { return size_t(width) * size_t(height); }
    size_t chroma_bytes() const { return size_t(chroma_width()) * size_t(chroma_height()); }

    void allocate(int w, int h, Chroma c);
};

}  // namespace qz::encoder
