// Preview/PanScan page handlers.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::framelists {

void on_panscan_page(App& app, const ui::Event& event);

}  // namespace qz::framelists
