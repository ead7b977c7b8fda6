// The chapter import and export commands behind the Preview/Chapters page's buttons "import chapter
// list from file" and "export chapter list to file": the file dialog, the remembered chapter file
// name, reading and writing the file, and the Message log lines.
#pragma once

#include "state/app.h"

#include <string>

namespace qz::commands {

// Shows the command's file dialog; a cancelled dialog changes nothing. The export asks nothing and
// writes "no chapters in list" while the list is empty. Other control ids are ignored.
void run_chapter_file_command(App& app, int control_id);

// Replaces the chapter list with the file's chapters and shows it. A file that cannot be opened
// leaves the list as it was; a file that is no chapter file leaves it empty. With a video open,
// chapters beyond its frame count are removed and counted in a warning. True when the file was read.
bool import_chapter_file(App& app, const std::string& path);

// Writes the chapter list as a chapter file; the old file stays whole when that fails. True when the
// new file has replaced the old one.
bool export_chapter_file(App& app, const std::string& path);

}  // namespace qz::commands
