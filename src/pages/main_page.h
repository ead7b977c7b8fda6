// Main page handlers: buttons, bitrate modes, profile, aspect, switches, field checks.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::pages {

void on_main_page(App& app, const ui::Event& event);
void on_main_field_check(App& app, const ui::Event& event);

// Fills the movie information fields from the opened video, or shows "-" without one.
void refresh_movie_information(App& app);
// The state "1 pass VBR" puts the bitrate controls in, without its messages.
void show_one_pass_vbr_on(App& app);
// Recomputes the file length box from the average bitrate and the frames to encode.
void refresh_file_length(App& app);

}  // namespace qz::pages
