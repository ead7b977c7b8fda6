#include "settings/settings_file_writer.h"

#include "settings/page_values.h"
#include "settings/settings_file_builder.h"
#include "settings/settings_file_reader.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace qz::settings {

namespace {

constexpr int kListingBox = 1215;
constexpr int kListingPages[] = {104, 105, 106};

bool write_all(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
}

}  // namespace

bool write_settings_file(App& app, int which) {
    Settings& record = app.settings;
    record.write_completed = true;
    const std::string& path = which == kDefaultSettingsFile ? record.default_settings_path : record.user_settings_path;

    std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "wb");
    if (!file) {
        record.write_completed = false;
        app.log.add("settings file write aborted, can't create file: " + path);
        return false;
    }

    TextSink sink;
    sink.text.reserve(4096 + static_cast<size_t>(std::max(record.chapters.count, 0)) * 8);
    BuildResult built = build_settings_lines(read_page_values(app.controls), record, BuildTarget::File, sink);

    // A full disk may show itself only when the buffers are flushed or the file is closed.
    bool written = write_all(file, sink.text);
    written = std::fclose(file) == 0 && written;

    if (built.cq_aborted) {
        record.write_completed = false;
        app.log.add("QZ.ini write aborted, invalid CQ value, not a number");
    }
    if (!written) {
        record.write_completed = false;
        app.log.add("settings file write aborted, error writing file: " + path);
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
    app.controls.set_items(kListingPages[0], kListingBox, sink.lines);
    app.controls.set_items(kListingPages[1], kListingBox, sink.lines);
    app.controls.set_items(kListingPages[2], kListingBox, std::move(sink.lines));
}

}  // namespace qz::settings
