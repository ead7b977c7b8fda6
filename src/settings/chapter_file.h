// Chapter files: the text the export writes and the three forms the import reads. These functions
// know no program state; the import and export commands read and write the file and bring in the log.
//
// As written: "*CHAPTER", 10 blanks and the count on the first line, then one frame number a line.
// As read, the first line (its first 80 characters, leading blanks dropped, letters lowered) tells
// the form:
//   "<?xml"     an XML chapter list: every later line whose first item starts with "<framenum>"
//               gives one frame, the digits up to the next "<" within the 10 characters after the tag;
//               frames of 640000 or more are skipped;
//   "*chapter"  the written form: the count follows on the first line, then exactly that many
//               integers separated by blanks, commas or line ends;
//   otherwise   a plain list: the first integer of every line, blank lines skipped.
// A list never holds more than 640000 chapters: a file with more keeps the first 640000 and says so.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz::settings {

// Far above the largest chapter file of 640000 chapters (about 5 MB in any form, 15 MB as XML).
inline constexpr uint64_t kMaxChapterFileBytes = 64u << 20;

inline constexpr const char* kChapterReadFailedText = "error reading chapterfile";
inline constexpr const char* kChaptersCappedText = "more than 640000 chapters detected, chapters > 640000 skipped";

struct ChapterFileRead {
    bool ok = false;
    std::vector<std::string> log_lines;  // the Message log lines of the read, in order
};

// Replaces `list` with the chapters of `text`, sorted ascending. When the text is no chapter file the
// list is left empty and the lines end with "error reading chapterfile"; on success they end with
// "N chapters successfully read".
ChapterFileRead parse_chapter_file(std::string_view text, ChapterList& list);

// The file of `list` as the export writes it, lines ended by LF; empty for an empty list.
std::string format_chapter_file(const ChapterList& list);

}  // namespace qz::settings
