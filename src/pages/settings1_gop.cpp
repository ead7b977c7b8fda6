// GOP length and B frames on the Settings 1 page: each box and its spin show the same number, kept
// within the limits the encoder accepts, with a warning where DVD players would refuse the stream.
#include "pages/settings1_parts.h"
#include "settings/gop_limits.h"

#include "settings/free_format.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings1_page.h"

#include <algorithm>

namespace qz::pages::settings1 {

using ui::dialog::kSettings1Page;
using namespace ui::settings1_ids;

namespace {

constexpr int kDefaultGopLength = settings::gop::kDefaultLength, kDefaultBFrames = settings::gop::kDefaultBFrames;
constexpr int kMinGopLength = settings::gop::kMinLength, kMaxGopLength = settings::gop::kMaxLength;
// The longest GOP a PAL DVD allows, and an NTSC one.
constexpr int kPalGopLimit = settings::gop::kDvdPalLimit, kNtscGopLimit = settings::gop::kDvdNtscLimit;
// More consecutive B frames than this is more than DVD players accept.
constexpr int kDvdBFrameLimit = 2;

int box_integer(const App& app, int box, int fallback) {
    int32_t value = 0;
    return settings::parse_int_text(app.controls.text(kSettings1Page, box), value) ? value : fallback;
}

// Rewrites a box only when its text differs, so a box that already shows the number stays as typed.
void show_number(App& app, int box, int value) {
    std::string text = settings::int_text(value);
    if (app.controls.text(kSettings1Page, box) != text) app.controls.set_text(kSettings1Page, box, text);
}

int max_b_frames(const App& app) { return std::max(app.settings.max_b_frames, 0); }

void warn_if_many_b_frames(App& app, int b_frames) {
    if (b_frames > kDvdBFrameLimit) app.log.add("allow 3 consecutive B-frames, NOT DVD-COMPLIANT !!");
}

}  // namespace

bool on_gop_length_typed(App& app) {
    int length = std::clamp(box_integer(app, kGopLengthBox, kDefaultGopLength), kMinGopLength, kMaxGopLength);
    show_number(app, kGopLengthBox, length);
    app.controls.set_pos(kSettings1Page, kGopLengthSpin, length);
    if (length > kNtscGopLimit) app.log.add("WARNING, GOP length not valid for PAL and NTSC");
    else if (length > kPalGopLimit) app.log.add("WARNING, GOP length not valid for PAL");
    return true;
}

bool on_gop_length_spun(App& app) {
    int length = std::clamp(app.controls.pos(kSettings1Page, kGopLengthSpin), kMinGopLength, kMaxGopLength);
    show_number(app, kGopLengthBox, length);
    if (length > kNtscGopLimit) app.log.add("WARNING !!, GOP length not valid for PAL and NTSC");
    else if (length > kPalGopLimit) app.log.add("WARNING !!, GOP length not valid for PAL");
    return true;
}

bool on_b_frames_typed(App& app) {
    int b_frames = std::clamp(box_integer(app, kBFramesBox, kDefaultBFrames), 0, max_b_frames(app));
    warn_if_many_b_frames(app, b_frames);
    show_number(app, kBFramesBox, b_frames);
    app.controls.set_pos(kSettings1Page, kBFramesSpin, b_frames);
    return true;
}

bool on_b_frames_spun(App& app) {
    int b_frames = std::clamp(app.controls.pos(kSettings1Page, kBFramesSpin), 0, max_b_frames(app));
    warn_if_many_b_frames(app, b_frames);
    show_number(app, kBFramesBox, b_frames);
    return true;
}

}  // namespace qz::pages::settings1
