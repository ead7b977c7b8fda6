#include "synthetic_clip.h"

#include <algorithm>

namespace qz::scantest {

namespace {

uint32_t mix(uint32_t a, uint32_t b, uint32_t c) {
    uint64_t h = (uint64_t(a) * 0x9E3779B97F4A7C15ull) ^ (uint64_t(b) << 32 | c);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    h *= 0x94D049BB133111EBull;
    return uint32_t(h >> 32);
}

constexpr int kBlack = 16;

uint8_t clamp_sample(int value) { return uint8_t(std::clamp(value, 0, 255)); }

// A shot's picture: cells of 8 x 8 at random levels, dark, bright or around the middle by the shot's
// number, with a fine texture; chroma in cells of 4 x 4. A contrast step on a picture around the
// middle keeps its luma sum, which some rules look at.
int shot_luma(uint32_t shot, int x, int y) {
    if (shot == 0) return kBlack;
    const int bases[3] = {71, 130, 20};
    const int base = bases[shot % 3];
    return base + int(mix(shot, uint32_t(x / 8), uint32_t(y / 8)) % 100) + int((uint32_t(x) * 7 + uint32_t(y) * 13 + shot * 5) % 16);
}
int shot_chroma(uint32_t shot, uint32_t plane, int x, int y) {
    if (shot == 0) return 128;
    return 48 + int(mix(shot * 3 + plane, uint32_t(x / 4), uint32_t(y / 4)) % 160);
}

int faded(int value, int towards, int fade) { return towards + (value - towards) * fade / 256; }

// The shot a cell of 8 x 8 luma samples (4 x 4 chroma) shows.
uint32_t shot_of_cell(const Look& look, int cell_x, int cell_y) {
    if (look.patch_percent > 0 && int(mix(look.patch ^ 0xA5A5u, uint32_t(cell_x), uint32_t(cell_y)) % 100) < look.patch_percent)
        return look.patch;
    return look.shot;
}

int luma_at(const Look& look, int x, int y) {
    const uint32_t shot = shot_of_cell(look, x / 8, y / 8);
    if (shot == 0) return kBlack;
    return 128 + (shot_luma(shot, x, y) - 128) * look.contrast / 256 + look.brightness;
}

int chroma_at(const Look& look, uint32_t plane, int x, int y) {
    const uint32_t shot = shot_of_cell(look, x / 4, y / 4);
    if (shot == 0) return 128;
    return 128 + (shot_chroma(shot, plane, x, y) - 128) * look.contrast / 256;
}

int noise_at(const Look& look, int frame, uint32_t plane, int x, int y) {
    if (look.noise == 0) return 0;
    const uint32_t h = mix(uint32_t(frame) * 5 + plane, uint32_t(x), uint32_t(y));
    return int(h % uint32_t(2 * look.noise + 1)) - look.noise;
}

}  // namespace

SyntheticClip::SyntheticClip(int width, int height, std::vector<Look> looks)
    : width_(width), height_(height), looks_(std::move(looks)) {
    const preview::ScanVideo v = video();
    current_.y.assign(size_t(v.luma_bytes), 0);
    current_.u.assign(size_t(v.chroma_bytes), 0);
    current_.v.assign(size_t(v.chroma_bytes), 0);
    frames_.resize(looks_.size());
    for (size_t n = 0; n < looks_.size(); ++n) render(int(n), frames_[n]);
}

SyntheticClip SyntheticClip::with_cuts(int width, int height, int frames, const std::vector<int>& cuts) {
    std::vector<Look> looks(static_cast<size_t>(frames));
    uint32_t shot = 1;
    for (int n = 0; n < frames; ++n) {
        if (std::find(cuts.begin(), cuts.end(), n) != cuts.end()) ++shot;
        looks[size_t(n)].shot = shot;
    }
    return SyntheticClip(width, height, std::move(looks));
}

preview::ScanVideo SyntheticClip::video() const {
    const int32_t luma = width_ * height_;
    return {width_, height_, int32_t(looks_.size()), luma, luma / 4};
}

void SyntheticClip::render(int n, Planes& out) const {
    const Look& look = looks_[size_t(n)];
    out.y.resize(size_t(width_) * size_t(height_));
    out.u.resize(out.y.size() / 4);
    out.v.resize(out.y.size() / 4);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.y[size_t(y) * size_t(width_) + size_t(x)] =
                clamp_sample(faded(luma_at(look, x, y), kBlack, look.fade) + noise_at(look, n, 0, x, y));
    const int chroma_width = width_ / 2;
    for (size_t k = 0; k < out.u.size(); ++k) {
        const int x = int(k % size_t(chroma_width)), y = int(k / size_t(chroma_width));
        out.u[k] = clamp_sample(faded(chroma_at(look, 1, x, y), 128, look.fade) + noise_at(look, n, 1, x, y));
        out.v[k] = clamp_sample(faded(chroma_at(look, 2, x, y), 128, look.fade) + noise_at(look, n, 2, x, y));
    }
}

bool SyntheticClip::fetch_frame(int32_t n) {
    ++fetch_count;
    if (on_fetch) on_fetch(n);
    if (failing.count(n)) return false;
    current_.y = frames_[size_t(n)].y;
    current_.u = frames_[size_t(n)].u;
    current_.v = frames_[size_t(n)].v;
    return true;
}

bool SyntheticClip::fetch_frame_into(int32_t n, const preview::ScanTarget& target) {
    ++fetch_count;
    if (on_fetch) on_fetch(n);
    if (failing.count(n)) return false;
    const Planes& frame = frames_[size_t(n)];
    std::copy(frame.y.begin(), frame.y.end(), target.y);
    std::copy(frame.u.begin(), frame.u.end(), target.u);
    std::copy(frame.v.begin(), frame.v.end(), target.v);
    return true;
}

}  // namespace qz::scantest
