#include "commands/window_refresh.h"

#include "framelists/chapters_page.h"
#include "framelists/panscan_page.h"
#include "framelists/zones_page.h"
#include "pages/main_page.h"
#include "settings/value_text.h"
#include "commands/time_texts.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace qz::commands {

namespace {

constexpr int kMain = 103, kSettings1 = 104, kSettings2 = 105, kPanScanPage = 110;
constexpr const char* kNoInputCaption = "input file name (*.d2v, *.avs)";

void show_captions(App& app) {
    const settings::Settings& s = app.settings;
    ui::Controls& c = app.controls;
    if (s.is_given(settings::kInfile) && !s.input_file.empty()) {
        c.set_text(kMain, 1110, "input: " + shortened_path(s.input_file));
        c.set_enabled(kMain, 1111, true);
    } else {
        c.set_text(kMain, 1110, kNoInputCaption);  // no caption of an input that is gone
    }
    if (s.is_given(settings::kOutfile) && !s.output_file.empty()) {
        c.set_enabled(kMain, 1111, true);
        c.set_text(kMain, 1111, "output: " + shortened_path(s.output_file));
    }
    if (s.is_given(settings::kLogfile) && !s.log_file.empty()) {
        c.set_enabled(kMain, 1112, true);
        c.set_text(kMain, 1112, "log: " + shortened_path(s.log_file));
    }
    c.set_enabled(ui::kMainDialog, 1003, encode_possible(app));
}

void show_panscan_availability(App& app) {
    ui::Controls& c = app.controls;
    const int w = app.video.width, h = app.video.height;
    bool sized = (w == 720 || w == 704) && (h == 576 || h == 480);
    c.set_enabled(kMain, 1137, sized);
    if (sized) {
        c.set_text(kPanScanPage, 1814, w == 720 ? "540" : "528");
        c.set_text(kPanScanPage, 1815, h == 576 ? "576" : "480");
        c.set_text(kPanScanPage, 1812, "0");
        c.set_text(kPanScanPage, 1813, "0");
    }
    if (app.settings.panscan.on) c.check_radio(kMain, 1137);
}

void show_bitrate_fields(App& app) {
    ui::Controls& c = app.controls;
    if (!app.settings.input_valid) {
        for (int id : {1120, 1121, 1122, 1123, 1124, 1126, 1127}) c.set_enabled(kMain, id, false);
        return;
    }
    if (c.checked(kSettings1, 1211)) {
        c.set_enabled(kSettings1, 1212, true);
        c.set_enabled(kSettings1, 1214, true);
        for (int id : {1120, 1121, 1122, 1123}) c.set_enabled(kMain, id, false);
        c.set_enabled(kMain, 1124, c.checked(kSettings1, 1214));
    } else {
        c.set_enabled(kMain, 1120, true);
        c.check_radio(kMain, 1120);
        c.set_enabled(kMain, 1121, true);
        c.set_enabled(kMain, 1122, false);
        c.set_enabled(kMain, 1123, true);
        c.set_enabled(kMain, 1124, true);
    }
    c.set_enabled(kMain, 1126, true);
    c.set_enabled(kMain, 1127, true);
}

void show_pulldown_and_one_pass(App& app) {
    ui::Controls& c = app.controls;
    if (std::fabs(app.video.frame_rate - 23.976024) > 0.01) {
        c.set_checked(kMain, 1151, false);
        c.set_enabled(kMain, 1151, false);
    } else {
        c.set_enabled(kMain, 1151, true);
    }
    if (c.checked(kMain, 1157)) {
        pages::show_one_pass_vbr_on(app);
    } else {
        c.set_enabled(kSettings1, 1211, true);
    }
}

// The interlacing buttons follow "3:2 pulldown". Right after a settings file was read the file's
// interlacing and field order are selected; every file's *TFF or *BFF reaches the page, not only the
// first one of a run. After an input was chosen the choices on the page are the user's and stay.
void show_interlacing(App& app, bool settings_just_read) {
    ui::Controls& c = app.controls;
    const settings::Settings& s = app.settings;
    if (c.checked(kMain, 1151)) {
        c.check_radio(kSettings1, 1202);
        for (int id = 1201; id <= 1204; ++id) c.set_enabled(kSettings1, id, false);
        return;
    }
    for (int id = 1201; id <= 1206; ++id) c.set_enabled(kSettings1, id, true);
    if (!settings_just_read) return;
    if (s.is_given(settings::kProgressive)) {
        c.check_radio(kSettings1, 1202);
    } else if (s.is_given(settings::kInterlaced)) {
        c.check_radio(kSettings1, 1203);
        c.check_radio(kSettings1, 1205);
    } else if (s.is_given(settings::kDvSource)) {
        c.check_radio(kSettings1, 1204);
        c.check_radio(kSettings1, 1206);
    } else {
        c.check_radio(kSettings1, 1201);
    }
    if (s.is_given(settings::kProgressive)) return;
    if (s.is_given(settings::kTff)) {
        c.check_radio(kSettings1, 1205);
    } else if (s.is_given(settings::kBff)) {
        c.check_radio(kSettings1, 1206);
    }
}

}  // namespace

bool encode_possible(const App& app) {
    const settings::Settings& s = app.settings;
    bool output_named = s.is_given(settings::kOutfile) && !s.output_file.empty();
    bool script_without_environment = app.video.kind.is_avs && !input::avs_loaded(app.bridges.avisynth);
    return s.input_valid && output_named && !script_without_environment;
}

void refill_panscan_list(App& app) { framelists::show_panscan_list(app); }

void refresh_file_captions(App& app, RefreshScope scope) {
    show_captions(app);
    if (scope == RefreshScope::FileCaptions) return;
    if (scope == RefreshScope::ChapterImport || scope == RefreshScope::PanScanImport) {
        framelists::show_chapter_list(app);
        if (scope == RefreshScope::PanScanImport) framelists::refresh_panscan_controls(app);
        return;
    }
    // A load or another input: the pan-scan list and its offset table follow the record and the video.
    framelists::refresh_panscan_controls(app);
    if (scope == RefreshScope::SettingsRead) {
        framelists::show_chapter_list(app);
        framelists::show_zone_list(app);
    }
    show_panscan_availability(app);
    show_bitrate_fields(app);
    show_pulldown_and_one_pass(app);
    show_interlacing(app, scope == RefreshScope::SettingsRead);
}

}  // namespace qz::commands
