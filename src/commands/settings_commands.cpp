#include "commands/settings_commands.h"

#include "commands/open_steps.h"
#include "platform/platform.h"
#include "pages/defaults.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "commands/input_command.h"
#include "commands/window_refresh.h"

namespace qz::commands {

namespace {

// Asks for the user settings file; false when the user cancels (the current name stays).
bool choose_user_settings_file(App& app, bool save) {
    if (!app.dialogs) return false;
    std::optional<std::string> chosen = app.dialogs->file_dialog(settings_file_dialog(app, save));
    if (!chosen) return false;
    app.settings.user_settings_path = *chosen;
    return true;
}


// Before the file is read the loaded input stops counting: an input the file names but that is
// refused, or none at all, leaves "-" on the Main page rather than the old video's frames, size and
// rate, and a project of the file opens through its own DGDecode library. (The last video's size
// and rate stay in the Video source; the refresh after the load reads them.)
void forget_loaded_input(App& app) {
    app.video.kind = input::InputKind{};
    app.video.open = false;
    app.settings.input_valid = false;
    input::dg_forget_project_library(app.bridges.dgdecode);
    input::refresh_main_page(app);
}

}  // namespace

ui::FileDialogRequest settings_file_dialog(const App& app, bool save) {
    ui::FileDialogRequest request;
    request.save = save;
    request.title = save ? "save ini file" : "select ini file";
    request.filter_text = "ini file     (*.ini)";
    request.pattern = "*.ini";
    request.default_extension = "ini";
    request.start_name = app.settings.user_settings_path;
    request.start_folder = ui::folder_of(app.settings.user_settings_path);
    return request;
}

void load_settings_command(App& app, bool user_file) {
    if (user_file && !choose_user_settings_file(app, false)) return;
    load_settings_file(app, user_file);
}

void load_settings_file(App& app, bool user_file) {
    forget_loaded_input(app);
    settings::reset_to_defaults(app);
    settings::read_settings_file(app, user_file ? settings::kUserSettingsFile : settings::kDefaultSettingsFile);
    settings::apply_record_to_pages(app);
    open_input_named_by_settings(app);
    refresh_file_captions(app, RefreshScope::SettingsRead);
    settings::refresh_listing(app);  // the listing shows what was just loaded
}

void save_settings_command(App& app, bool user_file) {
    if (user_file && !choose_user_settings_file(app, true)) return;
    settings::write_settings_file(app, user_file ? settings::kUserSettingsFile : settings::kDefaultSettingsFile);
}

}  // namespace qz::commands
