// The Main page's input button and opening the input a settings file names.
#pragma once

#include "state/app.h"

#include <string>

namespace qz::commands {

// Asks for the input ("select input file"); a cancelled dialog keeps the previous input and video.
void choose_input_command(App& app);

// Opens `path` as the new input, as after a confirmed dialog: classification, the open procedure of
// its kind with every message and clean-up, the lists cleared, the captions and the automatic GOP
// length refreshed.
void open_chosen_input(App& app, const std::string& path);

// Nothing of the current input remains: no name and no mark, not valid, no video properties, no
// kind, the DGDecode library no longer loaded for a project, the input button at its own caption
// and the Main page's movie information at "-". The frame lists stay.
void forget_previous_input(App& app);

// Opens the input the Settings record names after a load (start-up, "load ini file", "load QZ.ini").
void open_input_named_by_settings(App& app);

}  // namespace qz::commands
