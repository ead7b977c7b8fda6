// QZenc_028.exe: started by the front end from the program folder with no command line. It reads
// "QZ.ini" beside itself and encodes what it names; see encode_run.h. Without a display, or with
// *SILENT, it runs without a window.
#include "encode_run.h"
#include "encoder_os.h"

#if QZ_ENCODER_WINDOW
#include "window/progress_window.h"
#endif

#include <cstdio>

int main(int argc, [[maybe_unused]] char** argv) {
    if (argc > 1) std::fputs("QZenc_028.exe takes no arguments; it reads QZ.ini beside itself\n", stderr);
    qz::encoder::RunOptions options;
    options.program_folder = qz::encoder::executable_folder();
#if QZ_ENCODER_WINDOW
    const qz::encoder::WindowSettings window = qz::encoder::peek_window_settings(options.program_folder);
    if (!window.silent && qz::encoder::display_available())
        return qz::encoder::run_with_window(options, window, 1, argv);
#endif
    qz::encoder::Progress silent;
    return qz::encoder::run_encode(options, silent);
}
