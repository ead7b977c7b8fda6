// The lines of a settings file as a save would write them now: built from the page values and the
// record's names, paths and lists. The writer puts them into the file; the listing shows them, in its
// own order and with its own small differences.
//
// Line format: a keyword with a value is padded with blanks to 18 characters, so every value starts
// in column 19; a flag keyword stands alone; no line ends in blanks.
#pragma once

#include "settings/page_values.h"
#include "settings/settings_record.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qz::settings {

inline constexpr size_t kKeywordWidth = 18;
// The listing shows at most this many characters of a file name or path.
inline constexpr size_t kListingNameLength = 127;

enum class BuildTarget { File, Listing };

class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void add(std::string_view line) = 0;
};

struct BuildResult {
    // Constant quantisation is on and the quantiser box holds no number: the lines stop there.
    bool cq_aborted = false;
    // The longest file name or path line shown (the listing's horizontal extent), in characters.
    size_t longest_name_line = 0;
};

// Builds the lines in the target's order and hands each to `sink` as soon as it is built. Stores the
// numbers it reads from the boxes into the record as a save does (the listing only the limited ones:
// bias, minimum bitrate factor, time code, wait).
BuildResult build_settings_lines(const PageValues& page, Settings& record, BuildTarget target, LineSink& sink);

// Collects lines as the text of a file, each ended by a line feed.
class TextSink final : public LineSink {
public:
    void add(std::string_view line) override {
        text.append(line);
        text.push_back('\n');
    }
    std::string text;
};

// Collects lines as separate strings (the listing's list boxes).
class ListSink final : public LineSink {
public:
    void add(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

}  // namespace qz::settings
