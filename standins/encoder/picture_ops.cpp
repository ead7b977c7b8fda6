#include "picture_ops.h"

#include <algorithm>
#include <cstring>

namespace qz::encoder {

namespace {

constexpr uint8_t kBlackLuma = 16;
constexpr uint8_t kNeutralChroma = 128;

uint8_t mean_up(int a, int b) { return uint8_t((a + b + 1) >> 1); }

// 4:2:2 rows to 4:2:0 rows within each field: output row k of field f averages the field's rows.
void chroma_422_to_420_fields(const uint8_t* in, int width, int height, uint8_t* out) {
    const int out_rows = height / 2;
    for (int k = 0; k < out_rows; ++k) {
        const int field = k & 1;
        const int first = std::min(4 * (k >> 1) + field, height - 1);
        const int second = std::min(first + 2, height - 1);
        const uint8_t* a = in + size_t(first) * size_t(width);
        const uint8_t* b = in + size_t(second) * size_t(width);
        uint8_t* o = out + size_t(k) * size_t(width);
        for (int x = 0; x < width; ++x) o[x] = mean_up(a[x], b[x]);
    }
}

// 4:4:4 rows to 4:2:2 rows: horizontal pairs averaged.
void chroma_444_to_422(const uint8_t* in, int width, int height, uint8_t* out) {
    for (int row = 0; row < height; ++row) {
        const uint8_t* i = in + size_t(row) * size_t(width);
        uint8_t* o = out + size_t(row) * size_t(width / 2);
        for (int x = 0; x < width / 2; ++x) o[x] = mean_up(i[2 * x], i[2 * x + 1]);
    }
}

// 4:2:0 rows to 4:2:2 rows: each output row repeats the 4:2:0 row of its own field (or, for
// progressive pictures, the row it was made from).
void chroma_420_to_422(const uint8_t* in, int width, int height, bool field_based, uint8_t* out) {
    const int in_rows = height / 2;
    for (int row = 0; row < height; ++row) {
        int source = row / 2;
        if (field_based) source = 2 * ((row >> 1) >> 1) + (row & 1);
        source = std::min(source, in_rows - 1);
        std::memcpy(out + size_t(row) * size_t(width), in + size_t(source) * size_t(width), size_t(width));
    }
}

void convert_plane(const Planes& from, const uint8_t* in, Planes& to, uint8_t* out, bool field_based,
                   const input::ConversionKernels& kernels, std::vector<uint8_t>& scratch) {
    const int w = from.width, h = from.height;
    if (from.chroma == to.chroma) {
        std::memcpy(out, in, to.chroma_bytes());
        return;
    }
    switch (from.chroma) {
        case Chroma::k420: chroma_420_to_422(in, w / 2, h, field_based, out); return;
        case Chroma::k422:
            if (field_based) chroma_422_to_420_fields(in, w / 2, h, out);
            else kernels.chroma_422_to_420(in, w / 2, h, out);
            return;
        case Chroma::k444:
            if (to.chroma == Chroma::k422) {
                chroma_444_to_422(in, w, h, out);
            } else if (!field_based) {
                kernels.chroma_444_to_420(in, w, h, out);
            } else {
                scratch.resize(size_t(w / 2) * size_t(h));
                chroma_444_to_422(in, w, h, scratch.data());
                chroma_422_to_420_fields(scratch.data(), w / 2, h, out);
            }
            return;
    }
}

void fill_rows(uint8_t* plane, int width, int first, int count, uint8_t value) {
    if (count > 0) std::memset(plane + size_t(first) * size_t(width), value, size_t(count) * size_t(width));
}

// Moves a plane's rows up (lines > 0) or down (lines < 0) and fills the rows set free.
void shift_plane(uint8_t* plane, int width, int height, int lines, uint8_t fill) {
    lines = std::clamp(lines, -height, height);
    const int moved = height - std::abs(lines);
    if (lines > 0) {
        std::memmove(plane, plane + size_t(lines) * size_t(width), size_t(moved) * size_t(width));
        fill_rows(plane, width, moved, lines, fill);
    } else if (lines < 0) {
        std::memmove(plane + size_t(-lines) * size_t(width), plane, size_t(moved) * size_t(width));
        fill_rows(plane, width, 0, -lines, fill);
    }
}

}  // namespace

void convert_chroma(const Planes& from, Planes& to, bool field_based, const input::ConversionKernels& kernels) {
    std::memcpy(to.y.data(), from.y.data(), to.luma_bytes());
    thread_local std::vector<uint8_t> scratch;
    convert_plane(from, from.u.data(), to, to.u.data(), field_based, kernels, scratch);
    convert_plane(from, from.v.data(), to, to.v.data(), field_based, kernels, scratch);
}

void paint_mask_shift(Planes& planes, const MaskShift& mask) {
    if (!mask.any()) return;
    const int w = planes.width, h = planes.height;
    const int cw = planes.chroma_width(), ch = planes.chroma_height();
    // Chroma lines per luma line: 1/2 for 4:2:0, 1 otherwise.
    const bool half = planes.chroma == Chroma::k420;
    auto chroma_lines = [half](int luma_lines) { return half ? luma_lines / 2 : luma_lines; };

    if (mask.shift != 0) {
        shift_plane(planes.y.data(), w, h, mask.shift, kBlackLuma);
        shift_plane(planes.u.data(), cw, ch, chroma_lines(mask.shift), kNeutralChroma);
        shift_plane(planes.v.data(), cw, ch, chroma_lines(mask.shift), kNeutralChroma);
    }
    if (mask.top > 0) {
        const int top = std::min(mask.top, h), chroma_top = std::min(chroma_lines(mask.top), ch);
        fill_rows(planes.y.data(), w, 0, top, kBlackLuma);
        fill_rows(planes.u.data(), cw, 0, chroma_top, kNeutralChroma);
        fill_rows(planes.v.data(), cw, 0, chroma_top, kNeutralChroma);
    }
    if (mask.bottom > 0) {
        const int bottom = std::min(mask.bottom, h), chroma_bottom = std::min(chroma_lines(mask.bottom), ch);
        fill_rows(planes.y.data(), w, h - bottom, bottom, kBlackLuma);
        fill_rows(planes.u.data(), cw, ch - chroma_bottom, chroma_bottom, kNeutralChroma);
        fill_rows(planes.v.data(), cw, ch - chroma_bottom, chroma_bottom, kNeutralChroma);
    }
}

}  // namespace qz::encoder
