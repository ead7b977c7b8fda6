// The Main page's handler groups, called by its dispatch (main_page.cpp).
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::pages::main_page {

// Bitrate entry mode, profile, aspect and DC precision radios.
void on_choice(App& app, int id);
// SMP, pulldown, scene change, autogop with its box and up-down, closed GOPs, one-pass VBR.
void on_switch(App& app, const ui::Event& event);

// The "current QZ.ini" listing is refreshed by every tab change to a settings page; a Main page
// change refreshes it only while it is in view, so a click never rebuilds a long listing unseen.
void refresh_visible_listing(App& app);

}  // namespace qz::pages::main_page
