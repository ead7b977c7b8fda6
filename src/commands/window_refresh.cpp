#include "commands/window_refresh.h"

#include "framelists/chapters_page.h"
#include "framelists/panscan_page.h"
#include "framelists/zones_page.h"
#include "pages/main_page.h"
#include "settings/value_text.h"
#include "commands/time_texts.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings1_page.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace qz::commands {

using ui::dialog::kMainWindow;
using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kChaptersPage;
using ui::dialog::kZonesPage;
using ui::dialog::kPanScanPage;
using namespace ui::main_window_ids;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;

namespace {

constexpr const char* kNoInputCaption = "input file name (*.d2v, *.avs)";

void show_captions(App& app) {
    const settings::Settings& s = app.settings;
    ui::Controls& c = app.controls;
    if (s.is_given(settings::kInfile) && !s.input_file.empty()) {
        c.set_text(kMainPage, kInputButton, "input: " + shortened_path(s.input_file));
        c.set_enabled(kMainPage, kOutputButton, true);
    } else {
        c.set_text(kMainPage, kInputButton, kNoInputCaption);  // no caption of an input that is gone
    }
    if (s.is_given(settings::kOutfile) && !s.output_file.empty()) {
        c.set_enabled(kMainPage, kOutputButton, true);
        c.set_text(kMainPage, kOutputButton, "output: " + shortened_path(s.output_file));
    }
    if (s.is_given(settings::kLogfile) && !s.log_file.empty()) {
        c.set_enabled(kMainPage, kLogButton, true);
        c.set_text(kMainPage, kLogButton, "log: " + shortened_path(s.log_file));
    }
    c.set_enabled(kMainWindow, kEncodeButton, encode_possible(app));
}

void show_panscan_availability(App& app) {
    ui::Controls& c = app.controls;
    const int w = app.video.width, h = app.video.height;
    bool sized = (w == 720 || w == 704) && (h == 576 || h == 480);
    c.set_enabled(kMainPage, kAspectPanScanRadio, sized);
    if (sized) {
        c.set_text(kPanScanPage, ui::panscan_ids::kWidth, w == 720 ? "540" : "528");
        c.set_text(kPanScanPage, ui::panscan_ids::kHeight, h == 576 ? "576" : "480");
        c.set_text(kPanScanPage, ui::panscan_ids::kHorizontal, "0");
        c.set_text(kPanScanPage, ui::panscan_ids::kVertical, "0");
    }
    if (app.settings.panscan.on) c.check_radio(kMainPage, kAspectPanScanRadio);
}

void show_bitrate_fields(App& app) {
    ui::Controls& c = app.controls;
    if (!app.settings.input_valid) {
        for (int id : {kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox, kAverageBitrateBox, kMaxBitrateBox,
                       kStartFrameBox, kEndFrameBox})
            c.set_enabled(kMainPage, id, false);
        return;
    }
    if (c.checked(kSettings1Page, kConstantQuantisationCheck)) {
        c.set_enabled(kSettings1Page, kQuantiserBox, true);
        c.set_enabled(kSettings1Page, kMaxBitrateCheck, true);
        for (int id : {kAverageBitrateRadio, kFileLengthRadio, kFileLengthBox, kAverageBitrateBox})
            c.set_enabled(kMainPage, id, false);
        c.set_enabled(kMainPage, kMaxBitrateBox, c.checked(kSettings1Page, kMaxBitrateCheck));
    } else {
        c.set_enabled(kMainPage, kAverageBitrateRadio, true);
        c.check_radio(kMainPage, kAverageBitrateRadio);
        c.set_enabled(kMainPage, kFileLengthRadio, true);
        c.set_enabled(kMainPage, kFileLengthBox, false);
        c.set_enabled(kMainPage, kAverageBitrateBox, true);
        c.set_enabled(kMainPage, kMaxBitrateBox, true);
    }
    c.set_enabled(kMainPage, kStartFrameBox, true);
    c.set_enabled(kMainPage, kEndFrameBox, true);
}

void show_pulldown_and_one_pass(App& app) {
    ui::Controls& c = app.controls;
    if (std::fabs(app.video.frame_rate - 23.976024) > 0.01) {
        c.set_checked(kMainPage, kPulldownCheck, false);
        c.set_enabled(kMainPage, kPulldownCheck, false);
    } else {
        c.set_enabled(kMainPage, kPulldownCheck, true);
    }
    if (c.checked(kMainPage, kOnePassVbrCheck)) {
        pages::show_one_pass_vbr_on(app);
    } else {
        c.set_enabled(kSettings1Page, kConstantQuantisationCheck, true);
    }
}

// The interlacing buttons follow "3:2 pulldown". Right after a settings file was read the file's
// interlacing and field order are selected; every file's *TFF or *BFF reaches the page, not only the
// first one of a run. After an input was chosen the choices on the page are the user's and stay.
void show_interlacing(App& app, bool settings_just_read) {
    ui::Controls& c = app.controls;
    const settings::Settings& s = app.settings;
    if (c.checked(kMainPage, kPulldownCheck)) {
        c.check_radio(kSettings1Page, kProgressiveRadio);
        for (int id : kInterlacingRadios) c.set_enabled(kSettings1Page, id, false);
        return;
    }
    for (int id : kInterlacingRadios) c.set_enabled(kSettings1Page, id, true);
    for (int id : kFieldOrderRadios) c.set_enabled(kSettings1Page, id, true);
    if (!settings_just_read) return;
    if (s.is_given(settings::kProgressive)) {
        c.check_radio(kSettings1Page, kProgressiveRadio);
    } else if (s.is_given(settings::kInterlaced)) {
        c.check_radio(kSettings1Page, kInterlacedRadio);
        c.check_radio(kSettings1Page, kTffRadio);
    } else if (s.is_given(settings::kDvSource)) {
        c.check_radio(kSettings1Page, kDvSourceRadio);
        c.check_radio(kSettings1Page, kBffRadio);
    } else {
        c.check_radio(kSettings1Page, kAutoDetectRadio);
    }
    if (s.is_given(settings::kProgressive)) return;
    if (s.is_given(settings::kTff)) {
        c.check_radio(kSettings1Page, kTffRadio);
    } else if (s.is_given(settings::kBff)) {
        c.check_radio(kSettings1Page, kBffRadio);
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
