#include "preview/scan_detector.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace qz::preview {

namespace {

// The thresholds the ratios are held against: single-precision values, as the ratios r1 and r2 are
// kept in single precision.
constexpr float kLumaRatioLow = 1.1f;
constexpr float kTextureRatioLow = 1.2f;
constexpr float kLumaRatioStill = 1.005f;
constexpr float kPreviousChangeRatioLow = 1.3f;
constexpr float kChangeRatioLow = 1.7f;
// A still picture's mean block change; added to every step's so the change ratio stays finite.
constexpr uint64_t kChangeBase = 24;

// The larger of two values divided by the smaller, so at least 1. With the smaller 0 the ratio is
// infinite (undefined when both are 0): either way it is below no threshold, which infinity gives.
double ratio(uint64_t a, uint64_t b) {
    const uint64_t larger = a > b ? a : b;
    const uint64_t smaller = a > b ? b : a;
    if (smaller == 0) return std::numeric_limits<double>::infinity();
    return double(larger) / double(smaller);
}

// A division by a size that may be 0 for a degenerate frame (then nothing was measured either).
int64_t quotient(int64_t numerator, int64_t divisor) { return divisor > 0 ? numerator / divisor : 0; }

// numerator / divisor rounded to the nearest integer, halves away from zero.
uint64_t rounded_quotient(uint64_t numerator, uint64_t divisor) {
    return divisor > 0 ? (2 * numerator + divisor) / (2 * divisor) : 0;
}

// Pushes this step's mean difference, remembered values move one step back.
void push_step(std::array<int64_t, 3>& steps, int64_t value) {
    steps[2] = steps[1];
    steps[1] = steps[0];
    steps[0] = value < 1 ? 1 : value;
}

// How far the difference one step back stands above those before and after it.
double peak(const std::array<int64_t, 3>& d) {
    return double(std::abs(d[1] - d[2])) / double(d[2]) + double(std::abs(d[1] - d[0])) / double(d[0]);
}

}  // namespace

int SceneChangeDetector::peak_score(const ScanMeasures& m) {
    push_step(luma_steps_, quotient(m.luma_difference, divisors_.luma_bytes));
    push_step(u_steps_, quotient(4 * int64_t(m.u_difference), divisors_.chroma_bytes));
    push_step(v_steps_, quotient(4 * int64_t(m.v_difference), divisors_.chroma_bytes));
    return int(std::lround(peak(luma_steps_) + peak(u_steps_) + peak(v_steps_)));
}

bool SceneChangeDetector::step(const ScanMeasures& m) {
    ring_position_ = (ring_position_ + 1) % 4;
    if (history_count_ < 4) ++history_count_;
    const size_t slot = size_t(ring_position_);
    const auto ring_mean = [this](const std::array<uint64_t, 4>& ring) {
        return (ring[0] + ring[1] + ring[2] + ring[3]) / uint64_t(history_count_);
    };

    int score = peak_score(m);

    luma_ring_[slot] = m.luma_sum;
    const float luma_ratio = float(ratio(m.luma_sum, ring_mean(luma_ring_)));

    texture_ring_[slot] = m.texture;
    const uint64_t texture_mean = ring_mean(texture_ring_);
    const float texture_ratio = texture_mean == 0 ? 1.0f : float(ratio(m.texture, texture_mean));

    const uint64_t change = rounded_quotient(m.block_change, uint64_t(divisors_.block_count)) + kChangeBase;
    const uint64_t change_mean = ring_mean(change_ring_);  // taken before this step's change is stored
    change_ring_[slot] = change;
    const double change_ratio = ratio(change, change_mean);

    // Vetoes: no change without the slower statistics moving too, none in the first three steps and
    // never two in consecutive steps.
    if (luma_ratio < kLumaRatioLow && texture_ratio < kTextureRatioLow && previous_ratio_low_) score = 0;
    if (luma_ratio < kLumaRatioStill && previous_change_ratio_ < double(kPreviousChangeRatioLow)) score = 0;
    if (step_count_ < 3) score = 0;
    if (previous_was_change_) score = 0;

    previous_ratio_low_ = change_ratio < double(kChangeRatioLow);
    previous_change_ratio_ = change_ratio;
    previous_was_change_ = score >= kScoreThreshold;
    ++step_count_;
    last_score_ = score;
    return previous_was_change_;
}

}  // namespace qz::preview
