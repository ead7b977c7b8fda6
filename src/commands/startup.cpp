#include "commands/startup.h"
#include "framelists/scene_scan.h"
#include "pages/input_checks.h"

#include "input/avisynth_lookup.h"
#include "commands/input_open.h"
#include "matrices/matrix_tables.h"
#include "pages/defaults.h"
#include "pages/settings_file_reader.h"
#include "commands/input_command.h"
#include "commands/window_refresh.h"
#include "commands/main_window.h"

namespace qz::commands {

int check_processor(App& app, const platform::CpuFeatureWords& words, void (*pause_ms)(int)) {
    int level = cpu_level_from(words);
    if (level == 0) {
        app.log.add("no MMX/ISSE detected, aborting...");
        pause_ms(5000);
        request_end(app);
    }
    return level;
}

void start_up(App& app, const StartOptions& options) {
    input::locate_avisynth(app);
    app.processors = platform::read_processor_count();
    matrices::initialise_custom_matrix(app.settings);
    app.cpu_level = check_processor(app, platform::cpu_feature_words());
    app.log.add_line("", true);
    app.log.add("initialize...");
    if (!app.avisynth_installed) app.log.add("Warning, Avisynth not installed");
    app.paths = platform::discover_program(options.home_folder);
    app.settings.default_settings_path = app.paths.default_settings_file;
    settings::reset_to_defaults(app);
    settings::read_settings_file(app, settings::kDefaultSettingsFile);
    settings::apply_record_to_pages(app);
    open_input_named_by_settings(app);
    refresh_file_captions(app, RefreshScope::SettingsRead);
    app.preview_refresh_pending = false;
}

void shut_down(App& app) {
    framelists::abort_scene_scan_on_exit(app);
    input::close_inputs(app);
}

}  // namespace qz::commands
