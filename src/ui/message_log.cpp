#include "ui/message_log.h"

#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

#include <string>

namespace qz::ui {

namespace {

bool is_blank_or_nul(char c) { return c == ' ' || c == '\0'; }

std::string_view trim_trailing(std::string_view text) {
    size_t n = text.size();
    while (n > 0 && is_blank_or_nul(text[n - 1])) --n;
    return text.substr(0, n);
}

}  // namespace

void MessageLog::add(std::string_view text) {
    text = trim_trailing(text);
    auto lock = controls_.hold();
    if (text.empty()) {
        controls_.add_item(dialog::kMainWindow, main_window_ids::kMessageLog, std::string());
        return;
    }
    for (size_t start = 0; start < text.size(); start += kPieceLength) {
        std::string_view piece = text.substr(start, kPieceLength);
        bool more_follows = start + kPieceLength < text.size();
        std::string item(trim_trailing(piece));
        if (more_follows) item += " ...";
        controls_.add_item(dialog::kMainWindow, main_window_ids::kMessageLog, std::move(item));
    }
}

void MessageLog::add_line(std::string_view text, bool clear_after) {
    // Adding and then clearing leaves the same empty log as clearing alone, and adds no line.
    if (clear_after) {
        clear();
        return;
    }
    add(text);
}

void MessageLog::clear() { controls_.clear_items(dialog::kMainWindow, main_window_ids::kMessageLog); }

int MessageLog::line_count() const { return controls_.item_count(dialog::kMainWindow, main_window_ids::kMessageLog); }

}  // namespace qz::ui
