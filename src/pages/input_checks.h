// The input engine's findings brought to the program: where Avisynth is, kept in the program state,
// and the advice about an opened input, written to the Message log.
#pragma once

#include "state/app.h"

namespace qz::input {

// Keeps the location, the status and "installed" (the library can be loaded) in the program state.
// Start-up, the Avisynth bridge and the "Avisynth info" button share it.
void locate_avisynth(App& app);

// Reads "3:2 pulldown" on the Main page and writes the advice about the opened input to the log.
void check_input(App& app);

}  // namespace qz::input
