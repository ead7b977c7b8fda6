#include "framelists/list_pages.h"

#include "settings/free_format.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>

namespace qz::framelists {

int frame_input(const App& app, int dialog) {
    int32_t frame = app.video.current_frame;
    settings::parse_int_text(app.controls.text(dialog, ui::preview_ids::kCurrentFrame), frame);
    // Navigation writes back every number typed into the box held within the video; holding it here
    // too keeps a list entry or the frame range inside the video whatever the box holds.
    return std::clamp(frame, 0, std::max(app.video.frame_count - 1, 0));
}

bool is_navigation_control(int id) {
    using namespace ui::preview_ids;
    return id == kCurrentFrame || (id >= kStepBack && id <= kSlider);
}

}  // namespace qz::framelists
