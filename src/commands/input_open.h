// Opening the input the Settings record names, for the input button and start-up, and letting the
// libraries go at shut-down. Each open writes its lines to the Message log, fills the Video source
// and runs the input checks; a failed open leaves no input (no name, not open, no frames).
#pragma once

#include "input/open_outcome.h"
#include "state/app.h"

namespace qz::input {

// The Avisynth script `app.settings.input_file`: a new environment, the import, the checks that
// name every problem before refusing, the frame range.
OpenOutcome open_avisynth_input(App& app);

// The D2V project `app.settings.input_file` through the DGDecode library of its version
// (`app.video.kind.dgdecode_library`); the library is loaded unless the bridge holds it as loaded for
// the project already.
OpenOutcome open_d2v_input(App& app);

// Releases Avisynth and unloads DGDecode.
void close_inputs(App& app);

}  // namespace qz::input
