#include "qt/qt_main.h"

#include "shell/connections.h"
#include "qt/fonts.h"
#include "qt/main_window.h"
#include "qt/qt_dialog_host.h"
#include "qt/window_geometry.h"

#include <QApplication>

#include <memory>

namespace qz::qt {

int run_window(int argc, char** argv, const commands::StartOptions& options) {
    QApplication qt_app(argc, argv);
    QApplication::setFont(dialog_font());

    auto app = std::make_unique<App>();
    shell::ConnectionTable connections(*app);
    int status = 0;
    {
        MainWindow window(*app, connections);
        QtDialogHost dialogs(&window);
        app->dialogs = &dialogs;
        commands::start_up(*app, options);
        window.binding().flush();
        if (!app->end_requested) {
            restore_window_place(window, app->paths.program_folder, window.preferred_size());
            window.show();
            status = QApplication::exec();
        }
        app->dialogs = nullptr;
    }
    commands::shut_down(*app);
    return status;
}

}  // namespace qz::qt
