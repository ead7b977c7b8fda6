// The picture of the current frame on the three preview pages.
//
// Building turns the frame now in the Video source's planes into app.bitmap, with the marks the
// encoder will be told about painted on (the *MASK_SHIFT lines, the 4:3 pan-scan window). Drawing
// tells the front ends through the control model: the preview area of each page (control 9900)
// counts its picture's revision in `pos` and names the picture in `text` ("720x576 frame 12", empty
// for none). A front end that sees the revision change reads the pixels from app.bitmap, under the
// model's lock, and places them by the *ASPECT setting (preview::preview_rectangle). The build and
// the revision change happen under that same lock, so the scene-change worker may draw while the
// window reads the picture.
#pragma once

#include "preview/bitmap_marks.h"
#include "state/app.h"

namespace qz::framelists {

// What the preview paints onto `frame`: the mask and shift lines of the settings and, with pan-scan
// on, the window at the frame's offset (0 for a frame the offset table does not cover).
preview::FrameMarks picture_marks(const App& app, int frame);

// Builds app.bitmap from the planes, which hold the current frame. "create bitmap" writes the result;
// the preview draws it. False, with an empty image, when no video is open or its size cannot be shown.
bool build_picture(App& app);

// Builds the picture and draws it on the three preview pages. False as for build_picture; the pages
// then show no picture.
bool show_picture(App& app);

// The preview pages show no picture: no input is open.
void clear_picture(App& app);

}  // namespace qz::framelists
