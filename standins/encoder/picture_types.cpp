#include "picture_types.h"

#include <algorithm>
#include <cstdlib>

namespace qz::encoder {

PictureTypePlanner::PictureTypePlanner(const GopRules& rules) : rules_(rules) {
    verdicts_.reserve(size_t(std::max(rules.frame_count, 0)));
    decided_.reserve(size_t(std::max(rules.frame_count, 0)));
}

void PictureTypePlanner::add_verdict(bool scene_change) { verdicts_.push_back(scene_change ? 1 : 0); }

bool PictureTypePlanner::is_chapter(int index) const {
    const auto* chapters = rules_.chapters;
    return chapters && next_chapter_ < chapters->size() && (*chapters)[next_chapter_] == index;
}

bool PictureTypePlanner::wants_intra(int index) const {
    if (index == 0 || is_chapter(index)) return true;
    if (rules_.last_i_frame && index == rules_.frame_count - 1) return true;
    // A scene change right after an I picture is already served by it.
    if (rules_.scene_detection && verdicts_[size_t(index)] && index - last_intra_ >= 2) return true;
    return index - last_intra_ >= rules_.gop_length;
}

int PictureTypePlanner::decide() {
    const int start = decided();
    const int count = rules_.frame_count;
    if (start >= count) return 0;
    const int reach = std::min(start + rules_.b_frames, count - 1);  // the furthest reference position
    if (int(verdicts_.size()) <= reach) return 0;

    // The first picture of the run that must be an I picture, if any.
    int intra_at = -1;
    for (int i = start; i <= reach; ++i) {
        if (wants_intra(i)) {
            intra_at = i;
            break;
        }
    }
    auto push = [&](PictureType type, int index) {
        PictureChoice c;
        c.type = type;
        if (type == PictureType::I) {
            c.chapter = is_chapter(index);
            c.closed_gop = index == 0 || rules_.closed_gops || c.chapter;
            c.scene_change = !c.chapter && index != 0 && rules_.scene_detection && verdicts_[size_t(index)] != 0;
            if (c.chapter) ++next_chapter_;
            last_intra_ = index;
        }
        decided_.push_back(c);
    };
    if (intra_at < 0) {
        for (int i = start; i < reach; ++i) push(PictureType::B, i);
        push(PictureType::P, reach);
        return reach - start + 1;
    }
    // The I picture's GOP is closed: the picture before it is a reference, so no B picture of the
    // new GOP reaches back. An open GOP's I picture takes the B pictures before it.
    const bool closed = intra_at == 0 || rules_.closed_gops || is_chapter(intra_at);
    if (closed && intra_at > start) {
        for (int i = start; i < intra_at - 1; ++i) push(PictureType::B, i);
        push(PictureType::P, intra_at - 1);
        return intra_at - start;
    }
    for (int i = start; i < intra_at; ++i) push(PictureType::B, i);
    push(PictureType::I, intra_at);
    return intra_at - start + 1;
}

bool SceneChangeDetector::is_cut(const Planes& picture) {
    // Every 4th pixel of every 4th row: enough to see a cut, cheap beside the encode.
    constexpr int kStep = 4;
    const int columns = picture.width / kStep, rows = picture.height / kStep;
    const size_t samples = size_t(columns) * size_t(rows);
    if (samples == 0) return false;
    const bool first = previous_.size() != samples;
    if (first) previous_.assign(samples, 0);
    long long total = 0;
    size_t k = 0;
    for (int r = 0; r < rows; ++r) {
        const uint8_t* line = picture.y.data() + size_t(r * kStep) * size_t(picture.width);
        for (int c = 0; c < columns; ++c, ++k) {
            const uint8_t value = line[c * kStep];
            total += std::abs(int(value) - int(previous_[k]));
            previous_[k] = value;
        }
    }
    if (first) return false;
    const double difference = double(total) / double(samples);
    // A cut differs far more than the scene's own motion does, and by a visible amount.
    const double typical = typical_difference_ < 0 ? difference : typical_difference_;
    const bool cut = difference > 20.0 && difference > 3.0 * typical;
    if (!cut) typical_difference_ = typical_difference_ < 0 ? difference : 0.8 * typical_difference_ + 0.2 * difference;
    return cut;
}

}  // namespace qz::encoder
