// The Settings 1 page: the dispatcher, and the interlacing, field order, chroma downsampling, AQ and
// dead zone handlers. The GOP and constant quantisation handlers are in settings1_gop.cpp and
// settings1_quant.cpp.
#include "pages/settings1_page.h"

#include "pages/settings1_parts.h"
#include "pages/settings3_page.h"
#include "settings/free_format.h"
#include "pages/page_states.h"
#include "pages/settings_file_writer.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

#include <algorithm>

namespace qz::pages {

using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;

namespace settings1 {

namespace {

// The encoder accepts dead zone values 0 to 6.
constexpr int kMaxDeadZone = 6;

void turn_off_progressive_sequence(App& app) {
    app.controls.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
    app.controls.set_enabled(kSettings2Page, kProgressiveSequenceCheck, false);
}

}  // namespace

bool on_interlacing(App& app, int radio) {
    auto& c = app.controls;
    if (!c.checked(kSettings1Page, radio)) return false;
    switch (radio) {
        case kAutoDetectRadio:
            turn_off_progressive_sequence(app);
            app.log.add("auto detect progressive / interlaced frames");
            break;
        case kProgressiveRadio:
            // Only progressive frames can make a progressive sequence.
            c.set_enabled(kSettings2Page, kProgressiveSequenceCheck, true);
            app.log.add("encode all frames progressive, zigzag scan");
            break;
        case kInterlacedRadio:
            turn_off_progressive_sequence(app);
            c.check_radio(kSettings1Page, kTffRadio);
            app.log.add("encode all frames interlaced, alternate scan, TFF set");
            break;
        case kDvSourceRadio:
            turn_off_progressive_sequence(app);
            c.check_radio(kSettings1Page, kBffRadio);
            app.log.add("encode all frames interlaced, alternate scan, BFF set");
            break;
        default: return false;
    }
    c.set_enabled(kSettings1Page, kTffRadio, true);
    c.set_enabled(kSettings1Page, kBffRadio, true);
    // The lossless file grows or shrinks with the way frames are coded.
    refresh_size_estimate(app);
    return true;
}

bool on_field_order(App& app, int radio) {
    auto& c = app.controls;
    if (!c.checked(kSettings1Page, radio)) return false;
    if (radio == kBffRadio) {
        app.log.add("Bottom Field First flagged");
        return true;
    }
    if (c.checked(kSettings2Page, kProgressiveSequenceCheck)) {
        c.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
        app.log.add("Top Field First flagged, progressive sequence turned off");
    } else {
        app.log.add("Top Field First flagged");
    }
    return true;
}

bool on_chroma_downsampling(App& app, int radio) {
    if (!app.controls.checked(kSettings1Page, radio)) return false;
    bool interlaced = radio == kChromaInterlacedRadio;
    app.log.add(interlaced ? "interlaced chroma downsampling selected" : "progressive chroma downsampling selected");
    return true;
}

bool on_aq_slid(App& app) {
    static constexpr const char* kMessages[] = {
        "no adaptive quantization, (default: AQ = 2)",
        "adaptive quantization, strength = 1, (default: AQ = 2)",
        "adaptive quantization, strength = 2, (default: AQ = 2)",
        "adaptive quantization, strength = 3, (default: AQ = 2)",
        "adaptive quantization, strength = 4, (default: AQ = 2)",
    };
    int strength = std::clamp(app.controls.pos(kSettings1Page, kAqSlider), 0, 4);
    app.controls.set_text(kSettings1Page, kAqBox, settings::int_text(strength));
    app.log.add(kMessages[strength]);
    return true;
}

bool on_dead_zone_mode(App& app, int radio) {
    if (!app.controls.checked(kSettings1Page, radio)) return false;
    bool set_values = radio == kDeadZoneValuesRadio;
    settings::set_enabled_ids(app, kSettings1Page, {kDeadZoneIntraBox, kDeadZoneNonIntraBox}, set_values);
    if (radio == kDeadZoneOffRadio) app.log.add("dead zone quantization turned off");
    if (radio == kDeadZoneAutoRadio) app.log.add("dead zone quantization set to automatic");
    if (set_values) app.log.add("set intra and non-intra values for dead zone quantization (range 0 - 6)");
    return true;
}

// A box without a number keeps that dead zone's previous value; the range is 0 to 6 (the box takes
// digits only, so below 0 can come only from a pasted sign).
bool on_dead_zone_typed(App& app, int box) {
    bool intra = box == kDeadZoneIntraBox;
    int32_t& stored = intra ? app.settings.values.dead_zone_intra : app.settings.values.dead_zone_non_intra;
    int32_t value = stored;
    if (!settings::parse_int_text(app.controls.text(kSettings1Page, box), value)) value = stored;
    stored = std::clamp(value, 0, kMaxDeadZone);
    app.controls.set_text(kSettings1Page, box, settings::int_text(stored));
    app.log.add(intra ? "intra dead zone set" : "non-intra dead zone set");
    return true;
}

namespace {

bool is_radio_click(const ui::Event& e) { return e.kind == ui::EventKind::Clicked; }

bool dispatch(App& app, const ui::Event& e) {
    using ui::EventKind;
    const int id = e.id;
    if (id >= kAutoDetectRadio && id <= kDvSourceRadio) return is_radio_click(e) && on_interlacing(app, id);
    if (id == kTffRadio || id == kBffRadio) return is_radio_click(e) && on_field_order(app, id);
    if (id == kChromaProgressiveRadio || id == kChromaInterlacedRadio)
        return is_radio_click(e) && on_chroma_downsampling(app, id);
    if (id >= kDeadZoneOffRadio && id <= kDeadZoneValuesRadio) return is_radio_click(e) && on_dead_zone_mode(app, id);
    switch (id) {
        case kGopLengthBox: return e.kind == EventKind::TextChanged && on_gop_length_typed(app);
        case kGopLengthSpin: return e.kind == EventKind::Spun && on_gop_length_spun(app);
        case kBFramesBox: return e.kind == EventKind::TextChanged && on_b_frames_typed(app);
        case kBFramesSpin: return e.kind == EventKind::Spun && on_b_frames_spun(app);
        case kConstantQuantisationCheck: return e.kind == EventKind::Clicked && on_constant_quantisation(app);
        case kQuantiserBox:
            if (e.kind == EventKind::FocusGained) on_quantiser_entered(app);
            if (e.kind == EventKind::FocusLost) return on_quantiser_left(app);
            // Typing is checked when the box is left, so a half-typed value is never corrected.
            return false;
        case kMaxBitrateCheck: return e.kind == EventKind::Clicked && on_check_max_bitrate(app);
        case kPFactorSpin:
        case kBFactorSpin: return e.kind == EventKind::Spun && on_factor_spun(app, id);
        case kAqSlider: return e.kind == EventKind::Slid && on_aq_slid(app);
        case kDeadZoneIntraBox:
        case kDeadZoneNonIntraBox: return e.kind == EventKind::TextChanged && on_dead_zone_typed(app, id);
        default: return false;
    }
}

}  // namespace

}  // namespace settings1

void on_settings1_page(App& app, const ui::Event& event) {
    if (event.dialog != kSettings1Page) return;
    if (settings1::dispatch(app, event)) settings::refresh_listing(app);
}

}  // namespace qz::pages
