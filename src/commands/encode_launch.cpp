#include "commands/encode_launch.h"

#include "commands/avisynth_session.h"
#include "commands/open_steps.h"
#include "platform/platform.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "commands/main_window.h"
#include "commands/time_texts.h"
#include "commands/window_refresh.h"
#include "framelists/navigation.h"

#include <string>

namespace qz::commands {

namespace {

// Asks before the encoder overwrites an existing output; the file itself is never deleted here.
bool may_overwrite_output(App& app) {
    const std::string& output = app.settings.output_file;
    if (output.empty() || !platform::file_exists(output)) return true;
    ui::Answer answer = app.dialogs ? app.dialogs->message_box(kMessageTitle, "m2v output file already exists, OVERWRITE ?",
                                                               ui::MessageKind::Question)
                                    : ui::Answer::Yes;
    if (answer == ui::Answer::Yes) return true;
    app.log.add("please rename outputfile");
    return false;
}

// The encoder loads "DGDecode.dll" from its own folder: a copy of the library of the project's version.
void prepare_dgdecode_copy(App& app) {
    if (app.video.kind.project_version < 1) return;
    platform::delete_file(app.paths.working_dgdecode_copy);
    if (!platform::copy_file(app.video.kind.dgdecode_library, app.paths.working_dgdecode_copy))
        app.log.add("WARNING, can't copy " + app.video.kind.dgdecode_library + " to " + app.paths.working_dgdecode_copy);
    platform::sleep_ms(500);
}

// Runs the encoder with the window hidden; reports the two time lines and how it ended.
void run_encoder_process(App& app) {
    std::optional<platform::ProcessId> process =
        platform::start_process(app.paths.encoder_file, app.paths.program_folder);
    if (!process) {
        app.log.add("failed to start encoding, can't create process");
        return;
    }
    const std::string started_at = clock_text(platform::local_time_of_day());
    const double started = platform::monotonic_seconds();
    if (app.dialogs) app.dialogs->hide_main_window();
    platform::ProcessResult result = platform::wait_process(*process);
    if (app.dialogs) app.dialogs->restore_main_window();
    const double finished = platform::monotonic_seconds();
    const std::string finished_at = clock_text(platform::local_time_of_day());

    app.log.add("encoding started at: " + started_at + ",  finished at: " + finished_at);
    app.log.add("encoding time: " + duration_text(finished - started));
    // The encoder's own log says why; this only keeps a crash from looking like a finished encode.
    if (!result.exited_normally) app.log.add("WARNING, encoder ended abnormally");
    else if (result.exit_code != 0) app.log.add("WARNING, encoder ended with exit code " + std::to_string(result.exit_code));
}

void reopen_script_after_encode(App& app) {
    if (!app.video.kind.is_avs) return;
    if (input::reopen_avisynth_script(app)) {
        app.log.add("Avisynth successfully reinitialized");
        app.settings.input_valid = true;
    } else {
        app.log.add("error reloading Avisynth script");
        app.settings.input_valid = false;
        app.video.open = false;  // no frames until a new input is opened
    }
    // Whichever way it went, "encode", the captions and the movie information follow the input's
    // validity: no second encode of a script that could not be reopened.
    refresh_file_captions(app, RefreshScope::FileCaptions);
    input::refresh_main_page(app);
}

}  // namespace

void run_encode(App& app) {
    if (app.scan_running) {
        app.log.add("can't start encode while scene change detection scan is running");
        return;
    }
    if (!may_overwrite_output(app)) return;
    prepare_dgdecode_copy(app);
    settings::write_settings_file(app, settings::kDefaultSettingsFile);
    if (!app.settings.write_completed) {
        app.log.add("can't start encode...");
        return;
    }
    if (!platform::file_exists(app.paths.encoder_file)) {
        app.log.add("encoder " + app.paths.encoder_file + " NOT found");
        return;
    }
    if (app.video.kind.is_avs) {
        input::release_avisynth(app);
        platform::sleep_ms(100);
    }
    run_encoder_process(app);
    platform::delete_file(app.paths.working_dgdecode_copy);
    reopen_script_after_encode(app);
    framelists::show_first_frame(app);
}

}  // namespace qz::commands
