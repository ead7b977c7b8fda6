#include "framelists/navigation.h"

#include "framelists/preview_picture.h"
#include "pages/fetch_frame.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace qz::framelists {

namespace {

namespace ids = ui::preview_ids;

std::string frame_box_text(int frame) {
    char text[16];
    std::snprintf(text, sizeof text, "%8d", frame);
    return text;
}

int frame_box_id(int dialog) { return dialog == ui::dialog::kPanScanPage ? ids::kPanScanCurrentFrame : ids::kCurrentFrame; }

bool is_preview_page(int dialog) {
    return std::find(std::begin(ui::dialog::kPreviewPages), std::end(ui::dialog::kPreviewPages), dialog) !=
           std::end(ui::dialog::kPreviewPages);
}

// The worker of the scene-change scan alone fetches frames while it runs.
bool can_navigate(const App& app) { return app.video.open && app.video.frame_count > 0 && !app.scan_running; }

void set_sliders(App& app, int position) {
    for (int page : ui::dialog::kPreviewPages) app.controls.set_pos(page, ids::kSlider, position);
}

void show_in_boxes(App& app, int frame, int dialog) {
    for (int page : ui::dialog::kPreviewPages)
        if (dialog == 0 || dialog == page) app.controls.set_text(page, frame_box_id(page), frame_box_text(frame));
}

// The current frame becomes `frame` only once it is in the planes: a failed fetch leaves the planes,
// and so the picture, on the frame before, and the current frame stays with them.
bool fetch_and_draw(App& app, int frame) {
    const int previous = app.video.current_frame;
    app.video.current_frame = frame;
    if (input::fetch_frame(app, frame) != input::FetchOutcome::fetched) {
        app.video.current_frame = previous;
        return false;
    }
    show_picture(app);
    return true;
}

// The frame a step button leads to from `frame` in a video of `frames` frames.
int stepped_frame(int button, int frame, int frames) {
    const long long last = frames - 1, f = frame;
    long long target = f;
    switch (button) {
        case ids::kStepBack: target = std::max(f - 1, 0LL); break;
        case ids::kStepForward: target = f + 1; break;
        case ids::kSmallBack: target = std::max(f - kSmallStep, 0LL); break;
        case ids::kSmallForward: target = f + kSmallStep; break;
        case ids::kLargeBack: target = std::max(f - kLargeStep, 0LL); break;
        case ids::kLargeForward: target = f + kLargeStep; break;
        default: break;
    }
    return static_cast<int>(std::min(last, target));
}

bool is_step_button(int id) { return id >= ids::kStepBack && id <= ids::kLargeForward; }

// The number in a current frame box: an optionally signed integer between blanks. A number too long
// for a frame counts as the largest one of its sign, so the clamp makes it the first or last frame.
std::optional<long long> typed_frame(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size() || end == text.data()) return std::nullopt;
    if (error == std::errc::result_out_of_range) return text.front() == '-' ? -1 : std::numeric_limits<long long>::max();
    if (error != std::errc()) return std::nullopt;
    return value;
}

void on_step(App& app, int dialog, int button) {
    if (!can_navigate(app)) return;
    go_to_frame(app, stepped_frame(button, app.video.current_frame, app.video.frame_count), dialog);
}

// The box is written back as the frame it leads to, or, when that cannot be shown, as the frame the
// picture still shows.
void on_frame_box(App& app, int dialog) {
    if (!can_navigate(app)) return;
    const int last = app.video.frame_count - 1;
    const std::optional<long long> typed = typed_frame(app.controls.text(dialog, frame_box_id(dialog)));
    const int frame = typed ? static_cast<int>(std::clamp<long long>(*typed, 0, last)) : app.video.current_frame;
    if (!go_to_frame(app, frame, dialog)) show_in_boxes(app, app.video.current_frame, dialog);
}

// The sliders keep the position the user chose; the frame is the nearest to it.
void on_slider(App& app, int dialog, int position) {
    if (app.scan_running) return;
    if (!can_navigate(app)) {
        app.controls.set_pos(dialog, ids::kSlider, 0);  // no video, no position
        return;
    }
    const int frames = app.video.frame_count;
    position = std::clamp(position, 0, kSliderPositions);
    const int frame = slider_frame(position, frames);
    if (!fetch_and_draw(app, frame)) {
        set_sliders(app, slider_position(app.video.current_frame, frames));
        return;
    }
    set_sliders(app, position);
    show_in_boxes(app, frame, dialog);
}

}  // namespace

int slider_position(int frame, int frames) {
    if (frames <= 0) return 0;
    const long long f = std::clamp(frame, 0, frames);
    return static_cast<int>((2LL * kSliderPositions * f + frames) / (2LL * frames));
}

int slider_frame(int position, int frames) {
    if (frames <= 0) return 0;
    const long long p = std::clamp(position, 0, kSliderPositions);
    return static_cast<int>((2LL * (frames - 1) * p + kSliderPositions) / (2LL * kSliderPositions));
}

bool go_to_frame(App& app, int frame, int dialog) {
    if (!can_navigate(app)) return false;
    const int frames = app.video.frame_count;
    frame = std::clamp(frame, 0, frames - 1);
    if (!fetch_and_draw(app, frame)) return false;
    show_in_boxes(app, frame, dialog);
    set_sliders(app, slider_position(frame, frames));
    return true;
}

bool go_to_list_frame(App& app, int frame) { return go_to_frame(app, std::max(frame, 0), 0); }

void on_navigation(App& app, const ui::Event& event) {
    if (!is_preview_page(event.dialog)) return;
    switch (event.kind) {
        case ui::EventKind::Clicked:
            if (is_step_button(event.id)) on_step(app, event.dialog, event.id);
            break;
        case ui::EventKind::TextChanged:
            if (event.id == frame_box_id(event.dialog)) on_frame_box(app, event.dialog);
            break;
        case ui::EventKind::Slid:
            if (event.id == ids::kSlider) on_slider(app, event.dialog, event.value);
            break;
        default: break;
    }
}

bool refresh_current_frame(App& app) {
    if (!can_navigate(app)) return false;
    const int frames = app.video.frame_count;
    if (!fetch_and_draw(app, std::clamp(app.video.current_frame, 0, frames - 1))) return false;
    set_sliders(app, slider_position(app.video.current_frame, frames));
    return true;
}

void show_first_frame(App& app) {
    if (app.scan_running) return;
    app.video.current_frame = 0;
    set_sliders(app, 0);
    if (!go_to_frame(app, 0, 0)) clear_picture(app);
}

}  // namespace qz::framelists
