#include "frame_map.h"

#include <algorithm>
#include <climits>

namespace qz::dgdecode {

bool has_pulldown(const D2vProject& project) {
    return std::any_of(project.picture_flags.begin(), project.picture_flags.end(),
                       [](uint8_t f) { return (f & kFlagRepeatFirstField) != 0; });
}

void FrameMap::build(const D2vProject& project) {
    flags_ = project.picture_flags;
    field_start_.clear();
    int pictures = int(flags_.size());
    if (project.field_operation != 0 || !has_pulldown(project)) {
        frame_count_ = pictures;
        return;
    }
    field_start_.resize(size_t(pictures) + 1);
    int64_t fields = 0;
    for (int i = 0; i < pictures; ++i) {
        field_start_[size_t(i)] = fields;
        fields += (flags_[size_t(i)] & kFlagRepeatFirstField) ? 3 : 2;
    }
    field_start_[size_t(pictures)] = fields;
    frame_count_ = int(std::min<int64_t>(fields / 2, INT_MAX));
}

FrameSources FrameMap::sources(int frame) const {
    if (field_start_.empty()) return {frame, frame};
    int64_t first_field = int64_t(frame) * 2;
    auto picture_of = [&](int64_t field) {
        return int(std::upper_bound(field_start_.begin(), field_start_.end(), field) - field_start_.begin()) - 1;
    };
    int a = picture_of(first_field);
    int b = picture_of(first_field + 1);
    int parity_a = parity(a, first_field - field_start_[size_t(a)]);
    int parity_b = parity(b, first_field + 1 - field_start_[size_t(b)]);
    // Flags that break the alternation of parities cannot be woven: the first picture stands alone.
    if (a == b || parity_a == parity_b) return {a, a};
    return parity_a == 0 ? FrameSources{a, b} : FrameSources{b, a};
}

}  // namespace qz::dgdecode
