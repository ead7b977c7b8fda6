// The headless script driver: runs a script of user actions against the control model, answers
// dialogs from its queues and prints every Message log line. Its syntax is a fixed contract that
// outside tests rely on.
#pragma once

#include "ui/controls.h"
#include "ui/dialog_host.h"
#include "ui/events.h"
#include "ui/user_actions.h"

#include <cstdio>
#include <deque>
#include <functional>
#include <istream>
#include <optional>
#include <string>

namespace qz::ui {

struct ScriptHooks {
    // True once the program has been asked to end (the exit button, a failed processor check).
    std::function<bool()> end_requested;
    // Blocks until no scene-change scan runs, at most `max_seconds`.
    std::function<void(double max_seconds)> wait_until_idle;
};

class ScriptDriver final : public DialogHost, public ControlObserver {
public:
    ScriptDriver(Controls& controls, EventSink& sink, std::FILE* out, std::FILE* err);
    ~ScriptDriver() override;

    // Runs the script; returns the exit status (0, or 2 after the first line that cannot be executed).
    int run(std::istream& script, const ScriptHooks& hooks);

    // DialogHost: answered from the queues filled by `answer` and `file`.
    Answer message_box(const std::string& title, const std::string& text, MessageKind kind) override;
    std::optional<std::string> file_dialog(const FileDialogRequest& request) override;
    std::optional<std::string> browse_folder(const std::string& title) override;

    // ControlObserver: prints the Message log's new lines.
    void control_changed(int, int) override {}
    void item_added(int dialog, int id, const std::string& text) override;

private:
    enum class LineResult { Ok, Quit, Error };
    LineResult execute(const std::string& line, int line_number, const ScriptHooks& hooks);
    LineResult fail(int line_number, const std::string& reason);
    LineResult acted(ActionResult result, const std::string& line, int line_number);
    void show(int dialog, int id);
    void list_items(int dialog, int id);

    Controls& controls_;
    UserActions actions_;
    std::FILE* out_;
    std::FILE* err_;
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> files_;
};

}  // namespace qz::ui
