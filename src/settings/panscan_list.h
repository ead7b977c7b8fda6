// The pan-scan list: from each listed frame on, the horizontal offset of the 4:3 window within the
// picture, in sixteenths of a pixel, until the next listed frame. The operations keep the list in
// ascending frame order with one position per frame, and never write past its 6400 positions. They
// know no program state: the page handlers bring in the video's width and frame count.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string>

namespace qz::settings {

// The offsets a video of `width` pixels allows, so that the 4:3 window stays inside the picture:
// ±1440 at 720 pixels, ±1312 at 704; other widths are not limited.
struct OffsetLimits {
    int32_t lowest = std::numeric_limits<int32_t>::min();
    int32_t highest = std::numeric_limits<int32_t>::max();
};
OffsetLimits panscan_offset_limits(int width);
int32_t clamp_panscan_offset(int64_t offset, int width);

// "add" takes its offset within these limits whatever the width.
inline constexpr int32_t kAddedOffsetLimit = 1440;
// "<" and ">" move the window by one pixel.
inline constexpr int32_t kOffsetStep = 16;

enum class PanScanSet {
    Replaced,  // the frame was listed: it has the new offset
    Added,     // a new position, sorted in by its frame
    Full,      // a new frame while all 6400 positions are taken: nothing changed
};

// The position of `frame` gets `offset`; a frame not yet listed is added in frame order.
PanScanSet set_panscan_position(PanScanList& list, int32_t frame, int32_t offset);

// Removes the position at `index` (0 for the first); the later ones move forward. False when there
// is no such position.
bool remove_panscan_position(PanScanList& list, int32_t index);

// Removes the positions beyond a video of `frame_count` frames (frames greater than the count) from
// the end of the ordered list; returns how many went.
int32_t trim_panscan_list(PanScanList& list, int32_t frame_count);

// No positions; every slot zeroed. The display size and the pan-scan switch stay.
void clear_panscan_positions(PanScanList& list);

// Sorts the positions by frame; positions of the same frame keep their order.
void sort_panscan_positions(PanScanList& list);

// The per-frame offset table: frame f gets the offset of the position with the greatest frame not
// above f (of several with that frame, the last listed), 0 before the first position. Offsets beyond
// the 16-bit range are held at its ends. The list need not be sorted; nothing is allocated.
void fill_panscan_offsets(const PanScanList& list, std::span<int16_t> offsets);

// One line of the page's list box: the frame right-aligned in 8 characters, "|", the offset
// right-aligned in 5.
std::string panscan_line_text(const PanScanEntry& entry);

}  // namespace qz::settings
