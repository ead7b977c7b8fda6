#include "settings/zone_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qz::settings {

namespace {

// The zones in use; a count outside 0 .. capacity (never written by the program) counts as its
// nearest bound, so no operation reaches past the array.
int32_t used(const ZoneList& list) { return std::clamp(list.count, 0, kZoneCapacity); }

}  // namespace

float zone_factor_from(double value) {
    // Rounded in double precision, where even a huge value cannot overflow; the bounds are whole
    // tenths, so holding the value within them before or after the rounding gives the same factor.
    double tenths = std::round(std::clamp(value, double{kMinZoneFactor}, double{kMaxZoneFactor}) * 10.0);
    return static_cast<float>(tenths / 10.0);
}

ZoneSet set_zone(ZoneList& list, int32_t frame, float factor) {
    const int32_t count = used(list);
    auto first = list.zones.begin();
    auto last = first + count;
    auto same_frame = std::find_if(first, last, [frame](const Zone& z) { return z.start_frame == frame; });
    if (same_frame != last) {
        same_frame->factor = factor;
        return ZoneSet::Replaced;
    }
    if (count >= kZoneCapacity) return ZoneSet::ListFull;
    *last = Zone{frame, factor};
    list.count = count + 1;
    sort_zones(list);
    return ZoneSet::Added;
}

bool remove_zone_at(ZoneList& list, int32_t index) {
    const int32_t count = used(list);
    if (index < 0 || index >= count) return false;
    auto first = list.zones.begin();
    std::move(first + index + 1, first + count, first + index);
    list.zones[static_cast<size_t>(count - 1)] = Zone{};
    list.count = count - 1;
    return true;
}

int32_t trim_zones_beyond(ZoneList& list, int32_t frame_count) {
    int32_t count = used(list);
    int32_t removed = 0;
    while (count > 0 && list.zones[static_cast<size_t>(count - 1)].start_frame > frame_count) {
        list.zones[static_cast<size_t>(count - 1)] = Zone{};
        --count;
        ++removed;
    }
    list.count = count;
    return removed;
}

// An insertion sort: stable without a buffer, and one pass over a list that is in order but for the
// zone just appended, which is how setting a zone leaves it.
void sort_zones(ZoneList& list) {
    const auto count = static_cast<size_t>(used(list));
    for (size_t i = 1; i < count; ++i) {
        const Zone moving = list.zones[i];
        size_t j = i;
        for (; j > 0 && list.zones[j - 1].start_frame > moving.start_frame; --j) list.zones[j] = list.zones[j - 1];
        list.zones[j] = moving;
    }
}

void clear_zones(ZoneList& list) {
    list.count = 0;
    list.zones.fill(Zone{});
}

std::string zone_line_text(const Zone& zone) {
    char text[48];
    std::snprintf(text, sizeof text, "%8d|%3.1f", static_cast<int>(zone.start_frame), static_cast<double>(zone.factor));
    return text;
}

}  // namespace qz::settings
