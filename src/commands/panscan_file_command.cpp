#include "commands/panscan_file_command.h"

#include "commands/file_dialog.h"
#include "commands/window_refresh.h"
#include "settings/panscan_file.h"
#include "settings/settings_record.h"
#include "ui/ids/preview_pages.h"

#include <optional>

namespace qz::commands {

namespace {

// Both dialogs are open dialogs: with only "path must exist" asked for, an open dialog also takes the
// name of a file still to be made, which the export relies on.
std::optional<std::string> ask_for_panscan_file(App& app, const char* title) {
    return ask_for_file(app, {false, title, "text file    (*.txt)", "*.txt", "txt"}, app.panscan_file);
}

// The chosen name becomes the current pan-scan file; false (and nothing changed) when cancelled.
bool choose_file(App& app, const char* title, std::string& chosen) {
    std::optional<std::string> answer = ask_for_panscan_file(app, title);
    if (!answer || answer->empty()) return false;
    if (answer->size() > static_cast<size_t>(settings::kMaxPathLength)) {
        app.log.add("panscan file name too long, at most 512 characters");
        return false;
    }
    app.panscan_file = *answer;
    chosen = *answer;
    return true;
}

}  // namespace

void run_panscan_file_command(App& app, int control_id) {
    std::string path;
    if (control_id == ui::panscan_ids::kImport) {
        if (!choose_file(app, "import panscan file", path)) return;
        import_panscan_file(app, path);
    } else if (control_id == ui::panscan_ids::kExport) {
        if (app.settings.panscan.count <= 0) {
            app.log.add("no panscan positions in list");
            return;
        }
        if (!choose_file(app, "export panscan file", path)) return;
        export_panscan_file(app, path);
    } else {
        return;
    }
    refresh_file_captions(app, RefreshScope::PanScanImport);
}

bool import_panscan_file(App& app, const std::string& path) {
    const settings::PanScanRead read = settings::read_panscan_file(path, app.video.width, app.settings.panscan);
    if (read.status != settings::PanScanFileStatus::Ok) {
        app.log.add(settings::panscan_file_message(read.status));
        return false;
    }
    if (read.positions > settings::kPanScanCapacity) app.log.add(settings::kPanScanFileOverflowMessage);
    app.log.add("panscan file read");
    return true;
}

bool export_panscan_file(App& app, const std::string& path) {
    const settings::PanScanFileStatus status = settings::write_panscan_file(path, app.settings.panscan);
    if (status != settings::PanScanFileStatus::Ok) {
        app.log.add(settings::panscan_file_message(status));
        if (!settings::panscan_file_note(status).empty()) app.log.add(settings::panscan_file_note(status));
        return false;
    }
    app.log.add("panscan file written");
    return true;
}

}  // namespace qz::commands
