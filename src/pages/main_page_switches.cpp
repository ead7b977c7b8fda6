// The check boxes of the Main page and the automatic GOP length with its up-down.
#include "pages/main_page_parts.h"

#include "pages/main_page.h"

#include "pages/settings3_page.h"
#include "settings/free_format.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

#include <string>

namespace qz::pages {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;

}  // namespace qz::pages

namespace qz::pages::main_page {

namespace {

void on_smp(App& app, bool on) {
    std::string line = on ? "SMP (Symmetric MultiProcessing) turned on, nr. of processors detected: "
                          : "SMP (Symmetric MultiProcessing) turned off, nr. of processors detected: ";
    app.log.add(line + std::to_string(app.processors.count));
}

void on_pulldown(App& app, bool on) {
    settings::show_pulldown_interlacing(app, on);
    if (on) {
        app.log.add("pulldown turned on, set flags for 23.976 --> 29.97 fps, interlaced is disabled");
        app.log.add("if your source is interlaced please de-interlace it first");
        app.log.add("if input rate is not equal to 23.976, setting is ignored");
    } else {
        app.log.add("pulldown turned off, interlacing options set to default");
    }
    // The size of a lossless intermediate file depends on the interlacing choice.
    refresh_size_estimate(app);
}

void on_automatic_gop(App& app, bool on) {
    settings::show_automatic_gop(app, on);
    app.log.add(on ? "autogop turned on, variable B frames"
                   : "autogop turned off, you can change GOP settings in Settings 1 tab");
}

void on_automatic_gop_spin(App& app, int length) {
    app.controls.set_text(kMainPage, kAutoGopBox, settings::int_text(length));
    if (length < 15) app.log.add("GOP length valid for PAL, NTSC and pulldown");
    else if (length == 15) app.log.add("GOP length valid for PAL, 29.97 NTSC, not for pulldown");
    else app.log.add("GOP length only valid for 29.97 NTSC");
}

// A length typed into the box becomes the up-down's position, so its next step starts from there.
void on_automatic_gop_typed(App& app) {
    int32_t length = 0;
    if (settings::parse_int_text(app.controls.text(kMainPage, kAutoGopBox), length))
        app.controls.set_pos(kMainPage, kAutoGopSpin, length);
}

// The Settings 1 states of constant quantisation off: its boxes, spins and "check max bitrate".
void show_constant_quantisation_off(App& app) {
    app.controls.set_checked(kSettings1Page, kMaxBitrateCheck, false);
    settings::set_enabled_ids(app, kSettings1Page,
                              {kQuantiserBox, kPFactorBox, kMaxBitrateCheck, kBFactorBox, kPFactorSpin, kBFactorSpin},
                              false);
}

void on_one_pass_vbr(App& app, bool on) {
    auto& c = app.controls;
    if (!on) {
        c.set_enabled(kSettings1Page, kConstantQuantisationCheck, true);
        app.log.add("1 pass Variable BitRate turned off");
        return;
    }
    const bool constant_quantisation_was_on = c.checked(kSettings1Page, kConstantQuantisationCheck);
    c.set_checked(kSettings1Page, kConstantQuantisationCheck, false);
    c.set_enabled(kSettings1Page, kConstantQuantisationCheck, false);
    if (constant_quantisation_was_on) show_constant_quantisation_off(app);
    pages::show_one_pass_vbr_on(app);
    app.log.add("1 pass Variable BitRate turned on");
    if (constant_quantisation_was_on) app.log.add("Constant Quantization turned off");
}

}  // namespace

void on_switch(App& app, const ui::Event& event) {
    const bool on =
        app.controls.kind(kMainPage, event.id) == ui::Kind::Check && app.controls.checked(kMainPage, event.id);
    switch (event.id) {
        case kSmpCheck: on_smp(app, on); break;
        case kPulldownCheck: on_pulldown(app, on); break;
        case kSceneChangeCheck:
            app.log.add(on ? "scene change detection turned on, new closed GOP on every scene change"
                           : "scene change detection turned off");
            break;
        case kAutoGopCheck: on_automatic_gop(app, on); break;
        case kAutoGopBox:
            if (event.kind == ui::EventKind::TextChanged) on_automatic_gop_typed(app);
            break;
        case kAutoGopSpin:
            if (event.kind == ui::EventKind::Spun)
                on_automatic_gop_spin(app, app.controls.pos(kMainPage, kAutoGopSpin));
            break;
        case kClosedGopsCheck:
            app.log.add(on ? "closedgops turned on, every GOP will be closed" : "closedgops turned off");
            break;
        case kOnePassVbrCheck: on_one_pass_vbr(app, on); break;
        default: break;
    }
}

}  // namespace qz::pages::main_page

namespace qz::pages {

void show_one_pass_vbr_on(App& app) {
    auto& c = app.controls;
    c.set_enabled(kSettings1Page, kConstantQuantisationCheck, false);
    c.set_enabled(kMainPage, kAverageBitrateRadio, true);
    c.check_radio(kMainPage, kAverageBitrateRadio);
    c.set_enabled(kMainPage, kFileLengthRadio, true);
    c.set_enabled(kMainPage, kFileLengthBox, false);
    c.set_enabled(kMainPage, kAverageBitrateBox, true);
    c.set_enabled(kMainPage, kMaxBitrateBox, true);
    c.set_enabled(kSettings2Page, kVbrBiasBox, true);
}

}  // namespace qz::pages
