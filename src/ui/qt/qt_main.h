// The Qt6 window: the only place that includes Qt.
#pragma once

#include "shell/startup.h"

namespace qz::qt {

int run_window(int argc, char** argv, const shell::StartOptions& options);

}  // namespace qz::qt
