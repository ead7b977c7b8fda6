// The radios of the Main page: bitrate entry mode, speed profile, aspect ratio, DC precision.
#include "pages/main_page_parts.h"

#include "pages/page_states.h"
#include "settings/value_text.h"

namespace qz::pages::main_page {

namespace {

constexpr int kMain = settings::dialog::kMain;
constexpr int kPanScanAspect = 5;
constexpr int kPanScanColorimetry = 5;  // BT.470-2BG

void on_bitrate_mode(App& app, int id) {
    auto& c = app.controls;
    if (!c.checked(kMain, id)) return;
    if (id == 1120) {
        app.log.add("please set average and maximum bitrate");
        c.set_enabled(kMain, 1122, false);
        c.set_enabled(kMain, 1123, true);
        c.set_enabled(kMain, 1124, true);
    } else {
        app.log.add("please set file length and maximum bitrate");
        c.set_enabled(kMain, 1122, true);
        c.set_enabled(kMain, 1123, false);
        c.set_enabled(kMain, 1124, true);
    }
}

void select_colorimetry(App& app, int code) {
    app.controls.select_item(settings::dialog::kSettings2, 1328, settings::colorimetry_caption(code));
    app.settings.values.colour = code;
}

void on_aspect(App& app, int id) {
    settings::OptionValues& v = app.settings.values;
    if (id == 1137) {
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
    const int code = id - 1133 + 1;
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
        case 1120:
        case 1121: on_bitrate_mode(app, id); break;
        case 1130: app.log.add("fastest encode, lowest quality but still pretty good :)"); break;
        case 1131: app.log.add("normal speed encode, normal quality"); break;
        case 1132: app.log.add("slowest encode, highest quality"); break;
        case 1133:
        case 1134:
        case 1135:
        case 1136:
        case 1137: on_aspect(app, id); break;
        case 1140: app.log.add("dc precision 8 set, recommended for low bitrate"); break;
        case 1141: app.log.add("dc precision 9 set, recommended for normal bitrate"); break;
        case 1142: app.log.add("dc precision 10 set, recommended for high bitrate"); break;
        case 1143: app.log.add("dc precision 11 set, NOT DVD-COMPLIANT !!"); break;
        default: break;
    }
}

}  // namespace qz::pages::main_page
