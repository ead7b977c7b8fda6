// Preview/Zones page handlers: the zone list (bitrate factors from a frame on) with its buttons, and
// "create bitmap", which saves the current frame's picture. The frame navigation controls go on to
// on_navigation.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::framelists {

void on_zones_page(App& app, const ui::Event& event);

// Rebuilds the zone list box from the record, with no line selected.
void show_zone_list(App& app);

}  // namespace qz::framelists
