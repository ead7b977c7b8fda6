// Frame navigation of the three preview pages: they share one current frame. Moving to a frame
// fetches it from the open input, builds its picture and draws it on the preview pages; only when
// the fetch succeeded do the current frame and the current frame boxes and the three sliders follow.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::framelists {

// Small and large steps of "<<"/">>" and "<<<"/">>>", and the sliders' number of positions.
inline constexpr int kSmallStep = 10;
inline constexpr int kLargeStep = 100;
inline constexpr int kSliderPositions = 1000;

// Makes `frame`, clamped to the video, the current frame, fetches, builds and draws it. On success
// shows the number in the current frame box of `dialog` (all three preview pages when `dialog` is 0)
// and moves the three sliders. With no video open, or when the fetch fails, nothing changes and the
// result is false.
bool go_to_frame(App& app, int frame, int dialog);

// Selecting a line of the chapter, zone or pan-scan list: the entry's frame (not below 0) becomes the
// current frame and all three current frame boxes show it.
bool go_to_list_frame(App& app, int frame);

// The step buttons, the current frame box and the slider of one preview page; other events and
// controls are left alone, and nothing moves while the scene-change scan runs.
void on_navigation(App& app, const ui::Event& event);

// A preview page was shown: the current frame is fetched and drawn again and the sliders follow it.
// False when there is no video or the fetch failed.
bool refresh_current_frame(App& app);

// An input was opened, reopened or closed: the preview pages show its frame 0, or no picture when
// no video is open or frame 0 cannot be had, so the picture of an earlier input never stays.
void show_first_frame(App& app);

// The slider position of `frame` and the frame of a slider position, for a video of `frames` frames
// (at least 1): 1000 x frame / frames and (frames - 1) x position / 1000, rounded half away from zero.
int slider_position(int frame, int frames);
int slider_frame(int position, int frames);

}  // namespace qz::framelists
