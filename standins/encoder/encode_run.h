// One run of the encoder: read "QZ.ini" from the program folder, open the input it names, encode
// the frames to the output in one or two passes, write the log. Every failure ends the run with a
// clear log line and its exit code; a partial output never appears under the output's name.
#pragma once

#include "progress.h"

#include <string>

namespace qz::encoder {

enum ExitCode : int {
    kExitOk = 0,
    kExitSettings = 1,  // no "QZ.ini", or it cannot be read, or it names no output
    kExitInput = 2,     // no input named, not found, or it cannot be opened or read
    kExitOutput = 3,    // the output cannot be written (no folder, no permission, full disk)
    kExitEncode = 4,    // the encoder refused the settings or failed
};

struct RunOptions {
    std::string program_folder;  // with its trailing separator
    bool preview_wanted = false; // set by the caller when `progress` shows pictures
    bool window_shown = false;   // a progress window is shown (so *PREVIEW and *WAIT mean something)
};

// The settings the caller needs before the run starts (whether to show a window, how long to wait).
struct WindowSettings {
    bool silent = false, preview = false;
    int wait_seconds = 5;
};
WindowSettings peek_window_settings(const std::string& program_folder);

int run_encode(const RunOptions& options, Progress& progress);

}  // namespace qz::encoder
