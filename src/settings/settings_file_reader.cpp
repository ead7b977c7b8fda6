#include "settings/settings_file_reader.h"

#include "input/input_kind.h"
#include "platform/platform.h"
#include "settings/defaults.h"

#include <cstdio>
#include <string>

namespace qz::settings {

namespace {

constexpr int kMainPage = 103;
constexpr int kInputButton = 1110;
constexpr const char* kNoInputCaption = "input file name (*.d2v, *.avs)";

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
    if (report.panscan_cut) {
        app.log.add("ini file lists " + std::to_string(report.panscan_entries_in_file) +
                    " PanScan entries, only the first " + std::to_string(kPanScanCapacity) + " loaded");
    }
    app.log.add(which == kDefaultSettingsFile ? "QZ.ini successfully processed" : "USER ini file successfully processed");
    if (report.input == InputOutcome::SourcesMissing || report.input == InputOutcome::VersionMismatch) {
        app.log.add(report.input == InputOutcome::SourcesMissing
                        ? "ERROR, invalid D2V project, can't find the VOB/MPEG files"
                        : "ERROR, invalid D2V project, DGIndex/DGDecode mismatch");
    }
    if (report.input == InputOutcome::NotNamed || report.input == InputOutcome::NotFound)
        app.log.add("WARNING, input file not found");
}

}  // namespace

void read_settings_file(App& app, int which) {
    Settings& record = app.settings;
    forget_file_names(record);
    reset_to_defaults(app);
    clear_chapter_list(app);
    clear_panscan_list(app);

    const std::string& path = which == kDefaultSettingsFile ? record.default_settings_path : record.user_settings_path;
    if (which == kDefaultSettingsFile && !platform::file_exists(path)) {
        app.log.add("QZ.ini not found, using default GUI settings");
        return;
    }
    std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    if (!file) {
        record.clear_given();
        app.log.add("error openening ini file");
        return;
    }
    FileLineReader lines(file);
    ProgramEnvironment environment(app);
    ReadReport report = parse_settings(lines, record, environment);
    std::fclose(file);

    if (report.input_rejected) app.controls.set_text(kMainPage, kInputButton, kNoInputCaption);
    if (report.read_error) {
        record.clear_given();
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
