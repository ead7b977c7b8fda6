#include "commands/main_window.h"

#include "commands/encode_launch.h"
#include "commands/input_command.h"
#include "commands/settings_commands.h"
#include "commands/window_refresh.h"
#include "framelists/chapters_page.h"
#include "framelists/navigation.h"
#include "framelists/scene_scan.h"
#include "framelists/zones_page.h"
#include "input/input_kind.h"
#include "pages/settings_file_writer.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings2_page.h"

#include <charconv>
#include <cstdio>
#include <initializer_list>

namespace qz::commands {

namespace {

namespace dialog = ui::dialog;
namespace preview_ids = ui::preview_ids;
namespace chapters_ids = ui::chapters_ids;
namespace zones_ids = ui::zones_ids;
namespace panscan_ids = ui::panscan_ids;

constexpr int kChaptersTab = dialog::tab_of_page(dialog::kChaptersPage);

std::string frame_text(int frame) {
    char text[24];
    std::snprintf(text, sizeof text, "%8d", frame);
    return text;
}

// Leading blanks, then an optional sign and digits; anything else reads as 0.
int leading_integer(const std::string& text) {
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return 0;
    int value = 0;
    std::from_chars(text.data() + start, text.data() + text.size(), value);
    return value;
}

void enable_range(App& app, int dialog, int first, int last, bool enabled) {
    for (int id = first; id <= last; ++id)
        if (app.controls.exists(dialog, id)) app.controls.set_enabled(dialog, id, enabled);
}

bool video_has_frames(const App& app) { return app.settings.input_valid && app.video.frame_count >= 1; }

void show_matrix_tab(App& app) {
    if (leading_integer(app.controls.text(dialog::kSettings2Page, ui::settings2_ids::kLuminanceGainBox)) < 1) {
        app.controls.set_enabled(dialog::kMatrixPage, ui::matrix_ids::kAdaptiveMatrixCheck, true);
        return;
    }
    app.controls.set_enabled(dialog::kMatrixPage, ui::matrix_ids::kAdaptiveMatrixCheck, false);
    app.controls.set_checked(dialog::kMatrixPage, ui::matrix_ids::kAdaptiveMatrixCheck, false);
    app.log.add("luminance gain active, adaptive matrix disabled");
}

void show_chapters_tab(App& app) {
    bool usable = video_has_frames(app);
    enable_range(app, dialog::kChaptersPage, chapters_ids::kSetStartFrame, chapters_ids::kSceneChangeScan, usable);
    if (!usable) return;
    app.controls.set_text(dialog::kChaptersPage, preview_ids::kCurrentFrame, frame_text(app.video.current_frame));
    framelists::show_chapter_list(app);
}

void show_zones_tab(App& app) {
    bool usable = video_has_frames(app);
    enable_range(app, dialog::kZonesPage, preview_ids::kCurrentFrame, preview_ids::kCurrentFrame, usable);
    enable_range(app, dialog::kZonesPage, preview_ids::kStepBack, preview_ids::kSlider, usable);
    enable_range(app, dialog::kZonesPage, zones_ids::kFactor, zones_ids::kCreateBitmap, usable);
    if (!usable) return;
    app.controls.set_text(dialog::kZonesPage, preview_ids::kCurrentFrame, frame_text(app.video.current_frame));
    framelists::show_zone_list(app);
}

void show_panscan_tab(App& app) {
    bool usable = video_has_frames(app) && app.controls.checked(dialog::kMainPage, ui::main_page_ids::kAspectPanScanRadio);
    enable_range(app, dialog::kPanScanPage, preview_ids::kStepBack, preview_ids::kSlider, usable);
    for (int id : {preview_ids::kPanScanCurrentFrame, panscan_ids::kHorizontal, panscan_ids::kImport, panscan_ids::kExport,
                   panscan_ids::kClear, panscan_ids::kAdd, panscan_ids::kRemove, panscan_ids::kList, panscan_ids::kLeft,
                   panscan_ids::kRight})
        app.controls.set_enabled(dialog::kPanScanPage, id, usable);
    if (!usable) {
        app.log.add("PanScan not activated");
        return;
    }
    app.controls.set_text(dialog::kPanScanPage, preview_ids::kPanScanCurrentFrame, frame_text(app.video.current_frame));
    refill_panscan_list(app);
}

}  // namespace

void on_tab_change(App& app, const ui::Event&) {
    framelists::collect_finished_scan(app);
    if (app.scan_running) {
        app.controls.set_selected_tab(kChaptersTab);
        app.log.add("can't change tab while scene change detection scan is running");
        return;
    }
    switch (app.controls.selected_tab()) {
        case 2:
        case 3:
        case 4: settings::refresh_listing(app); break;
        case 5: show_matrix_tab(app); break;
        case 6: show_chapters_tab(app); break;
        case 7: show_zones_tab(app); break;
        case 8: show_panscan_tab(app); break;
        default: break;
    }
    // A shown preview page gets its picture at once; when that fails the next mouse press tries again.
    if (app.controls.selected_tab() >= kChaptersTab)
        app.preview_refresh_pending = !framelists::refresh_current_frame(app);
}

void refresh_preview_on_press(App& app) {
    if (!app.preview_refresh_pending || app.scan_running) return;
    framelists::refresh_current_frame(app);
    app.preview_refresh_pending = false;
}

bool open_dropped_file(App& app, const std::string& path) {
    if (input::has_extension(path, ".ini")) {
        app.settings.user_settings_path = path;
        load_settings_file(app, true);
        return true;
    }
    if (input::has_extension(path, ".avs") || input::has_extension(path, ".d2v")) {
        open_chosen_input(app, path);
        return true;
    }
    return false;
}

void on_about(App& app, const ui::Event&) {
    if (!app.dialogs) return;
    app.dialogs->message_box(kAboutTitle,
                             "QZgui 0.28, the front end of the QZenc MPEG-2 encoder\n"
                             "encoder release 0.28.0.2, build 21/12/2015",
                             ui::MessageKind::Information);
}

void on_encode(App& app, const ui::Event&) { run_encode(app); }

void on_exit(App& app, const ui::Event&) { request_end(app); }

void request_end(App& app) { app.end_requested = true; }

}  // namespace qz::commands
