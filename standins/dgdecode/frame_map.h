// Which decoded pictures make each delivered frame. With pulldown honoured, frames are built from
// the field sequence the pictures' repeat-first-field flags describe (three fields for a flagged
// picture, two otherwise); else each picture is one frame.
#pragma once

#include <cstdint>
#include <vector>

#include "d2v_project.h"

namespace qz::dgdecode {

struct FrameSources {
    int top_picture = 0;     // picture (display index) giving the top field: the even rows
    int bottom_picture = 0;  // picture giving the bottom field: the odd rows
};

class FrameMap {
public:
    void build(const D2vProject& project);
    int frame_count() const { return frame_count_; }
    // True when frames are woven from fields of different pictures.
    bool builds_from_fields() const { return !field_start_.empty(); }
    // `frame` must be within 0 .. frame_count() - 1.
    FrameSources sources(int frame) const;

private:
    bool top_first(int picture) const { return (flags_[size_t(picture)] & kFlagTopFieldFirst) != 0; }
    // 0 top, 1 bottom: the parity of field `k` (0, 1 or 2) of a picture.
    int parity(int picture, int64_t k) const { return int((top_first(picture) ? 0 : 1) ^ (k & 1)); }

    int frame_count_ = 0;
    std::vector<uint8_t> flags_;
    std::vector<int64_t> field_start_;  // per picture its first field; empty when frames = pictures
};

// True when any picture of the project repeats its first field.
bool has_pulldown(const D2vProject& project);

}  // namespace qz::dgdecode
