// The type of every picture, decided here in display order rather than left to libavcodec, so
// that chapters, scene changes, closed GOPs and the last I-frame land exactly where they must,
// both passes agree, and the constant quantiser knows each picture's type.
//
// A run of at most `b_frames` B pictures precedes each reference picture. An I picture starts a
// GOP when a chapter, a scene change, the GOP length or the last frame asks for it. A closed GOP's
// I picture follows a reference picture directly (the picture before it becomes a P), so no B
// picture of the new GOP refers back across the cut.
#pragma once

#include "planes.h"

#include <cstdint>
#include <vector>

namespace qz::encoder {

enum class PictureType : uint8_t { B, P, I };

struct PictureChoice {
    PictureType type = PictureType::B;
    bool closed_gop = false;    // an I picture starting a closed GOP
    bool chapter = false;       // a chapter starts here
    bool scene_change = false;  // the I picture is there for a scene change
};

struct GopRules {
    int frame_count = 0;
    int gop_length = 15, b_frames = 2;
    bool closed_gops = false, scene_detection = true, last_i_frame = false;
    const std::vector<int>* chapters = nullptr;  // ascending
};

// Decides types for frames as their scene-change verdicts arrive (in display order). decide()
// needs the verdicts of up to b_frames + 1 frames beyond the last reference picture.
class PictureTypePlanner {
public:
    explicit PictureTypePlanner(const GopRules& rules);

    // Records frame `index`'s verdict (every frame in order, once).
    void add_verdict(bool scene_change);
    // Decides the next run of pictures (B pictures and the reference after them) when enough
    // verdicts are in, or all remaining ones at the end. Returns how many pictures were decided
    // (they are choice(decided_before) .. choice(decided_before + n - 1)); 0 when it must wait.
    int decide();
    int decided() const { return int(decided_.size()); }
    const PictureChoice& choice(int index) const { return decided_[size_t(index)]; }

private:
    bool is_chapter(int index) const;
    bool wants_intra(int index) const;  // with last_intra_ as it stands

    GopRules rules_;
    std::vector<uint8_t> verdicts_;
    std::vector<PictureChoice> decided_;
    int last_intra_ = -1000000;
    size_t next_chapter_ = 0;
};

// Scene changes from the mean luma difference of successive pictures, sampled on a grid.
class SceneChangeDetector {
public:
    // True when `picture` starts a new scene compared with the picture before it.
    bool is_cut(const Planes& picture);

private:
    std::vector<uint8_t> previous_;
    double typical_difference_ = -1.0;  // a running mean over pictures that were not cuts
};

}  // namespace qz::encoder
