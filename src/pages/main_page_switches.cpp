// The check boxes of the Main page and the automatic GOP length with its up-down.
#include "pages/main_page_parts.h"

#include "pages/main_page.h"

#include "pages/settings3_page.h"
#include "settings/free_format.h"
#include "pages/page_states.h"
#include "settings/value_text.h"

#include <string>

namespace qz::pages::main_page {

namespace {

constexpr int kMain = settings::dialog::kMain;
constexpr int kSettings1 = settings::dialog::kSettings1;
constexpr int kSettings2 = settings::dialog::kSettings2;

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
    app.controls.set_text(kMain, 1154, settings::int_text(length));
    if (length < 15) app.log.add("GOP length valid for PAL, NTSC and pulldown");
    else if (length == 15) app.log.add("GOP length valid for PAL, 29.97 NTSC, not for pulldown");
    else app.log.add("GOP length only valid for 29.97 NTSC");
}

// A length typed into the box becomes the up-down's position, so its next step starts from there.
void on_automatic_gop_typed(App& app) {
    int32_t length = 0;
    if (settings::parse_int_text(app.controls.text(kMain, 1154), length)) app.controls.set_pos(kMain, 1155, length);
}

// The Settings 1 states of constant quantisation off: its boxes, spins and "check max bitrate".
void show_constant_quantisation_off(App& app) {
    app.controls.set_checked(kSettings1, 1214, false);
    settings::set_enabled_ids(app, kSettings1, {1212, 1213, 1214, 1216, 1217, 1218}, false);
}


void on_one_pass_vbr(App& app, bool on) {
    auto& c = app.controls;
    if (!on) {
        c.set_enabled(kSettings1, 1211, true);
        app.log.add("1 pass Variable BitRate turned off");
        return;
    }
    const bool constant_quantisation_was_on = c.checked(kSettings1, 1211);
    c.set_checked(kSettings1, 1211, false);
    c.set_enabled(kSettings1, 1211, false);
    if (constant_quantisation_was_on) show_constant_quantisation_off(app);
    pages::show_one_pass_vbr_on(app);
    app.log.add("1 pass Variable BitRate turned on");
    if (constant_quantisation_was_on) app.log.add("Constant Quantization turned off");
}

}  // namespace

void on_switch(App& app, const ui::Event& event) {
    const bool on = app.controls.kind(kMain, event.id) == ui::Kind::Check && app.controls.checked(kMain, event.id);
    switch (event.id) {
        case 1150: on_smp(app, on); break;
        case 1151: on_pulldown(app, on); break;
        case 1152:
            app.log.add(on ? "scene change detection turned on, new closed GOP on every scene change"
                           : "scene change detection turned off");
            break;
        case 1153: on_automatic_gop(app, on); break;
        case 1154:
            if (event.kind == ui::EventKind::TextChanged) on_automatic_gop_typed(app);
            break;
        case 1155:
            if (event.kind == ui::EventKind::Spun) on_automatic_gop_spin(app, app.controls.pos(kMain, 1155));
            break;
        case 1156: app.log.add(on ? "closedgops turned on, every GOP will be closed" : "closedgops turned off"); break;
        case 1157: on_one_pass_vbr(app, on); break;
        default: break;
    }
}

}  // namespace qz::pages::main_page

namespace qz::pages {

void show_one_pass_vbr_on(App& app) {
    auto& c = app.controls;
    c.set_enabled(settings::dialog::kSettings1, 1211, false);
    c.set_enabled(settings::dialog::kMain, 1120, true);
    c.check_radio(settings::dialog::kMain, 1120);
    c.set_enabled(settings::dialog::kMain, 1121, true);
    c.set_enabled(settings::dialog::kMain, 1122, false);
    c.set_enabled(settings::dialog::kMain, 1123, true);
    c.set_enabled(settings::dialog::kMain, 1124, true);
    c.set_enabled(settings::dialog::kSettings2, 1306, true);  // "VBR bias"
}

}  // namespace qz::pages
