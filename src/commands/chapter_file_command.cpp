#include "commands/chapter_file_command.h"

#include "commands/file_dialog.h"
#include "commands/window_refresh.h"
#include "platform/files.h"
#include "settings/chapter_file.h"
#include "settings/chapter_list.h"
#include "ui/ids/preview_pages.h"

#include <optional>

namespace qz::commands {

namespace {

struct CommandDialog {
    int control_id;
    commands::FileDialogSpec spec;
};

constexpr CommandDialog kDialogs[] = {
    {ui::chapters_ids::kImport, {false, "import chapter file", "text file    (*.txt, *.eds_chpt)", "*.txt;*.eds_chpt", "txt"}},
    {ui::chapters_ids::kExport, {true, "export chapter file", "text file    (*.txt)", "*.txt", "txt"}},
};

const CommandDialog* dialog_of(int control_id) {
    for (const CommandDialog& d : kDialogs)
        if (d.control_id == control_id) return &d;
    return nullptr;
}

std::optional<std::string> ask_for_chapter_file(App& app, const CommandDialog& d) {
    return ask_for_file(app, d.spec, app.chapter_file);
}

// The Message log line for a file that could not be read; empty when it was read.
const char* unread_file_message(platform::ReadStatus status) {
    switch (status) {
        case platform::ReadStatus::Ok: return "";
        case platform::ReadStatus::NotFound:
        case platform::ReadStatus::CannotOpen: return "error opening chapter file";
        case platform::ReadStatus::NotRegularFile: return "chapter file not read, not a regular file";
        case platform::ReadStatus::TooLarge: return "chapter file not read, larger than 64 MB";
        case platform::ReadStatus::ReadFailed: break;
    }
    return settings::kChapterReadFailedText;
}

void report_write_failure(App& app, platform::WriteStatus status) {
    switch (status) {
        case platform::WriteStatus::Ok: return;
        case platform::WriteStatus::CannotCreate: app.log.add("error opening chapter file"); return;
        case platform::WriteStatus::TargetNotRegularFile: app.log.add("chapter file not written, not a regular file"); return;
        case platform::WriteStatus::DiskFull:
            app.log.add("error writing chapter file");
            app.log.add("nothing on disk was changed, the disk is full");
            return;
        case platform::WriteStatus::WriteFailed:
        case platform::WriteStatus::ReplaceFailed: break;
    }
    app.log.add("error writing chapter file");
    app.log.add("nothing on disk was changed");
}

}  // namespace

void run_chapter_file_command(App& app, int control_id) {
    const CommandDialog* d = dialog_of(control_id);
    if (!d) return;
    if (d->spec.save && app.settings.chapters.count <= 0) {
        app.log.add("no chapters in list");
        return;
    }
    std::optional<std::string> chosen = ask_for_chapter_file(app, *d);
    if (!chosen || chosen->empty()) return;  // cancelled: the name stays as it was
    if (chosen->size() > static_cast<size_t>(settings::kMaxPathLength)) {
        app.log.add("chapter file name too long, at most 512 characters");
        return;
    }
    app.chapter_file = *chosen;
    if (d->spec.save) {
        export_chapter_file(app, *chosen);
    } else {
        import_chapter_file(app, *chosen);
    }
}

bool import_chapter_file(App& app, const std::string& path) {
    platform::FileContents file = platform::read_regular_file(path, settings::kMaxChapterFileBytes);
    // Only a file that could be read replaces the list: a mistyped name costs no chapters.
    if (file.status != platform::ReadStatus::Ok) {
        app.log.add(unread_file_message(file.status));
        return false;
    }
    settings::ChapterList& list = app.settings.chapters;
    const settings::ChapterFileRead read = settings::parse_chapter_file(file.bytes, list);
    for (const std::string& line : read.log_lines) app.log.add(line);
    // The list keeps no chapter beyond the open video. Without one every chapter above frame 0 would
    // go, so the list stays as read until a video is open.
    if (read.ok && app.settings.input_valid && app.video.frame_count > 0) {
        const int32_t removed = settings::trim_chapters_beyond(list, app.video.frame_count);
        if (removed > 0) app.log.add("WARNING, " + std::to_string(removed) + " chapters removed, out of range");
    }
    refresh_file_captions(app, RefreshScope::ChapterImport);
    return read.ok;
}

bool export_chapter_file(App& app, const std::string& path) {
    const platform::WriteStatus status =
        platform::write_file_atomically(path, settings::format_chapter_file(app.settings.chapters));
    if (status != platform::WriteStatus::Ok) {
        report_write_failure(app, status);
        return false;
    }
    app.log.add("chapter file written");
    return true;
}

}  // namespace qz::commands
