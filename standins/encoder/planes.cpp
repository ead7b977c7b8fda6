#include "planes.h"

namespace qz::encoder {

const char* chroma_name(Chroma chroma) {
    switch (chroma) {
        case Chroma::k420: return "4:2:0";
        case Chroma::k422: return "4:2:2";
        case Chroma::k444: return "4:4:4";
    }
    return "?";
}

void Planes::allocate(int w, int h, Chroma c) {
    width = w;
    height = h;
    chroma = c;
    y.assign(luma_bytes(), 16);
    u.assign(chroma_bytes(), 128);
    v.assign(chroma_bytes(), 128);
}

}  // namespace qz::encoder
