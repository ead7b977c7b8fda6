// The decision rules of the scene-change scan: from one step's measurements (frame i against frame
// i - 1), whether a scene change is declared, the first frame of the new scene being i - 1.
//
// A change is declared when the frame difference one step back stands out sharply from its
// neighbours in time (the peak score) and the slower statistics confirm it: the frame's luma sum,
// texture and mean block change against their means over the last four frames.
#pragma once

#include <array>
#include <cstdint>

namespace qz::preview {

// What the scan measured at one step.
struct ScanMeasures {
    uint32_t luma_difference = 0;    // plane difference of Y against the previous frame
    uint32_t u_difference = 0;       // the same for U
    uint32_t v_difference = 0;       // the same for V
    uint64_t block_change = 0;       // D: sum over the blocks of |previous S - S| / 256
    uint64_t texture = 0;            // T: sum of the blocks' variance terms V
    uint64_t luma_sum = 0;           // L: sum of the blocks' sums S
};

// The sizes the measurements are divided by.
struct ScanDivisors {
    int64_t luma_bytes = 0;    // bytes of the Y plane compared
    int64_t chroma_bytes = 0;  // bytes of one chroma plane compared
    int64_t block_count = 0;   // blocks of the block pass
};

class SceneChangeDetector {
public:
    // The score from which a step declares a change.
    static constexpr int kScoreThreshold = 16;

    explicit SceneChangeDetector(const ScanDivisors& divisors) : divisors_(divisors) {}

    // One step; true when it declares a scene change.
    bool step(const ScanMeasures& measures);

    // The peak score and ratios of the last step, for the tests and for tuning.
    int last_score() const { return last_score_; }
    double last_change_ratio() const { return previous_change_ratio_; }

private:
    int peak_score(const ScanMeasures& measures);

    ScanDivisors divisors_;
    // The last four frames' luma sums, texture and mean block change, used round-robin. The change
    // ring starts with 24 in its first slot: the mean block change of a still picture.
    std::array<uint64_t, 4> luma_ring_{};
    std::array<uint64_t, 4> texture_ring_{};
    std::array<uint64_t, 4> change_ring_{24, 0, 0, 0};
    int ring_position_ = 3;  // advanced before use, so the first step uses the first slot
    int64_t history_count_ = 0;
    // Mean plane differences of this step and the two before it, at least 1 each.
    std::array<int64_t, 3> luma_steps_{1, 1, 1}, u_steps_{1, 1, 1}, v_steps_{1, 1, 1};
    double previous_change_ratio_ = 0.0;
    bool previous_ratio_low_ = true;
    bool previous_was_change_ = false;
    int64_t step_count_ = 0;
    int last_score_ = 0;
};

}  // namespace qz::preview
