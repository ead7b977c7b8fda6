#include "shell/headless.h"

#include "framelists/scene_scan.h"

#include "platform/files.h"
#include "shell/connections.h"
#include "ui/script_driver.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <streambuf>

namespace qz::shell {

namespace {

// A script file is read as it comes, like standard input, so a harness may also hand us a pipe and
// feed it line by line. The limit only refuses what cannot be a script.
constexpr uint64_t kMaxScriptBytes = uint64_t{256} << 20;

// The script driver reads a std::istream; this one takes its bytes from the opened file.
class ScriptFileBuffer final : public std::streambuf {
public:
    explicit ScriptFileBuffer(platform::FileReader& file) : file_(file) {}

protected:
    int_type underflow() override {
        size_t got = file_.read(buffer_, sizeof buffer_);
        if (got == 0) return traits_type::eof();
        setg(buffer_, buffer_, buffer_ + got);
        return traits_type::to_int_type(buffer_[0]);
    }

private:
    platform::FileReader& file_;
    char buffer_[4096];
};

// The reason after "error: 0: " when the script cannot be opened.
std::string open_failure(platform::ReadStatus status, const std::string& script_file) {
    switch (status) {
        case platform::ReadStatus::NotRegularFile:
            return "script '" + script_file + "' is not a regular file or pipe (use - for standard input)";
        case platform::ReadStatus::TooLarge: return "script '" + script_file + "' is larger than 256 MB";
        default: return "cannot open script '" + script_file + "'";
    }
}

// `wait`: until the scene-change scan has ended, then its worker is joined.
void wait_for_scan(App& app, double max_seconds) {
    const double deadline = platform::monotonic_seconds() + max_seconds;
    while (app.scan_running && platform::monotonic_seconds() < deadline) platform::sleep_ms(10);
    framelists::collect_finished_scan(app);
}

}  // namespace

int run_script(const std::string& script_file, const commands::StartOptions& options) {
    platform::FileReader file;
    ScriptFileBuffer buffer(file);
    std::istream from_file(&buffer);
    std::istream* script = &std::cin;
    if (script_file != "-") {
        platform::ReadStatus opened = file.open(script_file, kMaxScriptBytes, platform::AcceptedFiles::RegularOrPipe);
        if (opened != platform::ReadStatus::Ok) {
            std::fprintf(stderr, "error: 0: %s\n", open_failure(opened, script_file).c_str());
            return 2;
        }
        script = &from_file;
    }

    auto app = std::make_unique<App>();
    ConnectionTable connections(*app);
    ui::ScriptDriver driver(app->controls, connections, stdout, stderr);
    app->dialogs = &driver;

    commands::start_up(*app, options);

    ui::ScriptHooks hooks;
    hooks.end_requested = [&] { return app->end_requested.load(); };
    hooks.wait_until_idle = [&](double max_seconds) { wait_for_scan(*app, max_seconds); };
    int status = driver.run(*script, hooks);
    commands::shut_down(*app);
    return status;
}

}  // namespace qz::shell
