// Clips: sources that make frames on request and filters that combine other clips. Nothing is
// rendered ahead: a clip of any length costs only the frames that are asked for.
#pragma once

#include <cstdint>

#include "formats.h"
#include "frame.h"
#include "value.h"

namespace avs_standin {

struct ClipInfo {
    int width = 0;  // 0: the clip has no video
    int height = 0;
    unsigned fps_numerator = 24;
    unsigned fps_denominator = 1;
    int frame_count = 0;
    const PixelFormat* format = nullptr;  // nullptr when the clip has no video
};

// Filters nest clips in clips; the depth is capped so that fetching a frame can never exhaust the
// stack however a script is written.
constexpr int max_clip_depth = 1000;

class Clip {
public:
    Clip(const ClipInfo& info, int depth) : info_(info), depth_(depth) {}
    virtual ~Clip() = default;
    Clip(const Clip&) = delete;
    Clip& operator=(const Clip&) = delete;

    const ClipInfo& info() const { return info_; }
    int depth() const { return depth_; }
    bool has_video() const { return info_.width > 0 && info_.format != nullptr; }

    // Frame n; numbers outside the clip give its first or last frame, as frame servers do.
    // Throws ScriptError (or std::bad_alloc) when the frame cannot be made.
    FramePtr frame(int n) const;

protected:
    // Frame n with 0 <= n < max(frame_count, 1).
    virtual FramePtr make_frame(int n) const = 0;

private:
    ClipInfo info_;
    int depth_;
};

// The bytes a solid colour puts into each kind of frame.
struct SolidColour {
    uint8_t y = 16, u = 128, v = 128;      // YUV formats
    uint8_t b = 0, g = 0, r = 0, a = 0;    // RGB formats
};

// Every frame filled with one colour. `info` must describe video of a valid size.
ClipPtr make_solid_clip(const ClipInfo& info, const SolidColour& colour);

// Colour bars: seven 75% bars on the upper two thirds, their reverse below, then a strip of
// reference blocks; one still picture on every frame.
ClipPtr make_color_bars(const ClipInfo& info);

// Frames first .. first + count - 1 of `clip` (already checked to lie inside it).
ClipPtr make_trim(const ClipPtr& clip, int first, int count);

// `first` followed by `second`. `who` names the operation in error messages ("Splice").
ClipPtr make_splice(const ClipPtr& first, const ClipPtr& second, const char* who);

// `first` cross-faded into `second` over `overlap` frames: length len1 + len2 - overlap.
ClipPtr make_dissolve(const ClipPtr& first, const ClipPtr& second, int overlap);

// The clip with its video removed.
ClipPtr make_video_less(const ClipPtr& clip);

// Throws a ScriptError "<who>: ..." when the two clips' pictures cannot follow each other.
void require_same_video(const ClipInfo& a, const ClipInfo& b, const char* who);

// Throws a ScriptError "<who>: ..." when a clip of this size and format could not be made.
void require_valid_size(const PixelFormat& format, int width, int height, const char* who);

}  // namespace avs_standin
