// "encode": writes QZ.ini beside the program, prepares the DGDecode copy the encoder needs, starts
// the encoder with no command line from the program folder, waits for it with the window hidden, and
// reports start, finish and duration.
#pragma once

#include "state/app.h"

namespace qz::commands {

void run_encode(App& app);

}  // namespace qz::commands
