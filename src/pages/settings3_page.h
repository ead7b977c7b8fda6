// Settings 3 page handlers: time code, CPU, priority, AVS memory, lossless file, chroma output.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::pages {

void on_settings3_page(App& app, const ui::Event& event);

// The estimated size of the lossless intermediate file: " use lossless file" is usable only with an
// Avisynth script as input, and the estimate is shown while it is checked and a video is open.
// Called whenever the interlacing choice or the frame range changes.
void refresh_size_estimate(App& app);

// The estimate in GB (2^30 bytes) for the open video's frames to encode and the interlacing choice
// of Settings 1; 0 without an open video.
double lossless_size_gb(const App& app);

}  // namespace qz::pages
