#include "framelists/zones_page.h"

#include "framelists/list_pages.h"
#include "framelists/navigation.h"
#include "framelists/preview_picture.h"
#include "platform/files.h"
#include "preview/bitmap_file.h"
#include "settings/free_format.h"
#include "settings/zone_list.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qz::framelists {

namespace {

constexpr int kPage = ui::dialog::kZonesPage;

void set_zone(App& app) {
    float typed = 0.0f;
    if (!settings::parse_real_text(app.controls.text(kPage, ui::zones_ids::kFactor), typed)) {
        app.log.add("zone value is not a number, zone not set");
        return;
    }
    settings::ZoneList& list = app.settings.zones;
    const float factor = settings::zone_factor_from(typed);
    if (settings::set_zone(list, frame_input(app, kPage), factor) == settings::ZoneSet::ListFull) {
        app.log.add("zone list full, 6400 zones, zone not added");
        return;
    }
    settings::trim_zones_beyond(list, app.video.frame_count);
    show_zone_list(app);
    // Also when a zone on that frame only got the new factor.
    app.log.add("zone added to list");
}

void remove_selected(App& app) {
    const int index = app.controls.sel(kPage, ui::zones_ids::kList);
    settings::ZoneList& list = app.settings.zones;
    if (index < 0 || !settings::remove_zone_at(list, index)) {
        app.log.add("remove zone pressed but no zone was selected, ignored");
        return;
    }
    if (list.count > 0) settings::trim_zones_beyond(list, app.video.frame_count);
    show_zone_list(app);
    app.log.add("zone removed from list");
}

void clear_list(App& app) {
    settings::clear_zones(app.settings.zones);
    app.controls.clear_items(kPage, ui::zones_ids::kList);
    app.log.add("zone list cleared");
}

void select_zone(App& app, int index) {
    const settings::ZoneList& list = app.settings.zones;
    if (index < 0 || index >= list.count) return;
    go_to_list_frame(app, list.zones[static_cast<size_t>(index)].start_frame);
}

bool write_whole_file(const std::string& path, std::span<const uint8_t> bytes) {
    std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return platform::write_file_atomically(path, contents) == platform::WriteStatus::Ok;
}

// The picture the preview pages show is the current frame's: navigation builds it whenever it moves.
void create_bitmap(App& app) {
    // The file holds the frame its name gives: the picture is built again from the planes, which hold
    // the current frame, whatever was drawn last.
    if (app.video.open) show_picture(app);
    const std::string path = preview::bitmap_file_path(app.paths.program_folder, app.video.current_frame);
    if (preview::write_bitmap_file(app.bitmap, path, write_whole_file) == preview::BitmapFileOutcome::written) {
        app.log.add("bitmap created:   " + path);
        return;
    }
    // Also when no frame has been built yet: there is nothing to write.
    app.log.add("bitmap creation failed, can't open bitmap file");
}

}  // namespace

void show_zone_list(App& app) {
    const settings::ZoneList& list = app.settings.zones;
    const int32_t count = std::clamp(list.count, 0, settings::kZoneCapacity);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) lines.push_back(settings::zone_line_text(list.zones[static_cast<size_t>(i)]));
    app.controls.set_items(kPage, ui::zones_ids::kList, std::move(lines));
    app.controls.set_sel(kPage, ui::zones_ids::kList, -1);
}

void on_zones_page(App& app, const ui::Event& event) {
    using namespace ui::zones_ids;
    if (is_navigation_control(event.id)) {
        on_navigation(app, event);
        return;
    }
    if (event.id == kList) {
        if (event.kind == ui::EventKind::SelectionChanged) select_zone(app, event.value);
        return;
    }
    if (event.kind != ui::EventKind::Clicked) return;
    switch (event.id) {
        case kSetZone: set_zone(app); break;
        case kRemove: remove_selected(app); break;
        case kClear: clear_list(app); break;
        case kCreateBitmap: create_bitmap(app); break;
        default: break;
    }
}

}  // namespace qz::framelists
