// The radios of the Main page: bitrate entry mode, speed profile, aspect ratio, DC precision.
#include "pages/main_page_parts.h"

#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings2_page.h"

namespace qz::pages::main_page {

using ui::dialog::kMainPage;
using ui::dialog::kSettings2Page;
using namespace ui::main_page_ids;
using namespace ui::settings2_ids;

namespace {

constexpr int kPanScanAspect = 5;
constexpr int kPanScanColorimetry = 5;  // BT.470-2BG

void on_bitrate_mode(App& app, int id) {
    auto& c = app.controls;
    if (!c.checked(kMainPage, id)) return;
    if (id == kAverageBitrateRadio) {
        app.log.add("please set average and maximum bitrate");
        c.set_enabled(kMainPage, kFileLengthBox, false);
        c.set_enabled(kMainPage, kAverageBitrateBox, true);
        c.set_enabled(kMainPage, kMaxBitrateBox, true);
    } else {
        app.log.add("please set file length and maximum bitrate");
        c.set_enabled(kMainPage, kFileLengthBox, true);
        c.set_enabled(kMainPage, kAverageBitrateBox, false);
        c.set_enabled(kMainPage, kMaxBitrateBox, true);
    }
}

void select_colorimetry(App& app, int code) {
    app.controls.select_item(kSettings2Page, kColorimetryCombo, settings::colorimetry_caption(code));
    app.settings.values.colour = code;
}

void on_aspect(App& app, int id) {
    settings::OptionValues& v = app.settings.values;
    if (id == kAspectPanScanRadio) {
        app.log.add("aspect ratio set to 4:3 panscan, colorimetry set to BT.470-2BG");
        v.aspect = kPanScanAspect;
        app.settings.panscan.on = true;
        select_colorimetry(app, kPanScanColorimetry);
        return;
    }
    static constexpr const char* kLines[] = {
        "aspect ratio set to 1:1, NOT DVD-COMPLIANT !!",
        "aspect ratio set to 4:3",
        "aspect ratio set to 16:9",
        "aspect ratio set to 2.21:1, NOT DVD-COMPLIANT !!",
    };
    const int code = id - kAspect1To1Radio + 1;
    app.log.add(kLines[code - 1]);
    if (v.aspect == kPanScanAspect) {
        select_colorimetry(app, 0);
        app.log.add("colorimetry reset to default");
    }
    v.aspect = code;
    app.settings.panscan.on = false;
}

}  // namespace

void on_choice(App& app, int id) {
    switch (id) {
        case kAverageBitrateRadio:
        case kFileLengthRadio: on_bitrate_mode(app, id); break;
        case kFastRadio: app.log.add("fastest encode, lowest quality but still pretty good :)"); break;
        case kNormalRadio: app.log.add("normal speed encode, normal quality"); break;
        case kBestRadio: app.log.add("slowest encode, highest quality"); break;
        case kAspect1To1Radio:
        case kAspect4To3Radio:
        case kAspect16To9Radio:
        case kAspect221To1Radio:
        case kAspectPanScanRadio: on_aspect(app, id); break;
        case kDcPrecision8Radio: app.log.add("dc precision 8 set, recommended for low bitrate"); break;
        case kDcPrecision9Radio: app.log.add("dc precision 9 set, recommended for normal bitrate"); break;
        case kDcPrecision10Radio: app.log.add("dc precision 10 set, recommended for high bitrate"); break;
        case kDcPrecision11Radio: app.log.add("dc precision 11 set, NOT DVD-COMPLIANT !!"); break;
        default: break;
    }
}

}  // namespace qz::pages::main_page
