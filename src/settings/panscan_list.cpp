#include "settings/panscan_list.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace qz::settings {

namespace {

// The positions in use; a count from a damaged record never reaches past the arrays.
int32_t used(const PanScanList& list) { return std::clamp(list.count, 0, kPanScanCapacity); }

PanScanEntry& at(PanScanList& list, int32_t index) { return list.entries[static_cast<size_t>(index)]; }
const PanScanEntry& at(const PanScanList& list, int32_t index) { return list.entries[static_cast<size_t>(index)]; }

int16_t to_table_value(int32_t offset) {
    return static_cast<int16_t>(std::clamp<int32_t>(offset, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

size_t table_index(int32_t frame, size_t table_size) {
    if (frame <= 0) return 0;
    return std::min(static_cast<size_t>(frame), table_size);
}

}  // namespace

OffsetLimits panscan_offset_limits(int width) {
    if (width == 720) return {-1440, 1440};
    if (width == 704) return {-1312, 1312};
    return {};
}

int32_t clamp_panscan_offset(int64_t offset, int width) {
    const OffsetLimits limits = panscan_offset_limits(width);
    return static_cast<int32_t>(std::clamp<int64_t>(offset, limits.lowest, limits.highest));
}

PanScanSet set_panscan_position(PanScanList& list, int32_t frame, int32_t offset) {
    const int32_t count = used(list);
    for (int32_t i = 0; i < count; ++i) {
        if (at(list, i).frame == frame) {
            at(list, i).offset = offset;
            return PanScanSet::Replaced;
        }
    }
    if (count >= kPanScanCapacity) return PanScanSet::Full;
    at(list, count) = PanScanEntry{frame, offset};
    list.count = count + 1;
    sort_panscan_positions(list);
    return PanScanSet::Added;
}

bool remove_panscan_position(PanScanList& list, int32_t index) {
    const int32_t count = used(list);
    if (index < 0 || index >= count) return false;
    auto first = list.entries.begin();
    std::move(first + index + 1, first + count, first + index);
    at(list, count - 1) = PanScanEntry{};
    list.count = count - 1;
    return true;
}

int32_t trim_panscan_list(PanScanList& list, int32_t frame_count) {
    int32_t count = used(list);
    int32_t removed = 0;
    while (count > 0 && at(list, count - 1).frame > frame_count) {
        at(list, --count) = PanScanEntry{};
        ++removed;
    }
    list.count = count;
    return removed;
}

void clear_panscan_positions(PanScanList& list) {
    list.count = 0;
    list.entries.fill(PanScanEntry{});
}

// Insertion sort: stable, allocates nothing, and takes one pass over a list that is already in order,
// as it is after every change but the one being sorted in.
void sort_panscan_positions(PanScanList& list) {
    const int32_t count = used(list);
    for (int32_t i = 1; i < count; ++i) {
        const PanScanEntry moving = at(list, i);
        int32_t j = i;
        while (j > 0 && at(list, j - 1).frame > moving.frame) {
            at(list, j) = at(list, j - 1);
            --j;
        }
        at(list, j) = moving;
    }
}

void fill_panscan_offsets(const PanScanList& list, std::span<int16_t> offsets) {
    std::fill(offsets.begin(), offsets.end(), int16_t{0});
    const int32_t count = used(list);
    if (count == 0 || offsets.empty()) return;
    // The positions in frame order, by index, so a list read from a file in any order is drawn as
    // the encoder will use it.
    std::array<uint16_t, kPanScanCapacity> order;
    for (int32_t i = 0; i < count; ++i) {
        const uint16_t moving = static_cast<uint16_t>(i);
        int32_t j = i;
        while (j > 0 && at(list, order[static_cast<size_t>(j - 1)]).frame > at(list, moving).frame) {
            order[static_cast<size_t>(j)] = order[static_cast<size_t>(j - 1)];
            --j;
        }
        order[static_cast<size_t>(j)] = moving;
    }
    for (int32_t k = 0; k < count; ++k) {
        const PanScanEntry& entry = at(list, order[static_cast<size_t>(k)]);
        const size_t begin = table_index(entry.frame, offsets.size());
        const size_t end = k + 1 < count ? table_index(at(list, order[static_cast<size_t>(k + 1)]).frame, offsets.size()) : offsets.size();
        if (begin < end) std::fill(offsets.begin() + static_cast<std::ptrdiff_t>(begin), offsets.begin() + static_cast<std::ptrdiff_t>(end), to_table_value(entry.offset));
    }
}

std::string panscan_line_text(const PanScanEntry& entry) {
    char text[32];
    std::snprintf(text, sizeof text, "%8d|%5d", entry.frame, entry.offset);
    return text;
}

}  // namespace qz::settings
