// Filters: trimming, splicing, dissolving and dropping the video of clips.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "clips.h"

namespace avs_standin {

namespace {

// Depth of a filter over `children`, refused past the cap.
int filter_depth(const std::vector<ClipPtr>& children, const char* who) {
    int depth = 0;
    for (const ClipPtr& child : children) depth = std::max(depth, child->depth());
    if (depth + 1 > max_clip_depth)
        throw ScriptError(std::string(who) + ": too many filters chained (at most " + std::to_string(max_clip_depth) + ")");
    return depth + 1;
}

int checked_length(int64_t frames, const char* who) {
    if (frames > INT_MAX)
        throw ScriptError(std::string(who) + ": the result would have more than " + std::to_string(INT_MAX) + " frames");
    return int(frames);
}

ClipInfo with_length(ClipInfo info, int frame_count) {
    info.frame_count = frame_count;
    return info;
}

class TrimClip final : public Clip {
public:
    TrimClip(const ClipPtr& child, int first, int count, int depth)
        : Clip(with_length(child->info(), count), depth), child_(child), first_(first) {}

    const ClipPtr& child() const { return child_; }
    int first() const { return first_; }

private:
    FramePtr make_frame(int n) const override { return child_->frame(first_ + n); }

    ClipPtr child_;
    int first_;
};

// Splices are kept flat (one clip holding many parts) so that long chains of `+` stay shallow.
class SpliceClip final : public Clip {
public:
    static constexpr std::size_t max_flat_parts = 4096;

    SpliceClip(const ClipInfo& info, std::vector<ClipPtr> parts, int depth) : Clip(info, depth), parts_(std::move(parts)) {
        int start = 0;
        for (const ClipPtr& part : parts_) {
            starts_.push_back(start);
            start += part->info().frame_count;
        }
    }

    const std::vector<ClipPtr>& parts() const { return parts_; }

private:
    FramePtr make_frame(int n) const override {
        const std::size_t index = std::size_t(std::upper_bound(starts_.begin(), starts_.end(), n) - starts_.begin()) - 1;
        return parts_[index]->frame(n - starts_[index]);
    }

    std::vector<ClipPtr> parts_;
    std::vector<int> starts_;
};

void append_parts(std::vector<ClipPtr>& parts, const ClipPtr& clip) {
    const auto* splice = dynamic_cast<const SpliceClip*>(clip.get());
    if (splice && splice->parts().size() + parts.size() <= SpliceClip::max_flat_parts) {
        parts.insert(parts.end(), splice->parts().begin(), splice->parts().end());
    } else {
        parts.push_back(clip);
    }
}

class DissolveClip final : public Clip {
public:
    DissolveClip(const ClipInfo& info, const ClipPtr& first, const ClipPtr& second, int overlap, int depth)
        : Clip(info, depth), first_(first), second_(second), overlap_(overlap),
          fade_start_(first->info().frame_count - overlap) {}

private:
    FramePtr make_frame(int n) const override {
        if (n < fade_start_) return first_->frame(n);
        if (n >= fade_start_ + overlap_) return second_->frame(n - fade_start_);
        // Step k of the fade (1 .. overlap) shows k / (overlap + 1) of the second clip, so neither
        // end of the fade repeats a frame of either clip unchanged.
        return blend(*first_->frame(n), *second_->frame(n - fade_start_), n - fade_start_ + 1, overlap_ + 1);
    }

    FramePtr blend(const Frame& a, const Frame& b, int weight_b, int total) const {
        auto out = std::make_shared<Frame>(*info().format, info().width, info().height);
        for (int p = 0; p < out->plane_count(); ++p) {
            const Plane& pa = a.plane(p);
            const Plane& pb = b.plane(p);
            const Plane& po = out->plane(p);
            for (int row = 0; row < po.height; ++row) {
                const uint8_t* ra = pa.data + std::size_t(row) * std::size_t(pa.pitch);
                const uint8_t* rb = pb.data + std::size_t(row) * std::size_t(pb.pitch);
                uint8_t* ro = po.data + std::size_t(row) * std::size_t(po.pitch);
                for (int x = 0; x < po.row_size; ++x)
                    ro[x] = uint8_t((ra[x] * (total - weight_b) + rb[x] * weight_b + total / 2) / total);
            }
        }
        return out;
    }

    ClipPtr first_, second_;
    int overlap_, fade_start_;
};

class VideoLessClip final : public Clip {
public:
    VideoLessClip(const ClipInfo& info, int depth) : Clip(info, depth) {}

private:
    FramePtr make_frame(int) const override { throw ScriptError("GetFrame: the clip has no video"); }
};

}  // namespace

void require_same_video(const ClipInfo& a, const ClipInfo& b, const char* who) {
    const std::string prefix = std::string(who) + ": ";
    const bool a_video = a.width > 0 && a.format, b_video = b.width > 0 && b.format;
    if (a_video != b_video) throw ScriptError(prefix + "one clip has video and the other doesn't (not allowed)");
    if (!a_video) return;
    if (a.width != b.width || a.height != b.height) throw ScriptError(prefix + "Frame sizes don't match");
    if (a.format != b.format) throw ScriptError(prefix + "Video formats don't match");
    if (uint64_t(a.fps_numerator) * b.fps_denominator != uint64_t(b.fps_numerator) * a.fps_denominator)
        throw ScriptError(prefix + "Video framerate doesn't match");
}

ClipPtr make_trim(const ClipPtr& clip, int first, int count) {
    // Trimming a trim reads the original directly, so repeated trims add no depth.
    if (const auto* inner = dynamic_cast<const TrimClip*>(clip.get()))
        return std::make_shared<TrimClip>(inner->child(), inner->first() + first, count, inner->depth());
    return std::make_shared<TrimClip>(clip, first, count, filter_depth({clip}, "Trim"));
}

ClipPtr make_splice(const ClipPtr& first, const ClipPtr& second, const char* who) {
    require_same_video(first->info(), second->info(), who);
    const int length = checked_length(int64_t(first->info().frame_count) + second->info().frame_count, who);
    std::vector<ClipPtr> parts;
    append_parts(parts, first);
    append_parts(parts, second);
    const int depth = filter_depth(parts, who);
    return std::make_shared<SpliceClip>(with_length(first->info(), length), std::move(parts), depth);
}

ClipPtr make_dissolve(const ClipPtr& first, const ClipPtr& second, int overlap) {
    require_same_video(first->info(), second->info(), "Dissolve");
    if (overlap < 0) throw ScriptError("Dissolve: overlap must not be negative");
    if (overlap > first->info().frame_count || overlap > second->info().frame_count)
        throw ScriptError("Dissolve: the overlap of " + std::to_string(overlap) + " frames is longer than a clip");
    const int length =
        checked_length(int64_t(first->info().frame_count) + second->info().frame_count - overlap, "Dissolve");
    const int depth = filter_depth({first, second}, "Dissolve");
    return std::make_shared<DissolveClip>(with_length(first->info(), length), first, second, overlap, depth);
}

ClipPtr make_video_less(const ClipPtr& clip) {
    ClipInfo info = clip->info();
    info.width = info.height = 0;
    info.format = nullptr;
    return std::make_shared<VideoLessClip>(info, 1);
}

}  // namespace avs_standin
