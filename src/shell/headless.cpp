#include "shell/headless.h"

#include "shell/connections.h"
#include "ui/script_driver.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

namespace qz::shell {

int run_script(const std::string& script_file, const StartOptions& options) {
    std::ifstream file;
    std::istream* script = &std::cin;
    if (script_file != "-") {
        file.open(script_file);
        if (!file) {
            std::fprintf(stderr, "error: 0: cannot open script '%s'\n", script_file.c_str());
            return 2;
        }
        script = &file;
    }

    auto app = std::make_unique<App>();
    ConnectionTable connections(*app);
    ui::ScriptDriver driver(app->controls, connections, stdout, stderr);
    app->dialogs = &driver;

    start_up(*app, options);

    ui::ScriptHooks hooks;
    hooks.end_requested = [&] { return app->end_requested.load(); };
    hooks.wait_until_idle = [](double) {};
    int status = driver.run(*script, hooks);
    shut_down(*app);
    return status;
}

}  // namespace qz::shell
