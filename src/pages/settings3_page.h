// Settings 3 page handlers: time code, CPU, priority, AVS memory, lossless file, chroma output.
#pragma once

#include "shell/app.h"
#include "ui/events.h"

namespace qz::pages {

void on_settings3_page(App& app, const ui::Event& event);

// The estimated size of the lossless intermediate file.
void refresh_size_estimate(App& app);

}  // namespace qz::pages
