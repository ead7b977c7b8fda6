// The scan's rules written out a second time, plainly and apart from the program's code: whole
// histories instead of rings, sums taken sample by sample.
#include "synthetic_clip.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qz::scantest {

namespace {

struct Step {
    int64_t d_y = 1, d_u = 1, d_v = 1;  // mean differences, at least 1
    uint64_t luma = 0, texture = 0, change = 0;
};

uint64_t sum_of_differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    const size_t whole = a.size() / 256 * 256;
    uint64_t total = 0;
    for (size_t k = 0; k < whole; ++k) total += uint64_t(std::abs(int(a[k]) - int(b[k])));
    return total;
}

double larger_over_smaller(double a, double b) {
    const double small = std::min(a, b), large = std::max(a, b);
    return small == 0 ? std::numeric_limits<double>::infinity() : large / small;
}

// Mean of history[first .. last] (1-based, inclusive) over `count`, integer division.
uint64_t window_mean(const std::vector<uint64_t>& history, int first, int last, int count) {
    uint64_t total = 0;
    for (int j = std::max(first, 1); j <= last; ++j) total += history[size_t(j)];
    return total / uint64_t(count);
}

}  // namespace

std::vector<int32_t> reference_chapters(const SyntheticClip& clip) {
    const preview::ScanVideo video = clip.video();
    const int columns = video.width / 16, bands = video.height / 16;
    const int blocks = columns * bands;

    std::vector<Step> steps(1);  // steps[k] for k = 1 .. frames - 1; steps[0] stands for "none yet"
    std::vector<uint64_t> lumas(1), textures(1), changes(1);
    std::vector<int64_t> sums_before(size_t(blocks), 0);  // the first step compares against zero sums
    std::vector<int32_t> chapters;

    Planes before, now = clip.frame(0);
    double previous_change_ratio = 0.0;
    bool previous_ratio_low = true, previous_was_change = false;

    for (int k = 1; k < video.frame_count; ++k) {
        before = now;
        now = clip.frame(k);
        Step step;
        step.d_y = std::max<int64_t>(1, int64_t(sum_of_differences(now.y, before.y)) / video.luma_bytes);
        step.d_u = std::max<int64_t>(1, 4 * int64_t(sum_of_differences(now.u, before.u)) / video.chroma_bytes);
        step.d_v = std::max<int64_t>(1, 4 * int64_t(sum_of_differences(now.v, before.v)) / video.chroma_bytes);

        uint64_t block_change = 0;
        for (int b = 0; b < blocks; ++b) {
            const int x0 = (b % columns) * 16, y0 = (b / columns) * 16;
            int64_t sum = 0, squares = 0;
            for (int y = y0; y < y0 + 16; ++y)
                for (int x = x0; x < x0 + 16; ++x) {
                    const int64_t sample = now.y[size_t(y) * size_t(video.width) + size_t(x)];
                    sum += sample;
                    squares += sample * sample;
                }
            step.luma += uint64_t(sum);
            step.texture += uint64_t(squares - sum * sum / 256);
            block_change += uint64_t(std::abs(sums_before[size_t(b)] - sum) / 256);
            sums_before[size_t(b)] = sum;
        }
        step.change = blocks > 0 ? uint64_t(std::llround(double(block_change) / blocks)) + 24 : 24;
        steps.push_back(step);
        lumas.push_back(step.luma);
        textures.push_back(step.texture);
        changes.push_back(step.change);

        const Step none;
        const Step& s0 = steps[size_t(k)];
        const Step& s1 = k >= 2 ? steps[size_t(k - 1)] : none;
        const Step& s2 = k >= 3 ? steps[size_t(k - 2)] : none;
        auto peak = [](int64_t d0, int64_t d1, int64_t d2) {
            return double(std::abs(d1 - d2)) / double(d2) + double(std::abs(d1 - d0)) / double(d0);
        };
        int score = int(std::lround(peak(s0.d_y, s1.d_y, s2.d_y) + peak(s0.d_u, s1.d_u, s2.d_u) +
                                    peak(s0.d_v, s1.d_v, s2.d_v)));

        const int count = std::min(k, 4);
        const float r1 = float(larger_over_smaller(double(step.luma), double(window_mean(lumas, k - 3, k, count))));
        const uint64_t texture_mean = window_mean(textures, k - 3, k, count);
        const float r2 = texture_mean == 0 ? 1.0f : float(larger_over_smaller(double(step.texture), double(texture_mean)));
        // Before any step the change history holds one still picture's 24.
        const uint64_t change_mean = k == 1 ? 24 : window_mean(changes, k - 4, k - 1, count);
        const double r = larger_over_smaller(double(step.change), double(change_mean));

        const bool vetoed = (r1 < 1.1f && r2 < 1.2f && previous_ratio_low) ||
                            (r1 < 1.005f && previous_change_ratio < double(1.3f)) || k - 1 < 3 || previous_was_change;
        if (vetoed) score = 0;
        previous_ratio_low = r < double(1.7f);
        previous_change_ratio = r;
        previous_was_change = score >= 16;
        if (previous_was_change) chapters.push_back(k - 1);
    }
    return chapters;
}

}  // namespace qz::scantest
