// The frame fetch for the handlers: the open input's frame n into the Video source's planes, a
// failure written to the Message log. Called by start-up, the main window, the preview pages and the
// scene-change scan.
#pragma once

#include "input/frame_fetch.h"
#include "state/app.h"

namespace qz::input {

FetchOutcome fetch_frame(App& app, int n);

}  // namespace qz::input
