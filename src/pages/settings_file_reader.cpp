#include "pages/settings_file_reader.h"

#include "input/input_kind.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "pages/defaults.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

#include <string>

namespace qz::settings {

using ui::dialog::kMainPage;
using namespace ui::main_page_ids;

namespace {

constexpr const char* kNoInputCaption = "input file name (*.d2v, *.avs)";
// A file with the full 640000 chapters, 6400 zones and 6400 pan-scan entries is under 10 MB; anything
// far larger is no settings file.
constexpr uint64_t kMaxSettingsFileBytes = 64u << 20;

// The reader's file checks: existence, and the input kind detection whose results the program keeps.
class ProgramEnvironment final : public ReaderEnvironment {
public:
    explicit ProgramEnvironment(App& app) : app_(app) {}

    bool file_exists(const std::string& path) override { return platform::file_exists(path); }

    InputOutcome check_input(const std::string& path) override {
        input::InputKind& kind = app_.video.kind;
        kind = input::classify_input(path, app_.paths.dgdecode_folder);
        if (!kind.sources_present) return InputOutcome::SourcesMissing;
        if (!kind.project_usable) return InputOutcome::VersionMismatch;
        return InputOutcome::Accepted;
    }

private:
    App& app_;
};

void forget_file_names(Settings& record) {
    record.input_file.clear();
    record.output_file.clear();
    record.log_file.clear();
    record.input_exists = record.output_exists = record.log_exists = false;
    record.clear_given();
    record.panscan.on = false;
    record.values.one_pass_vbr = false;
    record.values.psnr = false;
}

void report_outcome(App& app, int which, const ReadReport& report) {
    for (const std::string& line : list_count_lines(report)) app.log.add(line);
    app.log.add(which == kDefaultSettingsFile ? "QZ.ini successfully processed" : "USER ini file successfully processed");
    if (report.input == InputOutcome::SourcesMissing || report.input == InputOutcome::VersionMismatch) {
        app.log.add(report.input == InputOutcome::SourcesMissing
                        ? "ERROR, invalid D2V project, can't find the VOB/MPEG files"
                        : "ERROR, invalid D2V project, DGIndex/DGDecode mismatch");
    }
    if (report.input == InputOutcome::NotNamed || report.input == InputOutcome::NotFound)
        app.log.add("WARNING, input file not found");
}

// The Message log line for a settings file that could not be opened as one.
void report_unreadable_file(App& app, int which, platform::ReadStatus status, const std::string& path) {
    switch (status) {
        case platform::ReadStatus::NotFound:
            app.log.add(which == kDefaultSettingsFile ? "QZ.ini not found, using default GUI settings" : "error openening ini file");
            return;
        case platform::ReadStatus::NotRegularFile:
            app.log.add("ini file not read, not a regular file: " + path);
            return;
        case platform::ReadStatus::TooLarge:
            app.log.add("ini file not read, larger than 64 MB: " + path);
            return;
        case platform::ReadStatus::ReadFailed: app.log.add("error processing ini file:"); return;
        case platform::ReadStatus::CannotOpen:
        case platform::ReadStatus::Ok: break;
    }
    app.log.add("error openening ini file");
}

}  // namespace

void read_settings_file(App& app, int which) {
    Settings& record = app.settings;
    forget_file_names(record);
    reset_to_defaults(app);
    clear_chapter_list(app);
    clear_panscan_list(app);

    const std::string& path = which == kDefaultSettingsFile ? record.default_settings_path : record.user_settings_path;
    platform::FileReader file;
    platform::ReadStatus opened = file.open(path, kMaxSettingsFileBytes);
    if (opened != platform::ReadStatus::Ok) {
        record.clear_given();
        report_unreadable_file(app, which, opened, path);
        return;
    }
    FileLineReader lines(file);
    ProgramEnvironment environment(app);
    ReadReport report = parse_settings(lines, record, environment);
    platform::ReadStatus ended = file.status();
    file.close();

    if (report.input_rejected) app.controls.set_text(kMainPage, kInputButton, kNoInputCaption);
    if (report.read_error) {
        record.clear_given();
        if (ended == platform::ReadStatus::TooLarge)
            report_unreadable_file(app, which, ended, path);  // it grew past the limit while being read
        else
            app.log.add("error processing ini file:");
        return;
    }
    report_outcome(app, which, report);
}

ReadReport read_settings_text(App& app, std::string_view text) {
    TextLineReader lines(text);
    ProgramEnvironment environment(app);
    return parse_settings(lines, app.settings, environment);
}

}  // namespace qz::settings
