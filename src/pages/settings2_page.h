// Settings 2 page handlers: rate-control tweaks, encoder switches, stream flags, luminance gain, mask.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::pages {

void on_settings2_page(App& app, const ui::Event& event);

}  // namespace qz::pages
