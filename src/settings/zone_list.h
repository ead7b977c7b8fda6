// The operations on the zone list of the Settings record: a zone is a start frame and the bitrate
// factor that holds from it on. The list is kept in ascending order of start frame with one zone per
// frame; it holds at most 6400 zones.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <string>

namespace qz::settings {

inline constexpr float kMinZoneFactor = 0.2f;
inline constexpr float kMaxZoneFactor = 5.0f;

// A typed value as a zone factor: rounded to one decimal (halves away from zero), then held within
// 0.2 .. 5.0. So 0.55 gives 0.6, 0.1 gives 0.2 and 7 gives 5.0.
float zone_factor_from(double value);

enum class ZoneSet {
    Added,
    Replaced,  // a zone on that frame had its factor replaced
    ListFull,  // 6400 zones already and none on that frame: the list is unchanged
};

// Sets the zone starting at `frame` (0 or more) to `factor`: the zone on that frame gets the new
// factor, or a new zone goes in at its place in frame order.
ZoneSet set_zone(ZoneList& list, int32_t frame, float factor);

// Removes the zone at `index` (0-based); the zones behind it move one place forward with their
// factors. False, and nothing changed, when there is no such zone.
bool remove_zone_at(ZoneList& list, int32_t index);

// Removes zones whose start frame is greater than `frame_count` from the end of the list; returns
// how many went.
int32_t trim_zones_beyond(ZoneList& list, int32_t frame_count);

// Sorts the zones by start frame; zones on equal frames keep their order.
void sort_zones(ZoneList& list);

// No zones, every position empty.
void clear_zones(ZoneList& list);

// One line of the zone list box: the frame right-aligned in 8 characters, "|", the factor with one
// decimal in 3 characters ("    1500|0.5").
std::string zone_line_text(const Zone& zone);

}  // namespace qz::settings
