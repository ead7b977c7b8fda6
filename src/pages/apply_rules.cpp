#include "pages/apply_rules.h"

#include "pages/matrix_selection.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace qz::settings::apply {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kSettings3Page;
using ui::dialog::kMatrixPage;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;
using namespace ui::matrix_ids;

namespace {

constexpr float kLowestQuantiser = 1.0f;
constexpr float kHighestQuantiser = 31.0f;

// The whole text of a box as an integer, or `fallback` when it holds none.
int box_number(const App& app, int dialog, int id, int fallback) {
    std::string text = app.controls.text(dialog, id);
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return fallback;
    return value;
}

int average_bitrate(const App& app) {
    const Settings& s = app.settings;
    if (s.is_given(kBitrate)) return s.values.bitrate;
    return box_number(app, kMainPage, kAverageBitrateBox, s.values.bitrate);
}

void select_field_order(App& app, bool top_field_first) {
    app.controls.check_radio(kSettings1Page, top_field_first ? kTffRadio : kBffRadio);
}

}  // namespace

void bitrates(App& app) {
    Settings& s = app.settings;
    int average = average_bitrate(app);
    int maximum = s.is_given(kMaxBitrate) ? s.values.max_bitrate
                                          : box_number(app, kMainPage, kMaxBitrateBox, s.values.max_bitrate);
    // A file with a maximum and no average is what "Constant Quantization" saves: the quantiser sets
    // the rate, so no average is written. The maximum is the user's and stays; the average the pages
    // were reset to goes under it rather than raising it, so such a file loads back as it was saved.
    if (s.is_given(kMaxBitrate) && !s.is_given(kBitrate)) {
        s.values.max_bitrate = maximum;
        app.controls.set_text(kMainPage, kMaxBitrateBox, int_text(maximum));
        if (average > maximum) {
            s.values.bitrate = maximum;
            app.controls.set_text(kMainPage, kAverageBitrateBox, int_text(maximum));
        }
        return;
    }
    // An average above the maximum is a rate the encoder cannot keep; it holds also when the file
    // named only the average.
    if (s.is_given(kMaxBitrate) || average > maximum) {
        maximum = std::max(maximum, average);
        s.values.max_bitrate = maximum;
        app.controls.set_text(kMainPage, kMaxBitrateBox, int_text(maximum));
    }
}

void b_frame_limit(App& app) {
    int max_b_frames = app.settings.is_given(kB3) ? 3 : 2;
    set_b_frame_limit(app, max_b_frames);
    app.controls.set_pos(kSettings1Page, kBFramesSpin, max_b_frames);
    app.controls.set_text(kSettings1Page, kBFramesBox, int_text(max_b_frames));
}

void gop(App& app) {
    Settings& s = app.settings;
    OptionValues& v = s.values;
    auto& c = app.controls;
    bool fixed = s.is_given(kGop), automatic = s.is_given(kAutoGop);
    if (!fixed && !automatic) return;
    if (fixed) {
        v.gop_length = std::clamp(v.gop_length, 1, 36);
        v.gop_b_frames = std::clamp(v.gop_b_frames, 0, s.max_b_frames);
        c.set_text(kSettings1Page, kGopLengthBox, int_text(v.gop_length));
        c.set_pos(kSettings1Page, kGopLengthSpin, v.gop_length);
        c.set_text(kSettings1Page, kBFramesBox, int_text(v.gop_b_frames));
        c.set_pos(kSettings1Page, kBFramesSpin, v.gop_b_frames);
    }
    if (automatic) {
        c.set_text(kMainPage, kAutoGopBox, int_text(v.autogop));
        c.set_pos(kMainPage, kAutoGopSpin, v.autogop);
    }
    show_automatic_gop(app, automatic && (!fixed || v.automatic_gop));
}

void constant_quantisation(App& app) {
    Settings& s = app.settings;
    OptionValues& v = s.values;
    auto& c = app.controls;
    bool plain = s.is_given(kCq), checked = s.is_given(kCqMaxBitrate);
    if (!plain && !checked) return;
    // Both lines given: the later one (the record remembers which) decides.
    bool check_max_bitrate = checked && (!plain || v.cq_max_bitrate);
    // The quantiser box accepts 1 to 31; a file may hold anything.
    v.cq = std::isnan(v.cq) ? kDefaultQuantiser : std::clamp(v.cq, kLowestQuantiser, kHighestQuantiser);

    c.set_checked(kSettings1Page, kConstantQuantisationCheck, true);
    c.set_text(kSettings1Page, kQuantiserBox, quantiser_text(v.cq));
    c.set_checked(kSettings1Page, kMaxBitrateCheck, check_max_bitrate);
    set_enabled_ids(app, kSettings1Page,
                    {kQuantiserBox, kMaxBitrateCheck, kPFactorBox, kBFactorBox, kPFactorSpin, kBFactorSpin}, true);
    set_enabled_ids(app, kMainPage, {kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox, kAverageBitrateBox},
                    false);
    c.set_enabled(kMainPage, kMaxBitrateBox, check_max_bitrate);
    // The VBR bias means nothing to a constant quantiser; the writer leaves a disabled box out.
    c.set_enabled(kSettings2Page, kVbrBiasBox, false);
}

void quantiser_factors(App& app) {
    OptionValues& v = app.settings.values;
    struct Factor {
        Keyword keyword;
        float* value;
        int box, spin;
    };
    for (const Factor& f : {Factor{kCqPFactor, &v.cq_p_factor, kPFactorBox, kPFactorSpin},
                            Factor{kCqBFactor, &v.cq_b_factor, kBFactorBox, kBFactorSpin}}) {
        if (!app.settings.is_given(f.keyword)) continue;
        int position = nearest_factor_position(*f.value);
        *f.value = factor_at_position(position);
        app.controls.set_pos(kSettings1Page, f.spin, position);
        app.controls.set_text(kSettings1Page, f.box, factor_text(*f.value));
    }
}

void dead_zone(App& app) {
    const OptionValues& v = app.settings.values;
    auto& c = app.controls;
    if (!app.settings.is_given(kDeadZone)) return;
    bool off = v.dead_zone_intra == 0 && v.dead_zone_non_intra == 0;
    c.check_radio(kSettings1Page, off ? kDeadZoneOffRadio : kDeadZoneValuesRadio);
    set_enabled_ids(app, kSettings1Page, {kDeadZoneIntraBox, kDeadZoneNonIntraBox}, !off);
    if (off) return;
    c.set_text(kSettings1Page, kDeadZoneIntraBox, int_text(v.dead_zone_intra));
    c.set_text(kSettings1Page, kDeadZoneNonIntraBox, int_text(v.dead_zone_non_intra));
}

void silent(App& app) {
    if (!app.settings.is_given(kSilent)) return;
    app.controls.set_checked(kSettings2Page, kSilentCheck, true);
    app.controls.set_checked(kSettings2Page, kPreviewCheck, false);
    app.controls.set_enabled(kSettings2Page, kPreviewCheck, false);
}

void settings3_leftovers(App& app) {
    const Settings& s = app.settings;
    if (!s.is_given(kAvsMemory)) app.controls.set_text(kSettings3Page, kAvsMemoryBox, "");
    if (!s.is_given(kLossless)) app.controls.set_checked(kSettings3Page, kLosslessCheck, false);
    if (s.is_given(kDbPath)) app.controls.set_text(kSettings3Page, kDbPathButton, "DB path (set)");
    if (s.is_given(kLlPath)) app.controls.set_text(kSettings3Page, kLosslessPathButton, "LL path (set)");
}

void matrix_choice(App& app) {
    Settings& s = app.settings;
    if (s.is_given(kCustomMatrix)) {
        show_matrix_choice(app, true);
        s.matrix_number = 0;
    }
    if (s.is_given(kMatrix)) {
        show_matrix_choice(app, false);
        if (const char* caption = matrix_caption(s.matrix_number))
            app.controls.select_item(kMatrixPage, kBuiltInCombo, caption);
    }
    matrices::apply_matrix_selection(app);
}

void unmarked(App& app) {
    const Settings& s = app.settings;
    auto& c = app.controls;
    c.check_radio(kSettings1Page, s.values.chroma_downsample == 0 ? kChromaProgressiveRadio : kChromaInterlacedRadio);
    c.set_checked(kMainPage, kSmpCheck, s.values.multiprocessing && !s.is_given(kNoSmp));
    c.set_enabled(kMainPage, kOutputButton, true);
    if (input_name_set(s)) c.set_enabled(kMainPage, kLogButton, true);
}

void frame_range(App& app) {
    const Settings& s = app.settings;
    if (s.is_given(kFrames)) {
        // Frames count from 0; a negative start from a file means the first frame.
        int first = std::max(s.values.first_frame, 0);
        show_frame_range(app, first, std::max(s.values.last_frame, first));
    }
    show_file_length(app, average_bitrate(app));
}

void interlacing(App& app) {
    const Settings& s = app.settings;
    auto& c = app.controls;
    bool tff = s.is_given(kTff), bff = s.is_given(kBff);

    set_enabled_ids(app, kSettings1Page, kInterlacingRadios, true);
    set_enabled_ids(app, kSettings1Page, kFieldOrderRadios, true);
    c.check_radio(kSettings1Page, kAutoDetectRadio);
    c.check_radio(kSettings1Page, kTffRadio);
    c.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
    c.set_enabled(kSettings2Page, kProgressiveSequenceCheck, false);

    if (s.is_given(kProgressive)) {
        c.check_radio(kSettings1Page, kProgressiveRadio);
        select_field_order(app, !(bff && !tff));
        c.set_enabled(kSettings2Page, kProgressiveSequenceCheck, true);
        c.set_checked(kSettings2Page, kProgressiveSequenceCheck, s.is_given(kProgSeq));
    }
    if (s.is_given(kInterlaced)) {
        c.check_radio(kSettings1Page, kInterlacedRadio);
        select_field_order(app, !(bff && !tff));
        c.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
        c.set_enabled(kSettings2Page, kProgressiveSequenceCheck, false);
    }
    if (s.is_given(kDvSource)) {
        c.check_radio(kSettings1Page, kDvSourceRadio);
        select_field_order(app, tff);
        c.set_checked(kSettings2Page, kProgressiveSequenceCheck, false);
        c.set_enabled(kSettings2Page, kProgressiveSequenceCheck, false);
    }

    int interlacing_choice = c.checked_radio(kSettings1Page, kAutoDetectRadio);
    if (tff && interlacing_choice == kDvSourceRadio) select_field_order(app, true);
    if (bff && (interlacing_choice == kAutoDetectRadio || interlacing_choice == kProgressiveRadio))
        select_field_order(app, false);

    if (s.is_given(kPulldown)) {
        c.set_checked(kMainPage, kPulldownCheck, true);
        c.check_radio(kSettings1Page, kProgressiveRadio);
        set_enabled_ids(app, kSettings1Page, kInterlacingRadios, false);
    }
}

}  // namespace qz::settings::apply
