// The encoder's progress window: frames done of total, frames per second, elapsed and remaining
// time, the current bitrate, a progress bar and, with *PREVIEW, the frame just encoded. The encode
// runs on a worker thread; the window closes *WAIT seconds after the end. Qt-free header: only
// progress_window.cpp includes Qt.
#pragma once

#include "encode_run.h"

namespace qz::encoder {

// Runs the encode with the window shown; returns the encode's exit code.
int run_with_window(RunOptions options, const WindowSettings& window, int argc, char** argv);

}  // namespace qz::encoder
