// The pan-scan import and export commands behind the Preview/PanScan page's buttons 1816 ("import
// panscan list from file") and 1817 ("export panscan list to file"): the file dialog, the remembered
// pan-scan file name, the reader or writer, the Message log lines and the refresh of the page.
#pragma once

#include "state/app.h"

#include <string>

namespace qz::commands {

// Shows the command's file dialog; a cancelled dialog changes nothing. The export of an empty list
// shows no dialog. Other control ids are ignored.
void run_panscan_file_command(App& app, int control_id);

// Reads `path` into the pan-scan list, offsets held within the opened video's limits, and logs
// "panscan file read" or the reader's message. A file with a bad line leaves the list empty; one that
// could not be read at all leaves it as it was. True on success.
bool import_panscan_file(App& app, const std::string& path);

// Writes the pan-scan list; logs "panscan file written" once the new file has replaced the old one,
// or the writer's message (and, when the write had begun, that nothing on disk changed).
bool export_panscan_file(App& app, const std::string& path);

}  // namespace qz::commands
