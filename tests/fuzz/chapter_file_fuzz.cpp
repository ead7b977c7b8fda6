// The chapter file reader on arbitrary bytes: no crash, no access outside the list; whatever it keeps
// is a sorted list within the capacity with 0 beyond the count, the last log line says how the read
// ended, and a list of chapters that was read writes a file that reads back as the same list.
#include "settings/chapter_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace qz::settings;

void check(bool condition) {
    if (!condition) std::abort();
}

void check_list(const ChapterList& list) {
    check(list.count >= 0 && list.count <= kChapterCapacity);
    auto end = list.frames.begin() + list.count;
    check(std::is_sorted(list.frames.begin(), end));
    check(std::all_of(end, list.frames.end(), [](int32_t f) { return f == 0; }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto read = std::make_unique<ChapterList>();
    static auto again = std::make_unique<ChapterList>();
    std::string_view text(reinterpret_cast<const char*>(data), size);

    ChapterFileRead result = parse_chapter_file(text, *read);
    check_list(*read);
    check(!result.log_lines.empty());
    if (!result.ok) {
        check(read->count == 0 && result.log_lines.back() == kChapterReadFailedText);
        return 0;
    }
    check(result.log_lines.back() == std::to_string(read->count) + " chapters successfully read");

    // An empty list writes no file at all: the export asks for a list first.
    if (read->count == 0) return 0;
    ChapterFileRead back = parse_chapter_file(format_chapter_file(*read), *again);
    check(back.ok && again->count == read->count);
    check(std::equal(read->frames.begin(), read->frames.end(), again->frames.begin()));
    return 0;
}
