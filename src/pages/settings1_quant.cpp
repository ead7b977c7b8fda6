// Constant quantisation on the Settings 1 page: the switch with its effect on the bitrate controls of
// the Main page and on the VBR bias, the quantiser box, the maximum bitrate check and the P and B
// factor spins.
#include "pages/settings1_parts.h"

#include "settings/free_format.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

#include <algorithm>
#include <cmath>

namespace qz::pages::settings1 {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;

namespace {

// The non-linear quantiser scale of MPEG-2 runs from 1 to 31.
constexpr float kLowestQuantiser = 1.0f;
constexpr float kHighestQuantiser = 31.0f;

bool read_quantiser(const App& app, float& quantiser) {
    float value = 0.0f;
    if (!settings::parse_real_text(app.controls.text(kSettings1Page, kQuantiserBox), value) || !std::isfinite(value))
        return false;
    quantiser = value;
    return true;
}

void constant_quantisation_on(App& app) {
    auto& c = app.controls;
    settings::set_enabled_ids(app, kSettings1Page,
                              {kQuantiserBox, kMaxBitrateCheck, kPFactorBox, kBFactorBox, kPFactorSpin, kBFactorSpin},
                              true);
    c.set_checked(kSettings1Page, kMaxBitrateCheck, true);
    // A constant quantiser decides the rate itself: the average and the file length mean nothing.
    settings::set_enabled_ids(app, kMainPage,
                              {kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox, kAverageBitrateBox}, false);
    c.set_enabled(kMainPage, kMaxBitrateBox, true);
    c.set_enabled(kSettings2Page, kVbrBiasBox, false);
    app.log.add("1 pass Constant Quantization turned on, check on max bitrate also turned on");
    app.log.add("maximum bitrate will not be exceeded");
    app.log.add("check on VBV (Virtual Buffer Verifier) can also be turned on in Settings 2 tab");
}

void constant_quantisation_off(App& app) {
    auto& c = app.controls;
    c.set_enabled(kSettings1Page, kQuantiserBox, false);
    c.set_checked(kSettings1Page, kMaxBitrateCheck, false);
    settings::set_enabled_ids(app, kSettings1Page,
                              {kMaxBitrateCheck, kPFactorBox, kBFactorBox, kPFactorSpin, kBFactorSpin}, false);
    // Back to the average bitrate as the entry mode.
    c.set_enabled(kMainPage, kAverageBitrateRadio, true);
    c.check_radio(kMainPage, kAverageBitrateRadio);
    c.set_enabled(kMainPage, kFileLengthRadio, true);
    c.set_enabled(kMainPage, kFileLengthBox, false);
    settings::set_enabled_ids(app, kMainPage, {kAverageBitrateBox, kMaxBitrateBox}, true);
    c.set_enabled(kSettings2Page, kVbrBiasBox, true);
    app.log.add("constant quantization turned off");
}

}  // namespace

bool on_constant_quantisation(App& app) {
    if (app.controls.checked(kSettings1Page, kConstantQuantisationCheck)) constant_quantisation_on(app);
    else constant_quantisation_off(app);
    return true;
}

// The record's quantiser is the value the box goes back to when it is left without a number.
void on_quantiser_entered(App& app) {
    float quantiser = 0.0f;
    if (read_quantiser(app, quantiser)) app.settings.values.cq = quantiser;
}

bool on_quantiser_left(App& app) {
    float quantiser = app.settings.values.cq;
    read_quantiser(app, quantiser);
    if (!std::isfinite(quantiser)) quantiser = settings::kDefaultQuantiser;
    quantiser = std::clamp(quantiser, kLowestQuantiser, kHighestQuantiser);
    app.settings.values.cq = quantiser;
    app.controls.set_text(kSettings1Page, kQuantiserBox, settings::quantiser_text(quantiser));
    return true;
}

bool on_check_max_bitrate(App& app) {
    bool on = app.controls.checked(kSettings1Page, kMaxBitrateCheck);
    app.controls.set_enabled(kMainPage, kMaxBitrateBox, on);
    if (on)
        app.log.add("check VBV/max bitrate turned on: check on VBV (Virtual Buffer Verifier), maximum bitrate will not be exceeded");
    else
        app.log.add("check VBV/max bitrate turned off");
    return true;
}

// Shows the factor of the spin's step and reports the quantiser that P or B frames will get; the
// factor box is what the settings file takes.
bool on_factor_spun(App& app, int spin) {
    if (!app.controls.checked(kSettings1Page, kConstantQuantisationCheck)) return false;
    const bool p_frames = spin == kPFactorSpin;
    float factor = settings::factor_at_position(app.controls.pos(kSettings1Page, spin));
    app.controls.set_text(kSettings1Page, p_frames ? kPFactorBox : kBFactorBox, settings::factor_text(factor));

    float quantiser = 0.0f;
    if (!read_quantiser(app, quantiser)) {
        app.log.add("WARNING, invalid CQ value, not a number");
        return true;
    }
    float frame_quantiser = std::clamp(quantiser * factor, kLowestQuantiser, kHighestQuantiser);
    app.log.add(std::string(p_frames ? "Constant Quantization for P-frames set to "
                                     : "Constant Quantization for B-frames set to ") +
                settings::quantiser_text(frame_quantiser));
    return true;
}

}  // namespace qz::pages::settings1
