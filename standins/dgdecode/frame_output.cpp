#include "frame_output.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

namespace qz::dgdecode {

namespace {

constexpr uint8_t kBlackLuma = 16;
constexpr uint8_t kBlackChroma = 128;

// The plane sizes a decoded picture really has.
struct SourcePlane {
    const uint8_t* data = nullptr;
    int linesize = 0;
    int width = 0;
    int height = 0;
};

SourcePlane source_plane(const AVFrame& frame, int plane, bool chroma_422) {
    SourcePlane p;
    bool is420 = frame.format == AV_PIX_FMT_YUV420P;
    bool is422 = frame.format == AV_PIX_FMT_YUV422P;
    if (plane > 0 && !(chroma_422 ? is422 : is420)) return p;  // chroma of another layout: left black
    if (plane == 0 && !(is420 || is422)) return p;
    p.data = frame.data[plane];
    p.linesize = frame.linesize[plane];
    p.width = plane == 0 ? frame.width : (frame.width + 1) / 2;
    p.height = plane == 0 || chroma_422 ? frame.height : (frame.height + 1) / 2;
    if (!p.data) p = SourcePlane();
    return p;
}

void copy_plane(const AVFrame& top, const AVFrame& bottom, int plane, const OutputGeometry& g, uint8_t* out) {
    bool luma = plane == 0;
    int width = luma ? g.width : int(g.chroma_width());
    int height = luma ? g.height : int(g.chroma_height());
    int left = luma ? g.left : g.left / 2;
    int top_row = luma || g.chroma_422 ? g.top : g.top / 2;
    uint8_t fill = luma ? kBlackLuma : kBlackChroma;
    SourcePlane sources[2] = {source_plane(top, plane, g.chroma_422), source_plane(bottom, plane, g.chroma_422)};
    for (int row = 0; row < height; ++row) {
        int source_row = top_row + row;
        const SourcePlane& src = sources[source_row & 1];
        uint8_t* dst = out + size_t(row) * size_t(width);
        int copied = 0;
        if (src.data && source_row < src.height && left < src.width) {
            copied = std::min(width, src.width - left);
            std::memcpy(dst, src.data + std::ptrdiff_t(source_row) * src.linesize + left, size_t(copied));
        }
        if (copied < width) std::memset(dst + copied, fill, size_t(width - copied));
    }
}

int even_down(int v) { return v & ~1; }

}  // namespace

OutputGeometry make_output_geometry(int decoded_width, int decoded_height, bool chroma_422, int clip_left,
                                    int clip_right, int clip_top, int clip_bottom) {
    OutputGeometry g;
    g.chroma_422 = chroma_422;
    g.width = even_down(decoded_width);
    g.height = even_down(decoded_height);
    auto limited = [](int v) { return std::clamp(v, 0, 1 << 16); };
    int left = even_down(limited(clip_left));
    int top = even_down(limited(clip_top));
    int width = even_down(g.width - left - limited(clip_right));
    int height = even_down(g.height - top - limited(clip_bottom));
    if (width >= 16 && height >= 16) {
        g.left = left;
        g.top = top;
        g.width = width;
        g.height = height;
    }
    return g;
}

void copy_frame(const AVFrame& top_field_picture, const AVFrame& bottom_field_picture, const OutputGeometry& g,
                uint8_t* out) {
    uint8_t* u = out + g.luma_bytes();
    uint8_t* v = u + g.chroma_width() * g.chroma_height();
    copy_plane(top_field_picture, bottom_field_picture, 0, g, out);
    copy_plane(top_field_picture, bottom_field_picture, 1, g, u);
    copy_plane(top_field_picture, bottom_field_picture, 2, g, v);
}

void black_frame(const OutputGeometry& g, uint8_t* out) {
    std::memset(out, kBlackLuma, g.luma_bytes());
    std::memset(out + g.luma_bytes(), kBlackChroma, g.frame_bytes() - g.luma_bytes());
}

}  // namespace qz::dgdecode
