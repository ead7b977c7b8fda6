// The file dialogs of the commands: the request built one way for every kind of file, starting at the
// current file name of that kind.
#pragma once

#include "state/app.h"

#include <optional>
#include <string>

namespace qz::commands {

struct FileDialogSpec {
    bool save = false;               // a save dialog, else an open dialog
    const char* title = "";
    const char* filter_text = "";    // inner runs of blanks are part of the text
    const char* pattern = "";
    const char* default_extension = "";
};

// The chosen path; nothing when the user cancelled or no dialogs are set up. The dialog opens at
// `current` in `start_folder`, or in the folder of `current` when `start_folder` is empty.
std::optional<std::string> ask_for_file(App& app, const FileDialogSpec& spec, const std::string& current,
                                        const std::string& start_folder = {});

}  // namespace qz::commands
