#include "commands/input_command.h"
#include "settings/gop_limits.h"

#include "input/input_kind.h"
#include "commands/input_open.h"
#include "commands/open_steps.h"
#include "platform/platform.h"
#include "pages/defaults.h"
#include "commands/window_refresh.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings2_page.h"

#include <cmath>

namespace qz::commands {

using ui::dialog::kMainPage;
using ui::dialog::kSettings2Page;
using ui::dialog::kZonesPage;
using namespace ui::main_page_ids;
using namespace ui::settings2_ids;

namespace {

void clear_zone_list(App& app) {
    app.settings.zones.count = 0;
    app.settings.zones.zones.fill({});
    app.controls.clear_items(kZonesPage, ui::zones_ids::kList);
}

void clear_frame_lists(App& app) {
    settings::clear_chapter_list(app);
    clear_zone_list(app);
    settings::clear_panscan_list(app);
}

bool open_by_kind(App& app) {
    if (app.video.kind.is_avs) {
        app.video.current_frame = 0;
        app.video.kind.project_version = 0;
        return input::open_avisynth_input(app) == input::OpenOutcome::opened;
    }
    if (app.video.kind.is_d2v) return input::open_d2v_input(app) == input::OpenOutcome::opened;
    return false;
}

// 23.976 fps material suits a GOP of 12, 25 fps material one of 15.
void suggest_automatic_gop_length(App& app) {
    const double rate = app.video.frame_rate;
    int length = 0;
    if (std::fabs(rate - 23.976) < 0.01) length = settings::gop::kDvdFilmLimit;
    else if (std::fabs(rate - 25.0) < 0.01) length = settings::gop::kDvdPalLimit;
    if (length == 0) return;
    app.controls.set_text(kMainPage, kAutoGopBox, std::to_string(length));
    app.controls.set_pos(kMainPage, kAutoGopSpin, length);
}

}  // namespace

void forget_previous_input(App& app) {
    input::forget_input(app);
    app.video.kind = input::InputKind{};
    input::dg_forget_project_library(app.bridges.dgdecode);
    input::refresh_main_page(app);
}

void open_chosen_input(App& app, const std::string& path) {
    // Whatever the new name turns out to be, nothing of the previous input stays: its caption,
    // video, validity and "encode" would otherwise outlive it.
    forget_previous_input(app);
    if (!platform::file_exists(path)) {
        app.log.add("input file not found");
    } else {
        app.settings.input_file = path;
        app.video.kind = input::classify_input(path, app.paths.dgdecode_folder);
        const input::InputKind kind = app.video.kind;
        const bool openable = kind.is_avs || kind.is_d2v;
        app.settings.set_given(settings::kInfile, openable);
        if (openable) {
            app.settings.set_given(settings::kFrames, false);
            app.log.add(kind.is_avs ? "AVS file opened" : "D2V project file opened");
        }
        const bool opened = open_by_kind(app);
        if (!kind.is_avs && !kind.sources_present) {
            forget_previous_input(app);
            clear_frame_lists(app);
            app.log.add("ERROR, invalid D2V project, can't find the VOB/MPEG files");
        } else if (!kind.is_avs && !kind.project_usable) {
            forget_previous_input(app);
            clear_frame_lists(app);
            app.log.add("ERROR, invalid D2V project, DGIndex/DGDecode mismatch");
        } else if (opened && app.settings.input_valid) {
            app.settings.set_given(settings::kInfile);
            clear_frame_lists(app);
            app.controls.select_item(kSettings2Page, kMpegLevelCombo, "AUTO");
        } else {
            forget_previous_input(app);
            clear_frame_lists(app);
        }
        app.controls.set_enabled(kMainPage, kOutputButton, true);
        app.controls.set_enabled(kMainPage, kLogButton, true);
    }
    refresh_file_captions(app, RefreshScope::Complete);
    suggest_automatic_gop_length(app);
}

void choose_input_command(App& app) {
    if (!app.dialogs) return;
    ui::FileDialogRequest request;
    request.title = "select input file";
    request.filter_text = "input files  (*.d2v, *.avs)";
    request.pattern = "*.d2v;*.avs";
    request.start_folder = ui::folder_of(app.settings.input_file);
    std::optional<std::string> chosen = app.dialogs->file_dialog(request);
    if (!chosen) return;  // the previous input and its video stay
    open_chosen_input(app, *chosen);
}

void open_input_named_by_settings(App& app) {
    if (!app.settings.is_given(settings::kInfile) || app.settings.input_file.empty()) {
        app.video.kind = input::InputKind{};  // a refused project's version must not reach "encode"
        return;
    }
    if (!open_by_kind(app)) forget_previous_input(app);
}

}  // namespace qz::commands
