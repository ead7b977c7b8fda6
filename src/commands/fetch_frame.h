// The one frame fetch the program uses for either input kind: frame n of the open input into the
// Video source's Y, U and V planes as 4:2:0. Called by start-up, the main window, the preview pages
// and the scene-change scan worker.
#pragma once

#include "state/app.h"

namespace qz::input {

// 0 on success. Otherwise the planes keep their previous content, one line goes to the Message log
// and the code says why: for a script 1 (Avisynth not loaded), 6 (planar frame failed) or
// 7 (interleaved frame failed); for a project 128 (DGDecode not loaded or no project), 136 (frame
// larger than the planes) or 137 (the library delivered no frame). Without any input: 1, no line.
int fetch_frame(App& app, int n);

}  // namespace qz::input
