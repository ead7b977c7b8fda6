// The operations on the chapter list of the Settings record. The list is kept in ascending order
// without two equal entries by add and remove; a list read from a file or found by the scene-change
// scan is only sorted, so it may hold equal entries. Positions beyond the count always hold 0.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <string>

namespace qz::settings {

enum class ChapterAdd {
    Added,
    AlreadyListed,  // the list is unchanged
    ListFull,       // 640000 chapters already: the list is unchanged
};

// Adds `frame` (0 or more) unless it is listed already, keeping the list in ascending order.
ChapterAdd add_chapter(ChapterList& list, int32_t frame);

// Removes the entry at `index` (0-based); the entries behind it move one place forward. False, and
// nothing changed, when there is no such entry.
bool remove_chapter_at(ChapterList& list, int32_t index);

// Removes entries greater than `frame_count` from the end of the list (an entry equal to the frame
// count stays); returns how many went. With no video open the frame count is 0, so every entry
// above 0 goes.
int32_t trim_chapters_beyond(ChapterList& list, int32_t frame_count);

// Sorts the entries ascending, equal entries included.
void sort_chapters(ChapterList& list);

// No chapters, every position 0.
void clear_chapters(ChapterList& list);

// One line of the chapter list box: the frame right-aligned in 8 characters.
std::string chapter_line_text(int32_t frame);

}  // namespace qz::settings
