// The settings file format, read into the Settings record. This is the pure core of the reader: it
// works on lines from any source (a file, text in memory) and asks its environment about files, so
// it can be tested, fuzzed and measured without the program around it.
//
// A keyword line starts in column 1 with an asterisk keyword, recognised without regard to case as a
// prefix of the line, in one fixed order (so *CQ_PFACTOR is found before *CQ). Every other line is
// ignored, except the lines a list keyword (*CHAPTER, *ZONE, *PANSCAN, *CUSTOMMATRIX) consumes.
#pragma once

#include "settings/line_reader.h"
#include "settings/settings_record.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qz::settings {

// How the input named by a settings file fared in the input checks.
enum class InputOutcome {
    NotNamed,         // no *INFILE line took a path
    NotFound,         // the named file does not exist
    Accepted,
    SourcesMissing,   // a D2V project whose VOB/MPEG files are missing
    VersionMismatch,  // a D2V project of a version no DGDecode library here reads
};

class ReaderEnvironment {
public:
    virtual ~ReaderEnvironment() = default;
    virtual bool file_exists(const std::string& path) = 0;
    // The input kind detection on an input that exists: Accepted, SourcesMissing or VersionMismatch.
    virtual InputOutcome check_input(const std::string& path) = 0;
};

// What a list keyword's line declared against the entries that followed it. A list keeps exactly
// the entries found, up to its capacity.
struct ListCount {
    int64_t declared = 0;  // the count on the keyword line, 0 for a count below 0
    int64_t found = 0;     // whole entries read before the list ended, at most `declared`
};

struct ReadReport {
    bool read_error = false;             // the source failed before its end
    InputOutcome input = InputOutcome::NotNamed;  // the last *INFILE line decides
    bool input_rejected = false;         // some *INFILE line named an unusable project
    // The last *CHAPTER, *ZONE and *PANSCAN line of each decides.
    ListCount chapters, zones, panscan;
};

// The Message log lines for the lists of a read: one for a list shorter than it declared ("ini file
// declares 3 chapters, only 1 found"), one for a list longer than it keeps ("ini file lists 6401
// PanScan entries, only the first 6400 loaded").
std::vector<std::string> list_count_lines(const ReadReport& report);

// Reads every line of `lines` into `record`: values, limits, given marks, lists. Does not reset the
// record first (the file reader does that).
ReadReport parse_settings(LineReader& lines, Settings& record, ReaderEnvironment& environment);

// The keyword numbers in the order they are tested; a keyword's name without its asterisk is its
// table entry.
struct KeywordName {
    std::string_view name;  // "*BITRATE"
    Keyword number;
};
std::span<const KeywordName> keyword_order();

}  // namespace qz::settings
