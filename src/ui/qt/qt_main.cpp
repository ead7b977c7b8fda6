#include "ui/qt/qt_main.h"

#include <cstdio>

namespace qz::qt {

int run_window(int, char**, const shell::StartOptions&) {
    std::fprintf(stderr, "qzgui: the window arrives in a later version; use --script FILE\n");
    return 1;
}

}  // namespace qz::qt
