// qzgui: the window, or with --script the headless driver.
#include "shell/headless.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#ifdef QZ_WITH_QT
#include "qt/qt_main.h"
#endif

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: qzgui [--home DIR] [--script FILE|-]\n"
                 "  --home DIR     use DIR as the program folder (QZ.ini, encoder, DGDecode/, matrix/)\n"
                 "  --script FILE  run FILE's commands without a window ('-' reads standard input)\n");
}

}  // namespace

int main(int argc, char** argv) {
    qz::commands::StartOptions options;
    std::optional<std::string> script;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--script" || arg == "--home") && i + 1 < argc) {
            (arg == "--script" ? script : options.home_folder) = std::string(argv[++i]);
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else {
            usage();
            return 2;
        }
    }
    if (script) return qz::shell::run_script(*script, options);
#ifdef QZ_WITH_QT
    return qz::qt::run_window(argc, argv, options);
#else
    std::fprintf(stderr, "qzgui: this build has no window; use --script FILE\n");
    return 1;
#endif
}
