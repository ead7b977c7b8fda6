// The D2V project: the list of MPEG files, the settings the decoder honours and the index of
// entry points (one per GOP start) with the flags of every picture in display order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz::dgdecode {

// Bits of the info word of an index line.
inline constexpr unsigned kInfoClosedGop = 0x400;
inline constexpr unsigned kInfoProgressiveSequence = 0x200;
inline constexpr unsigned kInfoNewGop = 0x100;

// Bits of a picture flag byte.
inline constexpr uint8_t kFlagProgressiveFrame = 0x40;
inline constexpr uint8_t kFlagTopFieldFirst = 0x02;
inline constexpr uint8_t kFlagRepeatFirstField = 0x01;
inline constexpr uint8_t kFlagEndOfStream = 0xff;
inline int picture_type_of_flag(uint8_t flag) { return (flag >> 4) & 3; }  // 1 I, 2 P, 3 B

enum class StreamType { elementary = 0, program = 1, transport = 2, unknown = -1 };

struct D2vEntry {
    unsigned info = 0;
    int file = 0;               // index into D2vProject::files
    int64_t position = 0;       // byte offset inside that file
    int first_picture = 0;      // display index of the entry's first picture
    int picture_count = 0;
};

struct D2vProject {
    int version = 0;
    std::vector<std::string> files;  // resolved, usable paths
    StreamType stream_type = StreamType::unknown;
    int field_operation = 0;         // 0 honour pulldown, 1 force film, 2 ignore pulldown
    unsigned rate_numerator = 0;     // 0 when the project names no rate
    unsigned rate_denominator = 0;
    int clip_left = 0, clip_right = 0, clip_top = 0, clip_bottom = 0;
    int transport_video_pid = -1;
    std::vector<D2vEntry> entries;
    std::vector<uint8_t> picture_flags;  // every picture, display order
};

// Limits that keep a damaged project from exhausting memory.
inline constexpr size_t kMaxProjectBytes = 512u << 20;
inline constexpr int kMaxSourceFiles = 4096;
inline constexpr size_t kMaxPictures = 50'000'000;

// Parses the text of a project whose file lives in `project_dir` (relative source paths are
// taken from there). False with a reason in `error` when the text is not a usable project.
bool parse_d2v_project(std::string_view text, const std::string& project_dir, D2vProject& project,
                       std::string& error);

// Reads and parses a project file.
bool read_d2v_project(const std::string& path, D2vProject& project, std::string& error);

// The first project version whose source lines hold the plain path; earlier ones write
// `<length> <path>`.
inline constexpr int kFirstPlainPathVersion = 10;

// The path a source line names: after the length field for versions 6 to 9, the whole line (less
// surrounding blanks) from version 10 on. Windows separators become '/', a relative path is taken
// from `project_dir`, and a file missing at that place is looked for beside the project. Empty when
// a line of an older version has no length field.
std::string resolve_source_line(std::string_view line, int version, const std::string& project_dir);

}  // namespace qz::dgdecode
