// The Message log: a list box of the main window, the program's only running report.
// Safe to call from the scene-change worker: one message's pieces are added under the model's lock,
// so pieces of two messages never interleave.
#pragma once

#include "ui/controls.h"

#include <string_view>

namespace qz::ui {

class MessageLog {
public:
    static constexpr int kPieceLength = 99;

    explicit MessageLog(ui::Controls& controls) : controls_(controls) {}

    // Adds `text`, wrapped into 99-character pieces; trailing blanks and NULs are ignored, every
    // piece that more text follows ends in " ...", an all-blank message is one empty item.
    void add(std::string_view text);
    // With `clear`, the log ends up empty whatever the text (the clear comes after the add).
    void add_line(std::string_view text, bool clear);
    void clear();

    int line_count() const;

private:
    ui::Controls& controls_;
};

}  // namespace qz::ui
