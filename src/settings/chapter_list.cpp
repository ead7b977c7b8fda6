#include "settings/chapter_list.h"

#include <algorithm>
#include <cstdio>

namespace qz::settings {

namespace {

// The entries in use; a count outside 0 .. capacity (never written by the program) counts as its
// nearest bound, so no operation reaches past the array.
int32_t used(const ChapterList& list) { return std::clamp(list.count, 0, kChapterCapacity); }

}  // namespace

ChapterAdd add_chapter(ChapterList& list, int32_t frame) {
    const int32_t count = used(list);
    auto first = list.frames.begin();
    auto last = first + count;
    if (std::find(first, last, frame) != last) return ChapterAdd::AlreadyListed;
    if (count >= kChapterCapacity) return ChapterAdd::ListFull;
    *last = frame;
    list.count = count + 1;
    // A list loaded from a settings file may come in any order: sorting the whole list, rather than
    // inserting at the right place, leaves it ascending whatever it held before.
    std::sort(first, last + 1);
    return ChapterAdd::Added;
}

bool remove_chapter_at(ChapterList& list, int32_t index) {
    const int32_t count = used(list);
    if (index < 0 || index >= count) return false;
    auto first = list.frames.begin();
    std::move(first + index + 1, first + count, first + index);
    list.frames[static_cast<size_t>(count - 1)] = 0;
    list.count = count - 1;
    return true;
}

int32_t trim_chapters_beyond(ChapterList& list, int32_t frame_count) {
    int32_t count = used(list);
    int32_t removed = 0;
    while (count > 0 && list.frames[static_cast<size_t>(count - 1)] > frame_count) {
        list.frames[static_cast<size_t>(count - 1)] = 0;
        --count;
        ++removed;
    }
    list.count = count;
    return removed;
}

void sort_chapters(ChapterList& list) {
    auto first = list.frames.begin();
    std::sort(first, first + used(list));
}

void clear_chapters(ChapterList& list) {
    list.count = 0;
    list.frames.fill(0);
}

std::string chapter_line_text(int32_t frame) {
    char text[16];
    std::snprintf(text, sizeof text, "%8d", static_cast<int>(frame));
    return text;
}

}  // namespace qz::settings
