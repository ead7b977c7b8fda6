// Start-up and shut-down of the program, shared by the window and the headless driver.
#pragma once

#include "state/app.h"

#include <optional>
#include <string>

namespace qz::commands {

struct StartOptions {
    std::optional<std::string> home_folder;  // --home DIR: the program folder instead of the executable's
};

// Runs the start-up steps in their order: processor count and check, the log's first line,
// program discovery, defaults, the default settings file. At CPU level 0 the end is requested, but
// start-up still runs to its end.
void start_up(App& app, const StartOptions& options);

// The processor check: the level from the feature words; at level 0 the message, a 5-second pause
// and a request to end.
int check_processor(App& app, const platform::CpuFeatureWords& words, void (*pause_ms)(int) = platform::sleep_ms);

void shut_down(App& app);

}  // namespace qz::commands
