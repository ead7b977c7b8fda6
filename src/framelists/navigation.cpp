#include "framelists/navigation.h"

#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qz::framelists {

namespace {

std::string frame_box_text(int frame) {
    char text[16];
    std::snprintf(text, sizeof text, "%8d", frame);
    return text;
}

int frame_box_id(int dialog) {
    return dialog == ui::dialog::kPanScanPage ? ui::preview_ids::kPanScanCurrentFrame : ui::preview_ids::kCurrentFrame;
}

}  // namespace

// Until the picture is built and drawn here, moving only keeps the boxes and sliders together.
bool go_to_frame(App& app, int frame, int dialog) {
    int frames = app.video.frame_count;
    if (frames <= 0) return false;
    app.video.current_frame = std::clamp(frame, 0, frames - 1);
    for (int page : ui::dialog::kPreviewPages) {
        if (dialog == 0 || dialog == page) app.controls.set_text(page, frame_box_id(page), frame_box_text(app.video.current_frame));
        app.controls.set_pos(page, ui::preview_ids::kSlider,
                             static_cast<int>(std::lround(double{kSliderPositions} * app.video.current_frame / frames)));
    }
    return true;
}

bool go_to_list_frame(App& app, int frame) { return go_to_frame(app, std::max(frame, 0), 0); }

void on_navigation(App&, const ui::Event&) {}

}  // namespace qz::framelists
