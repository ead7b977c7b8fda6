// The main window's own handlers: tab change, about box, exit; and the end of the program.
#pragma once

#include "state/app.h"
#include "ui/events.h"

#include <string>

namespace qz::commands {

inline constexpr const char* kWindowCaption = "  QZGUI 0.28        build 21/12/2015";
inline constexpr const char* kAboutTitle = "QZgui 0.28";
inline constexpr const char* kMessageTitle = "QZ message";

void on_tab_change(App& app, const ui::Event& event);
void on_about(App& app, const ui::Event& event);
void on_encode(App& app, const ui::Event& event);
void on_exit(App& app, const ui::Event& event);

// The first mouse press after a preview page was shown draws its picture and sets the sliders.
void refresh_preview_on_press(App& app);

// A file dropped on the window: an input does what the input button does after its dialog, a
// settings file what "load ini file" does after its dialog. False when the kind is not one of these.
bool open_dropped_file(App& app, const std::string& path);

// The three ways to end (exit button, closing the window, cancel) all come here.
void request_end(App& app);

}  // namespace qz::commands
