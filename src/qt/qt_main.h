// The Qt6 window: the only place that includes Qt.
#pragma once

#include "commands/startup.h"

namespace qz::qt {

int run_window(int argc, char** argv, const commands::StartOptions& options);

}  // namespace qz::qt
