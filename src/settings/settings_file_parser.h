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

struct ReadReport {
    bool read_error = false;             // the source failed before its end
    InputOutcome input = InputOutcome::NotNamed;  // the last *INFILE line decides
    bool input_rejected = false;         // some *INFILE line named an unusable project
    int32_t panscan_entries_in_file = 0; // the count a *PANSCAN line gave
    bool panscan_cut = false;            // that count was above the list's capacity
};

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
