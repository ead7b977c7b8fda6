#include "commands/file_commands.h"

#include "commands/chapter_file_command.h"
#include "commands/file_dialog.h"
#include "commands/input_command.h"
#include "commands/matrix_file_command.h"
#include "commands/panscan_file_command.h"
#include "commands/settings_commands.h"
#include "commands/window_refresh.h"
#include "platform/platform.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"

namespace qz::commands {

namespace {

// The output and log dialogs. A name typed without extension gets the extension of the files the
// dialog lists (".m2v", ".log"), so the encoder writes the stream and log the user meant.
std::optional<std::string> choose(App& app, const char* title, const char* filter, const char* pattern,
                                  const char* extension, const std::string& current) {
    return ask_for_file(app, {false, title, filter, pattern, extension}, current);
}

void choose_output(App& app) {
    auto chosen = choose(app, "select output file", "output files (*.m2v)", "*.m2v", "m2v", app.settings.output_file);
    if (!chosen) return;
    app.settings.output_file = *chosen;
    app.settings.set_given(settings::kOutfile);
    app.settings.output_chosen = true;
    refresh_file_captions(app, RefreshScope::FileCaptions);
}

void choose_log(App& app) {
    auto chosen = choose(app, "select log file", "log files    (*.log)", "*.log", "log", app.settings.log_file);
    if (!chosen) return;
    app.settings.log_file = *chosen;
    app.settings.set_given(settings::kLogfile);
    refresh_file_captions(app, RefreshScope::FileCaptions);
}

void main_page_file_command(App& app, int id) {
    namespace main_page_ids = ui::main_page_ids;
    switch (id) {
        case main_page_ids::kInputButton: choose_input_command(app); break;
        case main_page_ids::kOutputButton: choose_output(app); break;
        case main_page_ids::kLogButton: choose_log(app); break;
        case main_page_ids::kLoadIniButton: load_settings_command(app, true); break;
        case main_page_ids::kSaveIniButton: save_settings_command(app, true); break;
        case main_page_ids::kLoadQzIniButton: load_settings_command(app, false); break;
        case main_page_ids::kSaveQzIniButton: save_settings_command(app, false); break;
        default: break;
    }
}

}  // namespace

void on_file_command(App& app, const ui::Event& event) {
    if (event.kind != ui::EventKind::Clicked) return;
    switch (event.dialog) {
        case ui::dialog::kMainPage: main_page_file_command(app, event.id); break;
        case ui::dialog::kMatrixPage:
            if (event.id >= ui::matrix_ids::kLoadButton && event.id <= ui::matrix_ids::kSaveCqmButton)
                matrices::run_matrix_file_command(app, event.id);
            break;
        case ui::dialog::kChaptersPage: run_chapter_file_command(app, event.id); break;
        case ui::dialog::kPanScanPage: run_panscan_file_command(app, event.id); break;
        default: break;
    }
}

}  // namespace qz::commands
