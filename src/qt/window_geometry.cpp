#include "qt/window_geometry.h"

#include "platform/files.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace qz::qt {

namespace {

constexpr uint64_t kMaxFileBytes = 4096;
constexpr int kSmallestSide = 200;
constexpr int kLargestSide = 100000;

std::string window_file(const std::string& program_folder) { return program_folder + kWindowFileName; }

// "key=value" lines; a value that is not a whole number leaves `value` alone and says so.
bool read_number(std::string_view text, std::string_view key, int& value) {
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=') {
            std::string_view number = line.substr(key.size() + 1);
            auto [rest, error] = std::from_chars(number.data(), number.data() + number.size(), value);
            return error == std::errc() && rest == number.data() + number.size();
        }
        at = end + 1;
    }
    return false;
}

// The screen that holds most of `frame`, or none when no screen shows any of it.
QScreen* screen_showing(const QRect& frame) {
    QScreen* best = nullptr;
    long long best_area = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect shared = screen->availableGeometry().intersected(frame);
        const long long area = static_cast<long long>(shared.width()) * shared.height();
        if (area > best_area) {
            best_area = area;
            best = screen;
        }
    }
    return best;
}

}  // namespace

std::string window_place_text(const WindowPlace& place) {
    char text[160];
    std::snprintf(text, sizeof text, "[window]\nx=%d\ny=%d\nwidth=%d\nheight=%d\nmaximized=%d\n", place.frame.x(),
                  place.frame.y(), place.frame.width(), place.frame.height(), place.maximized ? 1 : 0);
    return text;
}

std::optional<WindowPlace> parse_window_place(const std::string& text) {
    int x = 0, y = 0, width = 0, height = 0, maximized = 0;
    if (!read_number(text, "x", x) || !read_number(text, "y", y) || !read_number(text, "width", width) ||
        !read_number(text, "height", height))
        return std::nullopt;
    if (width < kSmallestSide || height < kSmallestSide || width > kLargestSide || height > kLargestSide ||
        x < -kLargestSide || x > kLargestSide || y < -kLargestSide || y > kLargestSide)
        return std::nullopt;
    read_number(text, "maximized", maximized);  // optional
    return WindowPlace{QRect(x, y, width, height), maximized == 1};
}

std::optional<WindowPlace> read_window_place(const std::string& program_folder) {
    const platform::FileContents file = platform::read_regular_file(window_file(program_folder), kMaxFileBytes);
    if (file.status != platform::ReadStatus::Ok) return std::nullopt;
    return parse_window_place(file.bytes);
}

bool write_window_place(const std::string& program_folder, const WindowPlace& place) {
    return platform::write_file_atomically(window_file(program_folder), window_place_text(place)) ==
           platform::WriteStatus::Ok;
}

void restore_window_place(QWidget& window, const std::string& program_folder, QSize preferred) {
    const std::optional<WindowPlace> kept = read_window_place(program_folder);
    QScreen* screen = kept ? screen_showing(kept->frame) : nullptr;
    if (kept && screen) {
        // A screen that became smaller keeps the whole window on it.
        const QRect room = screen->availableGeometry();
        QRect frame(kept->frame.topLeft(), kept->frame.size().boundedTo(room.size()));
        frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() - frame.width() + 1));
        frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() - frame.height() + 1));
        window.resize(frame.size());
        window.move(frame.topLeft());
        if (kept->maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return;
    }
    screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(preferred);
        return;
    }
    const QRect room = screen->availableGeometry();
    const QSize size = preferred.boundedTo(room.size());
    window.resize(size);
    window.move(room.center() - QPoint(size.width() / 2, size.height() / 2));
}

bool keep_window_place(const QWidget& window, const std::string& program_folder) {
    // The position is the frame's, as move() takes it; a maximized window keeps the size it returns to.
    const QRect frame = window.isMaximized() ? window.normalGeometry() : QRect(window.pos(), window.size());
    return write_window_place(program_folder, WindowPlace{frame, window.isMaximized()});
}

}  // namespace qz::qt
