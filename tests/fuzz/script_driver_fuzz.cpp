// The headless driver's command reader on any script, run against the whole program as
// `qzgui --script` runs it: every line is read, and the lines that are commands act on the controls
// and reach the handlers. Each input gets a freshly started program whose program folder is a fresh
// folder of the fuzzer's own; every file chosen in a dialog is moved into that folder, so a script
// may save and load files but never touches one outside it.
#include "fuzz/fuzz_work_folder.h"
#include "shell/connections.h"
#include "commands/startup.h"
#include "ui/script_driver.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace qz;

// The last path component with only [A-Za-z0-9._-] kept; never empty, "." or "..".
std::string plain_file_name(const std::string& path) {
    std::string name;
    for (char c : path.substr(path.find_last_of('/') + 1)) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                     c == '_' || c == '-';
        if (plain) name += c;
    }
    if (name.empty() || name == "." || name == "..") name = "file";
    return name;
}

// The driver's answers, with every chosen file moved into the work folder and every chosen folder
// replaced by it.
class FolderBoundDialogs final : public ui::DialogHost {
public:
    FolderBoundDialogs(ui::ScriptDriver& driver, const std::string& folder) : driver_(driver), folder_(folder) {}

    ui::Answer message_box(const std::string& title, const std::string& text, ui::MessageKind kind) override {
        return driver_.message_box(title, text, kind);
    }
    std::optional<std::string> file_dialog(const ui::FileDialogRequest& request) override {
        std::optional<std::string> chosen = driver_.file_dialog(request);
        if (chosen) *chosen = folder_ + "/" + plain_file_name(*chosen);
        return chosen;
    }
    std::optional<std::string> browse_folder(const std::string& title) override {
        std::optional<std::string> chosen = driver_.browse_folder(title);
        if (chosen) *chosen = folder_;
        return chosen;
    }

private:
    ui::ScriptDriver& driver_;
    std::string folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::FILE* const discard = std::fopen("/dev/null", "w");
    const fuzz::WorkFolder folder("qz_script_driver_fuzz");
    if (folder.path().empty() || !discard) return 0;

    auto app = std::make_unique<App>();
    shell::ConnectionTable connections(*app);
    ui::ScriptDriver driver(app->controls, connections, discard, discard);
    FolderBoundDialogs dialogs(driver, folder.path());
    app->dialogs = &dialogs;
    commands::StartOptions options;
    options.home_folder = folder.path();
    commands::start_up(*app, options);

    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    ui::ScriptHooks hooks;
    hooks.end_requested = [&] { return app->end_requested.load(); };
    hooks.wait_until_idle = [](double) {};
    driver.run(script, hooks);
    commands::shut_down(*app);
    return 0;
}
