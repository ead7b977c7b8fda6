// How far an encode is, for whoever shows it: nothing (silent, no display) or the progress window.
#pragma once

#include "planes.h"

namespace qz::encoder {

struct ProgressReport {
    int pass = 1, passes = 1;
    int done = 0, total = 0;          // frames of this pass
    double fps = 0, elapsed_seconds = 0, remaining_seconds = 0;
    double kbps = 0;                  // bitrate of the last second of pictures
    const Planes* picture = nullptr;  // the frame just sent, when the preview is on
};

class Progress {
public:
    virtual ~Progress() = default;
    // Called from the encoding thread, at most a few times a second.
    virtual void update(const ProgressReport&) {}
    // The encode ended; `summary` is its last log line.
    virtual void finished(bool, const char*) {}
};

}  // namespace qz::encoder
