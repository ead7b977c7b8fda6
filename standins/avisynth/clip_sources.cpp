// Source clips (solid colour, colour bars) and the checks every clip shares.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

#include "clips.h"

namespace avs_standin {

FramePtr Clip::frame(int n) const {
    if (!has_video()) throw ScriptError("GetFrame: the clip has no video");
    const int last = std::max(info_.frame_count - 1, 0);
    return make_frame(std::clamp(n, 0, last));
}

void require_valid_size(const PixelFormat& format, int width, int height, const char* who) {
    const std::string prefix = std::string(who) + ": ";
    if (width <= 0 || height <= 0) throw ScriptError(prefix + "width and height must be greater than 0");
    if (width > 65536 || height > 65536) throw ScriptError(prefix + "width and height must be at most 65536");
    if (width % (1 << format.chroma_shift_x) != 0)
        throw ScriptError(prefix + "width must be a multiple of " + std::to_string(1 << format.chroma_shift_x) +
                          " for " + format.name);
    if (height % (1 << format.chroma_shift_y) != 0)
        throw ScriptError(prefix + "height must be a multiple of " + std::to_string(1 << format.chroma_shift_y) +
                          " for " + format.name);
    if (frame_bytes(format, width, height) > max_frame_bytes)
        throw ScriptError(prefix + "a " + std::to_string(width) + "x" + std::to_string(height) + " " + format.name +
                          " frame would take more than 1 GiB");
}

namespace {

// A clip whose frames are all the same picture, drawn once when first asked for.
class StillClip : public Clip {
public:
    explicit StillClip(const ClipInfo& info) : Clip(info, 1) {}

protected:
    FramePtr make_frame(int) const override {
        std::call_once(drawn_, [this] {
            auto frame = std::make_shared<Frame>(*info().format, info().width, info().height);
            draw(*frame);
            picture_ = std::move(frame);
        });
        return picture_;
    }
    virtual void draw(Frame& frame) const = 0;

private:
    mutable std::once_flag drawn_;
    mutable FramePtr picture_;
};

void fill_plane(const Plane& plane, uint8_t value) {
    std::memset(plane.data, value, std::size_t(plane.pitch) * std::size_t(plane.height));
}

// Repeats a pattern of `pattern_size` bytes along every row of an interleaved plane.
void fill_interleaved(const Plane& plane, const uint8_t* pattern, int pattern_size) {
    for (int row = 0; row < plane.height; ++row) {
        uint8_t* out = plane.data + std::size_t(row) * std::size_t(plane.pitch);
        for (int x = 0; x + pattern_size <= plane.row_size; x += pattern_size) std::memcpy(out + x, pattern, std::size_t(pattern_size));
    }
}

class SolidClip final : public StillClip {
public:
    SolidClip(const ClipInfo& info, const SolidColour& colour) : StillClip(info), colour_(colour) {}

private:
    void draw(Frame& frame) const override {
        const PixelFormat& format = *info().format;
        if (format.planar) {
            fill_plane(frame.plane(0), colour_.y);
            if (format.has_chroma_planes) {
                fill_plane(frame.plane(1), colour_.u);
                fill_plane(frame.plane(2), colour_.v);
            }
        } else if (format.rgb) {
            const uint8_t bgra[4] = {colour_.b, colour_.g, colour_.r, colour_.a};
            fill_interleaved(frame.plane(0), bgra, format.bytes_per_pixel);
        } else {
            const uint8_t yuyv[4] = {colour_.y, colour_.u, colour_.y, colour_.v};
            fill_interleaved(frame.plane(0), yuyv, 4);
        }
    }

    SolidColour colour_;
};

// The bars picture as 0xRRGGBB at (x, y) of a width x height picture, top row first.
uint32_t bars_rgb(int x, int y, int width, int height) {
    static constexpr uint32_t top[7] = {0xBFBFBF, 0xBFBF00, 0x00BFBF, 0x00BF00, 0xBF00BF, 0xBF0000, 0x0000BF};
    static constexpr uint32_t middle[7] = {0x0000BF, 0x000000, 0xBF00BF, 0x000000, 0x00BFBF, 0x000000, 0xBFBFBF};
    const int bar = int(int64_t(x) * 7 / width);
    if (int64_t(y) * 3 < int64_t(height) * 2) return top[bar];
    if (int64_t(y) * 4 < int64_t(height) * 3) return middle[bar];
    // Bottom strip: four blocks over the first five bars, then three near-black steps, then black.
    static constexpr uint32_t blocks[4] = {0x00214C, 0xFFFFFF, 0x32006A, 0x000000};
    const int64_t x28 = int64_t(x) * 28 / width;  // 28ths of the width
    if (x28 < 20) return blocks[x28 / 5];
    const int64_t x21 = int64_t(x) * 21 / width;  // the steps are a third of a bar each
    if (x21 == 15) return 0x000000;
    if (x21 == 16) return 0x0A0A0A;
    if (x21 == 17) return 0x141414;
    return 0x000000;
}

class ColorBarsClip final : public StillClip {
public:
    explicit ColorBarsClip(const ClipInfo& info) : StillClip(info) {}

private:
    void draw(Frame& frame) const override {
        const PixelFormat& format = *info().format;
        const int width = info().width, height = info().height;
        if (format.rgb) {
            draw_rgb(frame.plane(0), format.bytes_per_pixel, width, height);
        } else if (!format.planar) {
            draw_yuy2(frame.plane(0), width, height);
        } else {
            draw_planar(frame, format, width, height);
        }
    }

    // RGB pictures are stored bottom row first.
    static void draw_rgb(const Plane& plane, int bytes_per_pixel, int width, int height) {
        for (int y = 0; y < height; ++y) {
            uint8_t* out = plane.data + std::size_t(height - 1 - y) * std::size_t(plane.pitch);
            for (int x = 0; x < width; ++x, out += bytes_per_pixel) {
                const uint32_t rgb = bars_rgb(x, y, width, height);
                out[0] = uint8_t(rgb), out[1] = uint8_t(rgb >> 8), out[2] = uint8_t(rgb >> 16);
                if (bytes_per_pixel == 4) out[3] = 0;
            }
        }
    }

    static void draw_yuy2(const Plane& plane, int width, int height) {
        for (int y = 0; y < height; ++y) {
            uint8_t* out = plane.data + std::size_t(y) * std::size_t(plane.pitch);
            for (int x = 0; x < width; x += 2, out += 4) {
                const Yuv left = rgb_to_yuv_bt601(bars_rgb(x, y, width, height));
                const Yuv right = rgb_to_yuv_bt601(bars_rgb(x + 1, y, width, height));
                out[0] = left.y, out[1] = left.u, out[2] = right.y, out[3] = left.v;
            }
        }
    }

    static void draw_planar(Frame& frame, const PixelFormat& format, int width, int height) {
        const Plane& luma = frame.plane(0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                luma.data[std::size_t(y) * std::size_t(luma.pitch) + std::size_t(x)] =
                    rgb_to_yuv_bt601(bars_rgb(x, y, width, height)).y;
        if (!format.has_chroma_planes) return;
        const Plane& u = frame.plane(1);
        const Plane& v = frame.plane(2);
        for (int cy = 0; cy < u.height; ++cy)
            for (int cx = 0; cx < u.row_size; ++cx) {
                const Yuv yuv = rgb_to_yuv_bt601(
                    bars_rgb(cx << format.chroma_shift_x, cy << format.chroma_shift_y, width, height));
                u.data[std::size_t(cy) * std::size_t(u.pitch) + std::size_t(cx)] = yuv.u;
                v.data[std::size_t(cy) * std::size_t(v.pitch) + std::size_t(cx)] = yuv.v;
            }
    }
};

}  // namespace

ClipPtr make_solid_clip(const ClipInfo& info, const SolidColour& colour) {
    return std::make_shared<SolidClip>(info, colour);
}

ClipPtr make_color_bars(const ClipInfo& info) { return std::make_shared<ColorBarsClip>(info); }

}  // namespace avs_standin
