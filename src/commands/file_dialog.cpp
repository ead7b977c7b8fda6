#include "commands/file_dialog.h"

namespace qz::commands {

std::optional<std::string> ask_for_file(App& app, const FileDialogSpec& spec, const std::string& current,
                                        const std::string& start_folder) {
    if (!app.dialogs) return std::nullopt;
    ui::FileDialogRequest request;
    request.save = spec.save;
    request.title = spec.title;
    request.filter_text = spec.filter_text;
    request.pattern = spec.pattern;
    request.default_extension = spec.default_extension;
    request.start_name = current;
    request.start_folder = start_folder.empty() ? ui::folder_of(current) : start_folder;
    return app.dialogs->file_dialog(request);
}

}  // namespace qz::commands
