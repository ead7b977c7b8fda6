#include "shell/main_window.h"

namespace qz::shell {

void on_tab_change(App&, const ui::Event&) {}

void on_about(App& app, const ui::Event&) {
    if (!app.dialogs) return;
    app.dialogs->message_box(kAboutTitle,
                             "QZgui 0.28, the front end of the QZenc MPEG-2 encoder\n"
                             "encoder release 0.28.0.2, build 21/12/2015",
                             ui::MessageKind::Information);
}

void on_encode(App&, const ui::Event&) {}

void on_exit(App& app, const ui::Event&) { request_end(app); }

void request_end(App& app) { app.end_requested = true; }

}  // namespace qz::shell
