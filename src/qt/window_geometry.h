// The window's size and place between runs, kept in "qzgui_window.ini" in the program folder (the
// settings file QZ.ini is the encoder's and gets no window keys). Written as a whole through the
// platform's file door, so a crash never leaves half a file.
#pragma once

#include <QRect>

#include <optional>
#include <string>

class QWidget;

namespace qz::qt {

inline constexpr const char* kWindowFileName = "qzgui_window.ini";

struct WindowPlace {
    QRect frame;  // the position of the window's frame and the size of its contents
    bool maximized = false;
};

// The text of the file and back; nothing when the text holds no complete, sensible place.
std::string window_place_text(const WindowPlace& place);
std::optional<WindowPlace> parse_window_place(const std::string& text);

// The place kept in `program_folder` (ending in a separator, or empty for the current folder).
std::optional<WindowPlace> read_window_place(const std::string& program_folder);
bool write_window_place(const std::string& program_folder, const WindowPlace& place);

// Puts the window where it was, kept inside the screens there are now; without a kept place it
// opens at `preferred` size (limited to the screen) in the middle of the primary screen.
void restore_window_place(QWidget& window, const std::string& program_folder, QSize preferred);
// Keeps where the window is now; false when the file could not be written.
bool keep_window_place(const QWidget& window, const std::string& program_folder);

}  // namespace qz::qt
