// File commands: input, output, log, settings files, and the import/export buttons of the list and matrix pages.
#pragma once

#include "shell/app.h"
#include "ui/events.h"

namespace qz::shell {

void on_file_command(App& app, const ui::Event& event);

}  // namespace qz::shell
