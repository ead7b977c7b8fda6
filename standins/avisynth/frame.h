// A video frame: one aligned buffer holding every plane, shared by reference count between the clips
// that pass it on and the client that holds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "formats.h"

namespace avs_standin {

// Rows start on this boundary so that clients may read them with wide vector loads.
constexpr int frame_row_alignment = 64;

// The largest frame buffer a clip may ask for; larger sizes are refused when the clip is made.
constexpr std::size_t max_frame_bytes = std::size_t(1) << 30;

struct Plane {
    uint8_t* data = nullptr;
    int pitch = 0;     // bytes from one row to the next
    int row_size = 0;  // bytes of picture in a row
    int height = 0;    // rows
};

class Frame {
public:
    // Throws std::bad_alloc when the buffer cannot be had. Every byte starts as 0.
    Frame(const PixelFormat& format, int width, int height);
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    // 3 for planar YUV, 1 for Y8 and interleaved formats.
    int plane_count() const { return plane_count_; }
    // Plane 0 is Y (or the interleaved picture), 1 is U, 2 is V.
    const Plane& plane(int index) const { return planes_[index]; }
    Plane& plane(int index) { return planes_[index]; }

private:
    uint8_t* buffer_ = nullptr;
    int plane_count_ = 0;
    Plane planes_[3];
};

using FramePtr = std::shared_ptr<const Frame>;

// Bytes a frame of this format and size needs (rows padded to the alignment).
std::size_t frame_bytes(const PixelFormat& format, int width, int height);

}  // namespace avs_standin
