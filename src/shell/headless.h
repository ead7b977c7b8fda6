// `qzgui --script FILE`: the normal start-up with no window, then the script's lines.
#pragma once

#include "commands/startup.h"

#include <string>

namespace qz::shell {

// FILE "-" reads standard input. Returns the process exit status.
int run_script(const std::string& script_file, const commands::StartOptions& options);

}  // namespace qz::shell
