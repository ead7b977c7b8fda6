// The folders of the encoder's intermediate files on the Settings 3 page: the lossless file and the
// QZ.dbs database file. A button's caption says whether its folder is set; the settings file names a
// folder only while its button says so.
#include "pages/settings3_parts.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings3_page.h"

#include <optional>
#include <string>

namespace qz::pages::settings3 {

using ui::dialog::kSettings3Page;
using namespace ui::settings3_ids;

namespace {

struct FolderButton {
    const char* asking;
    const char* title;
    const char* chosen;
    const char* set_caption;
};

constexpr FolderButton kLosslessFolder = {"select folder for intermediate lossless file", "Select folder for lossless file:",
                                          "folder selected for intermediate lossless file", "LL path (set)"};
constexpr FolderButton kDbFolder = {"select folder for intermediate DBS file", "Select folder for database file:",
                                    "folder selected for intermediate DBS file", "DB path (set)"};

}  // namespace

bool on_clear_paths(App& app) {
    app.log.add("clear file paths for lossless and database");
    app.settings.db_path.clear();
    app.settings.ll_path.clear();
    app.controls.set_text(kSettings3Page, kDbPathButton, "DB path (not set)");
    app.controls.set_text(kSettings3Page, kLosslessPathButton, "LL path (not set)");
    return true;
}

// A cancelled or refused choice keeps the folder and caption as they were.
bool on_folder_button(App& app, int button) {
    const bool lossless = button == kLosslessPathButton;
    const FolderButton& folder_button = lossless ? kLosslessFolder : kDbFolder;
    app.log.add(folder_button.asking);

    std::optional<std::string> folder;
    if (app.dialogs) folder = app.dialogs->browse_folder(folder_button.title);
    if (!folder || folder->empty()) {
        app.log.add("folder selection aborted...");
        return true;
    }
    // The settings file's path lines and the encoder's buffers hold at most this many characters.
    if (folder->size() > static_cast<size_t>(settings::kMaxPathLength)) {
        app.log.add("folder name too long, at most 512 characters");
        return true;
    }
    (lossless ? app.settings.ll_path : app.settings.db_path) = *folder;
    app.controls.set_text(kSettings3Page, button, folder_button.set_caption);
    app.log.add(folder_button.chosen);
    return true;
}

}  // namespace qz::pages::settings3
