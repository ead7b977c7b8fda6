#include "pages/settings_file_writer.h"

#include "platform/files.h"
#include "settings/page_values.h"
#include "settings/settings_file_builder.h"
#include "pages/settings_file_reader.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings1_page.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qz::settings {

namespace {

// The Message log lines of a save that did not reach the disk. The old file is untouched in every
// case: the new text went to a temporary file, which is gone again.
void report_failed_write(App& app, platform::WriteStatus status, const std::string& path) {
    switch (status) {
        case platform::WriteStatus::Ok: return;
        case platform::WriteStatus::CannotCreate:
            app.log.add("settings file write aborted, can't create file: " + path);
            return;
        case platform::WriteStatus::TargetNotRegularFile:
            app.log.add("settings file write aborted, not a regular file: " + path);
            return;
        case platform::WriteStatus::DiskFull:
        case platform::WriteStatus::WriteFailed:
        case platform::WriteStatus::ReplaceFailed: break;
    }
    app.log.add("settings file write aborted, error writing file: " + path);
    app.log.add(status == platform::WriteStatus::DiskFull ? "nothing on disk was changed, the disk is full"
                                                          : "nothing on disk was changed");
}

}  // namespace

bool write_settings_file(App& app, int which) {
    Settings& record = app.settings;
    record.write_completed = true;
    const std::string& path = which == kDefaultSettingsFile ? record.default_settings_path : record.user_settings_path;

    // Written as a whole: the old file is replaced only once the new one is complete on the disk.
    // A target that cannot be written stops the save before the pages are read.
    platform::AtomicFileWriter file;
    platform::WriteStatus status = file.begin(path);
    if (status != platform::WriteStatus::Ok) {
        record.write_completed = false;
        report_failed_write(app, status, path);
        return false;
    }

    TextSink sink;
    sink.text.reserve(4096 + static_cast<size_t>(std::max(record.chapters.count, 0)) * 8);
    BuildResult built = build_settings_lines(read_page_values(app.controls), record, BuildTarget::File, sink);

    // An aborted build still writes the lines before the abort; the encoder is kept from starting by
    // the write completed flag.
    status = file.write(sink.text);
    if (status == platform::WriteStatus::Ok) status = file.commit();
    if (built.cq_aborted) {
        record.write_completed = false;
        app.log.add("QZ.ini write aborted, invalid CQ value, not a number");
    }
    if (status != platform::WriteStatus::Ok) {
        record.write_completed = false;
        report_failed_write(app, status, path);
        return false;
    }
    if (record.write_completed) app.log.add("file successfully written");
    return record.write_completed;
}

void refresh_listing(App& app) {
    ListSink sink;
    const Settings& r = app.settings;
    sink.lines.reserve(200 + static_cast<size_t>(std::max(r.chapters.count, 0)) + static_cast<size_t>(std::max(r.zones.count, 0)) +
                       static_cast<size_t>(std::max(r.panscan.count, 0)));
    BuildResult built = build_settings_lines(read_page_values(app.controls), app.settings, BuildTarget::Listing, sink);
    if (built.cq_aborted) {
        app.log.add("show QZ.ini aborted, invalid CQ value, not a number");
        app.settings.write_completed = false;
    }
    // The list model shows the lines; its width follows the longest line by itself.
    using ui::dialog::kSettingsPages;
    using ui::settings1_ids::kListing;
    app.controls.set_items(kSettingsPages[0], kListing, sink.lines);
    app.controls.set_items(kSettingsPages[1], kListing, sink.lines);
    app.controls.set_items(kSettingsPages[2], kListing, std::move(sink.lines));
}

}  // namespace qz::settings
