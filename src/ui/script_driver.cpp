#include "ui/script_driver.h"

#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

#include <charconv>
#include <cstring>

namespace qz::ui {

namespace {

// Splits "cmd a b rest..." one word at a time; `rest_after_one_blank` returns what follows the
// current position after exactly one blank (the TEXT argument, which may be empty or hold blanks).
class LineReader {
public:
    explicit LineReader(const std::string& line) : line_(line) {}

    std::string word() {
        while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t')) ++pos_;
        size_t start = pos_;
        while (pos_ < line_.size() && line_[pos_] != ' ' && line_[pos_] != '\t') ++pos_;
        return line_.substr(start, pos_ - start);
    }

    bool number(int& value) {
        std::string w = word();
        if (w.empty()) return false;
        const char* first = w.data();
        const char* last = w.data() + w.size();
        auto [end, ec] = std::from_chars(first, last, value);
        return ec == std::errc() && end == last;
    }

    std::string rest_after_one_blank() {
        if (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t')) ++pos_;
        return line_.substr(pos_);
    }

    bool at_end() {
        size_t p = pos_;
        while (p < line_.size() && (line_[p] == ' ' || line_[p] == '\t')) ++p;
        return p == line_.size();
    }

private:
    const std::string& line_;
    size_t pos_ = 0;
};

bool is_dialog_id(int dialog) { return dialog == dialog::kMainWindow || dialog::is_page(dialog); }

}  // namespace

ScriptDriver::ScriptDriver(Controls& controls, EventSink& sink, std::FILE* out, std::FILE* err)
    : controls_(controls), actions_(controls, sink), out_(out), err_(err) {
    controls_.set_observer(this);
}

ScriptDriver::~ScriptDriver() { controls_.set_observer(nullptr); }

void ScriptDriver::item_added(int dialog, int id, const std::string& text) {
    if (dialog == dialog::kMainWindow && id == main_window_ids::kMessageLog) {
        std::fprintf(out_, "log: %s\n", text.c_str());
        std::fflush(out_);
    }
}

Answer ScriptDriver::message_box(const std::string&, const std::string&, MessageKind kind) {
    Answer answer = Answer::Yes;  // a question with nothing queued is answered yes
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (kind != MessageKind::Question) return Answer::Ok;
    return answer;
}

std::optional<std::string> ScriptDriver::file_dialog(const FileDialogRequest& request) {
    if (files_.empty()) return std::nullopt;
    std::optional<std::string> choice = files_.front();
    files_.pop_front();
    if (choice) *choice = with_default_extension(*choice, request.default_extension);
    return choice;
}

std::optional<std::string> ScriptDriver::browse_folder(const std::string&) {
    if (files_.empty()) return std::nullopt;
    std::optional<std::string> choice = files_.front();
    files_.pop_front();
    return choice;
}

int ScriptDriver::run(std::istream& script, const ScriptHooks& hooks) {
    std::string line;
    int line_number = 0;
    bool quit = hooks.end_requested && hooks.end_requested();
    while (!quit && std::getline(script, line)) {
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        LineResult result = execute(line.substr(first), line_number, hooks);
        if (result == LineResult::Error) return 2;
        if (result == LineResult::Quit) quit = true;
        if (hooks.end_requested && hooks.end_requested()) quit = true;
    }
    // A script without quit ends as if it had one.
    if (!quit) actions_.click(dialog::kMainWindow, main_window_ids::kExitButton);
    std::fflush(out_);
    return 0;
}

ScriptDriver::LineResult ScriptDriver::fail(int line_number, const std::string& reason) {
    std::fflush(out_);
    std::fprintf(err_, "error: %d: %s\n", line_number, reason.c_str());
    std::fflush(err_);
    return LineResult::Error;
}

ScriptDriver::LineResult ScriptDriver::acted(ActionResult result, const std::string& line, int line_number) {
    if (result == ActionResult::Done) return LineResult::Ok;
    if (result == ActionResult::Ignored) {
        std::fprintf(out_, "ignored: %s\n", line.c_str());
        std::fflush(out_);
        return LineResult::Ok;
    }
    return fail(line_number, action_error_text(result));
}

ScriptDriver::LineResult ScriptDriver::execute(const std::string& line, int line_number, const ScriptHooks& hooks) {
    LineReader reader(line);
    std::string command = reader.word();

    if (command == "quit") {
        acted(actions_.click(dialog::kMainWindow, main_window_ids::kExitButton), line, line_number);
        return LineResult::Quit;
    }
    if (command == "wait") {
        if (hooks.wait_until_idle) hooks.wait_until_idle(600.0);
        return LineResult::Ok;
    }
    if (command == "answer") {
        std::string word = reader.word();
        if (word == "yes") answers_.push_back(Answer::Yes);
        else if (word == "no") answers_.push_back(Answer::No);
        else return fail(line_number, "answer takes yes or no");
        return LineResult::Ok;
    }
    if (command == "file") {
        std::string path = reader.rest_after_one_blank();
        if (path.empty()) files_.push_back(std::nullopt);
        else files_.push_back(path);
        return LineResult::Ok;
    }
    if (command == "tab") {
        int n = 0;
        if (!reader.number(n) || !reader.at_end()) return fail(line_number, "tab takes a number from 1 to 8");
        return acted(actions_.tab(n), line, line_number);
    }

    static const char* const control_commands[] = {"click", "type",  "enter", "leave", "pick",
                                                   "row",   "slide", "spin",  "show",  "items"};
    bool known = false;
    for (const char* c : control_commands) known = known || command == c;
    if (!known) return fail(line_number, "unknown command '" + command + "'");

    int dialog = 0, id = 0;
    if (!reader.number(dialog) || !reader.number(id)) return fail(line_number, "expected a dialog id and a control id");
    if (!is_dialog_id(dialog)) return fail(line_number, "unknown dialog id " + std::to_string(dialog));
    if (!controls_.exists(dialog, id))
        return fail(line_number, "unknown control id " + std::to_string(id) + " on dialog " + std::to_string(dialog));

    if (command == "type") return acted(actions_.type(dialog, id, reader.rest_after_one_blank()), line, line_number);
    if (command == "pick") return acted(actions_.pick(dialog, id, reader.rest_after_one_blank()), line, line_number);

    if (command == "row" || command == "slide" || command == "spin") {
        int n = 0;
        if (!reader.number(n) || !reader.at_end()) return fail(line_number, command + " takes a number");
        if (command == "row") return acted(actions_.row(dialog, id, n), line, line_number);
        if (command == "slide") return acted(actions_.slide(dialog, id, n), line, line_number);
        return acted(actions_.spin(dialog, id, n), line, line_number);
    }
    if (!reader.at_end()) return fail(line_number, "unexpected text after the control id");
    if (command == "click") return acted(actions_.click(dialog, id), line, line_number);
    if (command == "enter") return acted(actions_.enter(dialog, id), line, line_number);
    if (command == "leave") return acted(actions_.leave(dialog, id), line, line_number);
    if (command == "show") {
        show(dialog, id);
        return LineResult::Ok;
    }
    Kind kind = controls_.kind(dialog, id);
    if (kind != Kind::List && kind != Kind::Combo && kind != Kind::Tab)
        return fail(line_number, action_error_text(ActionResult::WrongKind));
    list_items(dialog, id);
    return LineResult::Ok;
}

void ScriptDriver::show(int dialog, int id) {
    ControlState s = controls_.snapshot(dialog, id);
    std::fprintf(out_, "show: %d %d kind=%s enabled=%d checked=%d text=\"%s\" pos=%d min=%d max=%d sel=%d count=%d\n",
                 dialog, id, kind_name(s.spec->kind), s.enabled ? 1 : 0, s.checked ? 1 : 0, s.text.c_str(), s.pos,
                 s.range_min, s.range_max, s.sel, static_cast<int>(s.items.size()));
    std::fflush(out_);
}

void ScriptDriver::list_items(int dialog, int id) {
    auto lock = controls_.hold();  // the listing is one block even while the scan adds log lines
    int count = controls_.item_count(dialog, id);
    controls_.visit_items(dialog, id, 0, count,
                          [&](int, const std::string& text) { std::fprintf(out_, "item: %s\n", text.c_str()); });
    std::fprintf(out_, "items: %d\n", count);
    std::fflush(out_);
}

}  // namespace qz::ui
