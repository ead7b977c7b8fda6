// The main window's own handlers: tab change, about box, exit; and the end of the program.
#pragma once

#include "shell/app.h"
#include "ui/events.h"

namespace qz::shell {

inline constexpr const char* kWindowCaption = "  QZGUI 0.28        build 21/12/2015";
inline constexpr const char* kAboutTitle = "QZgui 0.28";
inline constexpr const char* kMessageTitle = "QZ message";

void on_tab_change(App& app, const ui::Event& event);
void on_about(App& app, const ui::Event& event);
void on_encode(App& app, const ui::Event& event);
void on_exit(App& app, const ui::Event& event);

// The three ways to end (exit button, closing the window, cancel) all come here.
void request_end(App& app);

}  // namespace qz::shell
