// The Avisynth environment around an encode: released before the encoder starts so it can open the
// script itself, and recreated afterwards so the preview works again.
#pragma once

#include "state/app.h"

namespace qz::input {

// Releases the script environment and the library (nothing when none is loaded).
void release_avisynth(App& app);

// Recreates the environment and reopens the input script; false when that fails.
bool reopen_avisynth_script(App& app);

}  // namespace qz::input
