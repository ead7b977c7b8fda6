// What the Chapters and Zones pages share: the frame their buttons act on, and which of their
// controls belong to the frame navigation.
#pragma once

#include "state/app.h"

namespace qz::framelists {

// The frame in the current frame box of `dialog`, held within the video. A box that holds no number
// gives the current frame, which is what the box showed before it was changed.
int frame_input(const App& app, int dialog);

// The current frame box, the six step buttons and the slider: frame navigation's controls.
bool is_navigation_control(int id);

}  // namespace qz::framelists
