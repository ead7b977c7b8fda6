#include "framelists/panscan_page.h"

#include "framelists/navigation.h"
#include "framelists/preview_picture.h"
#include "settings/free_format.h"
#include "settings/panscan_list.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qz::framelists {

namespace {

using ui::EventKind;
namespace ids = ui::panscan_ids;
constexpr int kPage = ui::dialog::kPanScanPage;

// The frames of the opened video; none when no video is open.
int32_t video_frames(const App& app) { return app.video.open ? std::max(app.video.frame_count, 0) : 0; }

// The horizontal box's number, or the value it held when it gained the focus.
int32_t horizontal_value(const App& app) {
    int32_t value = app.panscan_offset_on_entry;
    settings::parse_int_text(app.controls.text(kPage, ids::kHorizontal), value);
    return value;
}

void show_horizontal(App& app, int32_t offset) { app.controls.set_text(kPage, ids::kHorizontal, std::to_string(offset)); }

// The frame of the current frame box. The navigation keeps it within the video; a box holding no
// number stands for the current frame, and a frame never goes below 0.
int32_t frame_of_box(const App& app) {
    int32_t frame = app.video.current_frame;
    settings::parse_int_text(app.controls.text(kPage, ui::preview_ids::kPanScanCurrentFrame), frame);
    const int32_t frames = video_frames(app);
    return frames > 0 ? std::clamp(frame, 0, frames - 1) : std::max(frame, 0);
}

// The picture shows the window at the current frame's offset, which a list change may have moved.
void redraw_window(App& app) {
    if (app.video.open && app.video.frame_count > 0) show_picture(app);
}

// After a change: positions beyond the opened video's last frame go (none without a video, whose
// length is unknown), then the list box and the offset table follow the list.
void after_list_change(App& app) {
    if (video_frames(app) > 0) {
        const int32_t removed = settings::trim_panscan_list(app.settings.panscan, video_frames(app));
        if (removed == 1) app.log.add("1 panscan position beyond the last frame removed");
        if (removed > 1) app.log.add(std::to_string(removed) + " panscan positions beyond the last frame removed");
    }
    refresh_panscan_controls(app);
    redraw_window(app);
}

void on_step(App& app, int32_t step) {
    show_horizontal(app, settings::clamp_panscan_offset(int64_t{horizontal_value(app)} + step, app.video.width));
}

void on_horizontal_entered(App& app) {
    settings::parse_int_text(app.controls.text(kPage, ids::kHorizontal), app.panscan_offset_on_entry);
}

void on_horizontal_left(App& app) { show_horizontal(app, settings::clamp_panscan_offset(horizontal_value(app), app.video.width)); }

void on_add(App& app) {
    const int32_t offset = std::clamp(horizontal_value(app), -settings::kAddedOffsetLimit, settings::kAddedOffsetLimit);
    if (settings::set_panscan_position(app.settings.panscan, frame_of_box(app), offset) == settings::PanScanSet::Full) {
        app.log.add("panscan list full (6400 positions), position not added");
        return;
    }
    after_list_change(app);
    app.log.add("panscan position added to list");
}

void on_remove(App& app) {
    if (!settings::remove_panscan_position(app.settings.panscan, app.controls.sel(kPage, ids::kList))) {
        app.log.add("remove position pressed but no position was selected, ignored");
        return;
    }
    after_list_change(app);
    app.log.add("panscan position removed from list");
}

void on_clear(App& app) {
    settings::clear_panscan_positions(app.settings.panscan);
    refresh_panscan_controls(app);
    redraw_window(app);
    app.log.add("panscan list cleared");
}

void on_list_selection(App& app, int row) {
    const settings::PanScanList& list = app.settings.panscan;
    if (row < 0 || row >= std::min(list.count, settings::kPanScanCapacity)) return;
    go_to_list_frame(app, list.entries[static_cast<size_t>(row)].frame);
}

bool is_navigation(int id) {
    return (id >= ui::preview_ids::kStepBack && id <= ui::preview_ids::kSlider) || id == ui::preview_ids::kPanScanCurrentFrame;
}

}  // namespace

void on_panscan_page(App& app, const ui::Event& e) {
    if (is_navigation(e.id)) return on_navigation(app, e);
    switch (e.id) {
        case ids::kLeft:
            if (e.kind == EventKind::Clicked) on_step(app, -settings::kOffsetStep);
            return;
        case ids::kRight:
            if (e.kind == EventKind::Clicked) on_step(app, settings::kOffsetStep);
            return;
        // Typing is checked when the box is left, so that "-" can be typed on the way to a number.
        case ids::kHorizontal:
            if (e.kind == EventKind::FocusGained) on_horizontal_entered(app);
            if (e.kind == EventKind::FocusLost) on_horizontal_left(app);
            return;
        case ids::kAdd:
            if (e.kind == EventKind::Clicked) on_add(app);
            return;
        case ids::kRemove:
            if (e.kind == EventKind::Clicked) on_remove(app);
            return;
        case ids::kClear:
            if (e.kind == EventKind::Clicked) on_clear(app);
            return;
        case ids::kList:
            if (e.kind == EventKind::SelectionChanged) on_list_selection(app, e.value);
            return;
        default: return;
    }
}

void show_panscan_list(App& app) {
    const settings::PanScanList& list = app.settings.panscan;
    const int32_t count = std::clamp(list.count, 0, settings::kPanScanCapacity);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) lines.push_back(settings::panscan_line_text(list.entries[static_cast<size_t>(i)]));
    app.controls.set_items(kPage, ids::kList, std::move(lines));
    // The rows moved: a selection kept would point at another position.
    app.controls.set_sel(kPage, ids::kList, -1);
}

void rebuild_panscan_offsets(App& app) {
    app.panscan_offsets.resize(static_cast<size_t>(video_frames(app)));
    settings::fill_panscan_offsets(app.settings.panscan, app.panscan_offsets);
}

void refresh_panscan_controls(App& app) {
    show_panscan_list(app);
    rebuild_panscan_offsets(app);
}

}  // namespace qz::framelists
