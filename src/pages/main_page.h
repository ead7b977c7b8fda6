// Main page handlers: buttons, bitrate modes, profile, aspect, switches, field checks.
#pragma once

#include "shell/app.h"
#include "ui/events.h"

namespace qz::pages {

void on_main_page(App& app, const ui::Event& event);
void on_main_field_check(App& app, const ui::Event& event);

}  // namespace qz::pages
