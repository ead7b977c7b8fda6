// Settings 1 page handlers: interlacing, chroma downsampling, GOP, constant quantisation, AQ, dead zone.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::pages {

void on_settings1_page(App& app, const ui::Event& event);

}  // namespace qz::pages
