#include "framelists/preview_picture.h"

#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <cstdio>

namespace qz::framelists {

namespace {

// Only 720 and 704 wide frames get the window; the engine decides that from the width.
int16_t panscan_offset(const App& app, int frame) {
    if (frame < 0 || static_cast<size_t>(frame) >= app.panscan_offsets.size()) return 0;
    return app.panscan_offsets[static_cast<size_t>(frame)];
}

bool video_open(const App& app) { return app.video.open && app.video.frame_count > 0; }

// Every draw gives the three areas one new revision, so a front end never mistakes a new picture of
// the same frame (other marks, a reopened input) for the one it shows.
void tell_front_ends(App& app, const char* caption) {
    for (int page : ui::dialog::kPreviewPages) {
        const int revision = app.controls.pos(page, ui::preview_ids::kPicture);
        app.controls.set_pos(page, ui::preview_ids::kPicture, revision >= ui::kMaxPictureRevision ? 1 : revision + 1);
        app.controls.set_text(page, ui::preview_ids::kPicture, caption);
    }
}

}  // namespace

preview::FrameMarks picture_marks(const App& app, int frame) {
    const settings::OptionValues& values = app.settings.values;
    preview::FrameMarks marks;
    marks.mask_top = values.mask_top;
    marks.mask_bottom = values.mask_bottom;
    marks.shift = values.mask_shift;
    marks.panscan_on = app.settings.panscan.on;
    marks.panscan_offset = marks.panscan_on ? panscan_offset(app, frame) : int16_t{0};
    return marks;
}

bool build_picture(App& app) {
    auto lock = app.controls.hold();
    if (!video_open(app)) {
        app.bitmap.clear();
        return false;
    }
    return app.bitmap.build(preview::frame_view(app.video), picture_marks(app, app.video.current_frame), app.cpu_level);
}

bool show_picture(App& app) {
    auto lock = app.controls.hold();
    if (!build_picture(app)) {
        tell_front_ends(app, "");
        return false;
    }
    char caption[48];
    std::snprintf(caption, sizeof caption, "%dx%d frame %d", app.bitmap.width(), app.bitmap.height(),
                  app.video.current_frame);
    tell_front_ends(app, caption);
    return true;
}

void clear_picture(App& app) {
    auto lock = app.controls.hold();
    const bool shows_nothing = app.bitmap.bytes().empty() &&
                               app.controls.text(ui::dialog::kChaptersPage, ui::preview_ids::kPicture).empty();
    if (shows_nothing) return;  // no new revision for the same empty area
    app.bitmap.clear();
    tell_front_ends(app, "");
}

}  // namespace qz::framelists
