// The Settings 2 page: the dispatcher, the help lines of the value boxes, the value boxes with their
// limits and the switches for the encoder's own behaviour. The stream flags, combos and luminance
// gain are in settings2_stream.cpp.
#include "pages/settings2_page.h"

#include "pages/settings2_parts.h"
#include "settings/free_format.h"
#include "pages/settings_file_writer.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings2_page.h"

#include <algorithm>
#include <cmath>

namespace qz::pages {

using ui::dialog::kSettings2Page;
using namespace ui::settings2_ids;

namespace settings2 {

namespace {

constexpr int kMaxBias = 100;
constexpr int kMaxWaitSeconds = 99;
constexpr float kLowestMinBitrateFactor = 0.5f, kHighestMinBitrateFactor = 2.0f;
// Masks and shifts beyond the tallest frame the encoder takes would remove or move the whole picture.
constexpr int kMaxLines = 1152;

struct HelpLine {
    int box;
    const char* text;
};
constexpr HelpLine kHelpLines[] = {
    {kVbrBiasBox, "tweaks the compression curve, 0 = full VBR, 100 tends to CBR"},
    {kMinBitrateFactorBox,
     "tweaks the minimum bitrate, values < 1.0 lower min bitrate, values > 1.0 raise min bitrate"},
    {kWaitBox, "sets the time in seconds before the encoding window closes (default 5 sec)"},
    {kMaskTopBox, "masks the number of top lines"},
    {kMaskBottomBox, "masks the number of bottom lines"},
    {kShiftLinesBox, "shift the video up or down (positive = up, negative = down)"},
};

struct SwitchLines {
    int check;
    const char* on;
    const char* off;
};
constexpr SwitchLines kSwitchLines[] = {
    {kVbvCheck, "VBV checking turned on", "VBV checking turned off, NOT DVD-COMPLIANT"},
    {kSeqEndcodeCheck, "sequence end code turned on, an end of sequence header will be written",
     "sequence end code turned off, no end of sequence header will be written"},
    {kShutdownCheck, "shutdown turned on, system will shutdown in 300 sec after encoding finishes",
     "shutdown turned off"},
    {kPreviewCheck, "turns on the preview window in the encoder",
     "turns off the preview window in the encoder (default)"},
    {kSilentCheck, "turns off the encoder GUI, background encode", "turns on the encoder GUI (default)"},
    {kLastIFrameCheck, "last I-frame turned on, last frame will be encoded as an I-frame", "last I-frame turned off"},
    {kScdFileCheck, "writing scene change detection file turned on, file name: outfile.scd",
     "writing scene change detection file turned off"},
    {kFrameLogCheck, "frame logging turned on, file name: framelog.txt", "frame logging turned off"},
    {kPsnrCheck, "PSNR logging turned on, will be written in framelog.txt", "PSNR logging turned off"},
};

// The box's whole number, or `previous` when it holds none; then written back in plain decimal.
int32_t read_integer_box(App& app, int box, int32_t previous) {
    int32_t value = previous;
    if (!settings::parse_int_text(app.controls.text(kSettings2Page, box), value)) value = previous;
    return value;
}

void show_integer(App& app, int box, int32_t value) {
    std::string text = settings::int_text(value);
    if (app.controls.text(kSettings2Page, box) != text) app.controls.set_text(kSettings2Page, box, text);
}

// Mask and shift lines must be even: an odd count is lowered by one (-3 becomes -4).
int32_t lowered_to_even(int32_t value) { return value % 2 != 0 ? value - 1 : value; }

}  // namespace

bool on_box_entered(App& app, int box) {
    for (const HelpLine& help : kHelpLines) {
        if (help.box == box) {
            app.log.add(help.text);
            return true;
        }
    }
    return false;
}

bool on_bias_typed(App& app) {
    int32_t& bias = app.settings.values.bias;
    bias = std::clamp(read_integer_box(app, kVbrBiasBox, bias), 0, kMaxBias);
    show_integer(app, kVbrBiasBox, bias);
    return true;
}

bool on_wait_typed(App& app) {
    int32_t& wait = app.settings.values.wait_seconds;
    wait = std::clamp(read_integer_box(app, kWaitBox, wait), 0, kMaxWaitSeconds);
    show_integer(app, kWaitBox, wait);
    return true;
}

bool on_min_bitrate_factor_left(App& app) {
    float& factor = app.settings.values.min_br_factor;
    float value = factor;
    if (!settings::parse_real_text(app.controls.text(kSettings2Page, kMinBitrateFactorBox), value) ||
        !std::isfinite(value))
        value = factor;
    factor = std::clamp(value, kLowestMinBitrateFactor, kHighestMinBitrateFactor);
    app.controls.set_text(kSettings2Page, kMinBitrateFactorBox, settings::factor_text(factor));
    return true;
}

bool on_mask_left(App& app, int box) {
    settings::OptionValues& v = app.settings.values;
    int32_t& lines = box == kMaskTopBox ? v.mask_top : box == kMaskBottomBox ? v.mask_bottom : v.mask_shift;
    // A mask counts lines, so it cannot be negative; only the shift has a direction.
    const int lowest = box == kShiftLinesBox ? -kMaxLines : 0;
    lines = lowered_to_even(std::clamp(read_integer_box(app, box, lines), lowest, kMaxLines));
    show_integer(app, box, lines);
    return true;
}

bool on_switch(App& app, int check) {
    auto& c = app.controls;
    const SwitchLines* lines = nullptr;
    for (const SwitchLines& s : kSwitchLines)
        if (s.check == check) lines = &s;
    if (!lines) return false;
    const bool on = c.checked(kSettings2Page, check);

    // The preview window belongs to the encoder's GUI, which "silent" switches off.
    if (check == kSilentCheck) {
        if (on) c.set_checked(kSettings2Page, kPreviewCheck, false);
        c.set_enabled(kSettings2Page, kPreviewCheck, !on);
    }
    // PSNR values are written into the frame log, so one needs the other.
    if (check == kPsnrCheck && on) c.set_checked(kSettings2Page, kFrameLogCheck, true);

    app.log.add(on ? lines->on : lines->off);
    if (check == kFrameLogCheck && !on) c.set_checked(kSettings2Page, kPsnrCheck, false);
    return true;
}

namespace {

bool dispatch(App& app, const ui::Event& e) {
    using ui::EventKind;
    const int id = e.id;
    if (e.kind == EventKind::FocusGained) return on_box_entered(app, id);
    switch (id) {
        case kVbrBiasBox: return e.kind == EventKind::TextChanged && on_bias_typed(app);
        case kWaitBox: return e.kind == EventKind::TextChanged && on_wait_typed(app);
        // These are checked when left, so that "-" or "0." can be typed on the way to a number.
        case kMinBitrateFactorBox: return e.kind == EventKind::FocusLost && on_min_bitrate_factor_left(app);
        case kMaskTopBox:
        case kMaskBottomBox:
        case kShiftLinesBox: return e.kind == EventKind::FocusLost && on_mask_left(app, id);
        case kProgressiveSequenceCheck: return e.kind == EventKind::Clicked && on_progressive_sequence(app);
        case kAllow3BFramesCheck: return e.kind == EventKind::Clicked && on_allow_3_b_frames(app);
        case kIntraVlcCombo: return e.kind == EventKind::SelectionChanged && on_intra_vlc(app);
        case kColorimetryCombo: return e.kind == EventKind::SelectionChanged && on_colorimetry(app);
        case kMpegLevelCombo: return e.kind == EventKind::SelectionChanged && on_mpeg_level(app);
        case kLuminanceGainSlider: return e.kind == EventKind::Slid && on_luminance_gain(app);
        default: return e.kind == EventKind::Clicked && on_switch(app, id);
    }
}

}  // namespace

}  // namespace settings2

void on_settings2_page(App& app, const ui::Event& event) {
    if (event.dialog != kSettings2Page) return;
    if (settings2::dispatch(app, event)) settings::refresh_listing(app);
}

}  // namespace qz::pages
