// Requests for the user's decision: message boxes, file dialogs, the folder browser. The Qt window
// shows real dialogs; the script driver answers from its queue.
#pragma once

#include <optional>
#include <string>

namespace qz::ui {

enum class MessageKind { Information, Warning, Error, Question };
enum class Answer { Ok, Yes, No };

struct FileDialogRequest {
    bool save = false;              // save dialog (else open)
    std::string title;
    std::string filter_text;        // e.g. "settings file  (*.ini)"
    std::string pattern;            // e.g. "*.ini"
    std::string default_extension;  // appended to a typed name that has none
    std::string start_name;         // current file name of that kind, may be empty
    std::string start_folder;       // folder to open in, may be empty
};

class DialogHost {
public:
    virtual ~DialogHost() = default;
    // A question returns Yes or No; the other kinds return Ok.
    virtual Answer message_box(const std::string& title, const std::string& text, MessageKind kind) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> file_dialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> browse_folder(const std::string& title) = 0;

    // The main window is hidden while the encoder runs and restored afterwards.
    virtual void hide_main_window() {}
    virtual void restore_main_window() {}
};

// Applies the default-extension rule of the file dialogs: a chosen name whose last path component has
// no extension gets ".ext" appended.
std::string with_default_extension(const std::string& path, const std::string& extension);

// The folder of a file name, up to and including its last separator; empty when it has none. A
// dialog opens there.
std::string folder_of(const std::string& path);

}  // namespace qz::ui
