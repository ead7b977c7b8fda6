// Clips made up for the scene-change scan tests: still shots with cuts at chosen frames, fades, black,
// noise. Frames are rendered once, then copied at each fetch into planes of exactly the video's sizes,
// so the sanitizer build catches any read past them.
#pragma once

#include "preview/scan_engine.h"

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

namespace qz::scantest {

// How one frame looks: a shot (0 is black) at a contrast and brightness, some of its cells replaced
// by those of a patch shot, faded towards black by fade / 256, with per-frame noise. The small
// changes (brightness, patches, contrast) make the cuts that only some of the rules let through.
struct Look {
    uint32_t shot = 0;
    int fade = 256;
    int noise = 0;  // samples move by up to this much, differently every frame
    int contrast = 256;  // luma and chroma around their middle, x contrast / 256
    int brightness = 0;  // added to luma
    uint32_t patch = 0;  // the shot whose cells replace some of this one's
    int patch_percent = 0;
};

struct Planes {
    std::vector<uint8_t> y, u, v;
};

class SyntheticClip : public preview::ScanFrameSource {
public:
    SyntheticClip(int width, int height, std::vector<Look> looks);

    // Still shots of `frames` frames, a new shot starting at each frame of `cuts`.
    static SyntheticClip with_cuts(int width, int height, int frames, const std::vector<int>& cuts);

    preview::ScanVideo video() const;
    // Frame n, rendered once at the start.
    const Planes& frame(int n) const { return frames_[size_t(n)]; }

    bool fetch_frame(int32_t n) override;
    preview::ScanPlanes planes() const override { return {current_.y.data(), current_.u.data(), current_.v.data()}; }

    // Called with the frame number at every fetch, before the frame is copied.
    std::function<void(int32_t)> on_fetch;
    // Frames whose fetch fails: the planes keep the previous frame.
    std::set<int32_t> failing;
    // Fetches straight into the scan's own planes, as the program's input does.
    bool into_target = false;
    bool fetches_into_target() const override { return into_target; }
    bool fetch_frame_into(int32_t n, const preview::ScanTarget& target) override;
    int fetch_count = 0;

private:
    void render(int n, Planes& out) const;

    int width_, height_;
    std::vector<Look> looks_;
    std::vector<Planes> frames_;
    Planes current_;
};

// The chapters the scan's rules give for a clip, computed apart from the program's scan: every frame
// taken as rendered, every sum taken sample by sample, the histories kept whole instead of in rings.
std::vector<int32_t> reference_chapters(const SyntheticClip& clip);

}  // namespace qz::scantest
