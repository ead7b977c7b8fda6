// A program state for the input bridges' tests, and what they read back from it.
#pragma once

#include "state/app.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace qz::inputtest {

inline std::unique_ptr<App> make_app() {
    auto app = std::make_unique<App>();
    app->cpu_level = 7;  // the best variants this processor has
    app->paths.program_folder = "/opt/qz/";
    return app;
}

inline std::vector<std::string> log_lines(const App& app) {
    std::vector<std::string> lines;
    for (int i = 0; i < app.log.line_count(); ++i)
        lines.push_back(app.controls.item(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLog, i));
    return lines;
}

inline void clear_log(App& app) { app.log.clear(); }

// What every refused open must leave.
inline bool no_input(const App& app) {
    return !app.video.open && app.video.frame_count == 0 && app.settings.input_file.empty() &&
           !app.settings.input_valid &&
           app.controls.text(ui::dialog::kMainPage, ui::main_page_ids::kInputButton) == "input file name (*.d2v, *.avs)";
}

// Sets environment variables for one test and removes them afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const std::string& name : names_) ::unsetenv(name.c_str());
    }
    void set(const std::string& name, const std::string& value) {
        ::setenv(name.c_str(), value.c_str(), 1);
        names_.push_back(name);
    }

private:
    std::vector<std::string> names_;
};

using Lines = std::vector<std::string>;

}  // namespace qz::inputtest
