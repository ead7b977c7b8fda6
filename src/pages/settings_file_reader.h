// Loading a settings file: the default settings file "QZ.ini" beside the program, or the user
// settings file chosen in the "load ini file" dialog.
#pragma once

#include "settings/settings_file_parser.h"
#include "state/app.h"

namespace qz::settings {

inline constexpr int kDefaultSettingsFile = 1;
inline constexpr int kUserSettingsFile = 2;

// One complete load: clears the file names and given marks, resets the pages to their defaults and
// empties the chapter and pan-scan lists, reads the file into the record and reports in the Message
// log. The caller then applies the record to the pages (apply_record_to_pages).
void read_settings_file(App& app, int which);

// Reads settings text from memory into the record with the program's own file checks (for tests and
// benchmarks of the whole reading step); no reset, no messages.
ReadReport read_settings_text(App& app, std::string_view text);

}  // namespace qz::settings
