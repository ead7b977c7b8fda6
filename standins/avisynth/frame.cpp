#include "frame.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace avs_standin {

namespace {

std::size_t aligned_pitch(std::size_t row_bytes) {
    return (row_bytes + frame_row_alignment - 1) / frame_row_alignment * frame_row_alignment;
}

struct PlaneShape {
    std::size_t row_size, height;
};

// The shape of plane `index` (0..2) of a frame, zero rows when the format has no such plane.
PlaneShape plane_shape(const PixelFormat& format, int width, int height, int index) {
    if (index == 0)
        return {std::size_t(width) * std::size_t(format.bytes_per_pixel), std::size_t(height)};
    if (!format.has_chroma_planes) return {0, 0};
    return {std::size_t(width) >> format.chroma_shift_x, std::size_t(height) >> format.chroma_shift_y};
}

}  // namespace

std::size_t frame_bytes(const PixelFormat& format, int width, int height) {
    std::size_t total = 0;
    for (int i = 0; i < 3; ++i) {
        const PlaneShape shape = plane_shape(format, width, height, i);
        total += aligned_pitch(shape.row_size) * shape.height;
    }
    return total;
}

Frame::Frame(const PixelFormat& format, int width, int height) {
    const std::size_t total = frame_bytes(format, width, height);
    buffer_ = static_cast<uint8_t*>(std::aligned_alloc(frame_row_alignment, total == 0 ? frame_row_alignment : total));
    if (!buffer_) throw std::bad_alloc();
    // Row padding is part of what a client may read with wide loads; it should hold no stale bytes.
    std::memset(buffer_, 0, total);
    plane_count_ = format.has_chroma_planes ? 3 : 1;
    uint8_t* next = buffer_;
    for (int i = 0; i < plane_count_; ++i) {
        const PlaneShape shape = plane_shape(format, width, height, i);
        planes_[i].data = next;
        planes_[i].pitch = int(aligned_pitch(shape.row_size));
        planes_[i].row_size = int(shape.row_size);
        planes_[i].height = int(shape.height);
        next += aligned_pitch(shape.row_size) * shape.height;
    }
}

Frame::~Frame() { std::free(buffer_); }

}  // namespace avs_standin
