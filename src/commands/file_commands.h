// File commands: input, output, log, settings files, and the import/export buttons of the list and matrix pages.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::commands {

void on_file_command(App& app, const ui::Event& event);

}  // namespace qz::commands
