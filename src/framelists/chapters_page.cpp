#include "framelists/chapters_page.h"

#include "framelists/list_pages.h"
#include "framelists/navigation.h"
#include "framelists/scene_scan.h"
#include "pages/main_page.h"
#include "pages/settings3_page.h"
#include "settings/chapter_list.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qz::framelists {

namespace {

constexpr int kPage = ui::dialog::kChaptersPage;

void add_current_frame(App& app) {
    settings::ChapterList& list = app.settings.chapters;
    if (settings::add_chapter(list, frame_input(app, kPage)) == settings::ChapterAdd::ListFull) {
        app.log.add("chapter list full, 640000 chapters, chapter not added");
        return;
    }
    settings::trim_chapters_beyond(list, app.video.frame_count);
    show_chapter_list(app);
    // Also when the frame was listed already: the list holds it either way.
    app.log.add("chapter added to list");
}

void remove_selected(App& app) {
    const int index = app.controls.sel(kPage, ui::chapters_ids::kList);
    settings::ChapterList& list = app.settings.chapters;
    if (index < 0 || !settings::remove_chapter_at(list, index)) {
        app.log.add("remove chapter pressed but no chapter was selected, ignored");
        return;
    }
    if (list.count > 0) settings::trim_chapters_beyond(list, app.video.frame_count);
    show_chapter_list(app);
    app.log.add("chapter removed from list");
}

void clear_list(App& app) {
    settings::clear_chapters(app.settings.chapters);
    app.controls.clear_items(kPage, ui::chapters_ids::kList);
    app.log.add("chapter list cleared");
}

void select_chapter(App& app, int index) {
    const settings::ChapterList& list = app.settings.chapters;
    if (index < 0 || index >= list.count) return;
    go_to_list_frame(app, list.frames[static_cast<size_t>(index)]);
}

// The frame range moved: the frames to encode, and what the Main page derives from the range (the
// start and end boxes, the frames and time to encode, the file length) and Settings 3's size
// estimate.
void show_frame_range(App& app) {
    settings::OptionValues& v = app.settings.values;
    v.frames_to_encode = v.last_frame - v.first_frame + 1;
    pages::refresh_movie_information(app);
    pages::refresh_file_length(app);
    pages::refresh_size_estimate(app);
}

void set_start_frame(App& app) {
    const int frame = frame_input(app, kPage);
    settings::OptionValues& v = app.settings.values;
    v.first_frame = frame;
    v.last_frame = std::max(v.last_frame, frame);
    show_frame_range(app);
    app.log.add("current frame set as start frame");
}

void set_end_frame(App& app) {
    const int frame = frame_input(app, kPage);
    settings::OptionValues& v = app.settings.values;
    v.last_frame = frame;
    v.first_frame = std::min(v.first_frame, frame);
    show_frame_range(app);
    app.log.add("current frame set as end frame");
}

void scan_scene_changes(App& app) {
    app.log.add("creating a chapter list based on scene changes");
    toggle_scene_scan(app);
}

}  // namespace

void show_chapter_list(App& app) {
    const settings::ChapterList& list = app.settings.chapters;
    const int32_t count = std::clamp(list.count, 0, settings::kChapterCapacity);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) lines.push_back(settings::chapter_line_text(list.frames[static_cast<size_t>(i)]));
    // All lines in one step: a list box refilled line by line would redraw 640000 times.
    app.controls.set_items(kPage, ui::chapters_ids::kList, std::move(lines));
    app.controls.set_sel(kPage, ui::chapters_ids::kList, -1);
}

void on_chapters_page(App& app, const ui::Event& event) {
    using namespace ui::chapters_ids;
    if (is_navigation_control(event.id)) {
        on_navigation(app, event);
        return;
    }
    if (event.id == kList) {
        if (event.kind == ui::EventKind::SelectionChanged) select_chapter(app, event.value);
        return;
    }
    if (event.kind != ui::EventKind::Clicked) return;
    switch (event.id) {
        case kSetStartFrame: set_start_frame(app); break;
        case kSetEndFrame: set_end_frame(app); break;
        case kClear: clear_list(app); break;
        case kAdd: add_current_frame(app); break;
        case kRemove: remove_selected(app); break;
        case kSceneChangeScan: scan_scene_changes(app); break;
        default: break;
    }
}

}  // namespace qz::framelists
