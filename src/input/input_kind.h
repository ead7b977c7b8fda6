// Input kind detection: an Avisynth script (.avs) or a DGIndex project (.d2v), and for a project its
// head: the format version (the last two characters of line 1), which versioned DGDecode library it
// needs, and whether every MPEG source file it lists is present.
#pragma once

#include "settings/line_reader.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qz::input {

struct InputKind {
    bool is_avs = false;           // the name ends in ".avs" (in any case)
    bool is_d2v = false;           // the name ends in ".d2v" and the project is usable
    int32_t project_version = 0;   // 0 when the input is not a project
    bool project_usable = true;    // supported version and every listed source present
    bool sources_present = true;   // every source file the project lists exists
    std::string dgdecode_library;  // the DGDecode folder followed by the versioned library file name
};

// True when `name` (trailing blanks ignored) ends in `extension` (".avs"), without regard to case.
bool has_extension(const std::string& name, const char* extension);

// The library file a project version needs ("DGDecode16.dll"), nullptr for an unsupported version.
const char* dgdecode_library_for(int32_t project_version);

using FileExists = std::function<bool(const std::string& path)>;

// Reads a project's head from `project` and checks its sources. `project_folder` (with its trailing
// separator, or empty) completes relative source paths. An unreadable head (no first line, fewer
// than two characters in it, no number in line 2) counts as an unsupported version.
InputKind check_d2v_head(settings::LineReader& project, const std::string& project_folder,
                         const std::string& dgdecode_folder, const FileExists& exists);

// Classifies the input named `input_name` (which the caller knows to exist). The stored name is not
// changed: on a case-sensitive file system another case would name another file.
InputKind classify_input(const std::string& input_name, const std::string& dgdecode_folder);

}  // namespace qz::input
