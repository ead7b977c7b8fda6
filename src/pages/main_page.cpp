// The Main page's handler: the six page buttons and "all frames" here, the radios and switches in
// their own files.
#include "pages/main_page.h"
#include "pages/input_checks.h"

#include "input/video_source.h"
#include "pages/compliance.h"
#include "pages/information_buttons.h"
#include "pages/main_page_parts.h"
#include "pages/settings3_page.h"
#include "pages/defaults.h"
#include "pages/page_states.h"
#include "pages/settings_file_writer.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

namespace qz::pages {

using namespace ui::main_page_ids;

namespace {

// The advice on a DVD's rates and sizes is about a video; without one there is nothing to judge.
void check_loaded_video(App& app) {
    if (app.settings.input_valid) input::check_input(app);
}

void on_reset(App& app) {
    settings::reset_to_defaults(app);
    app.log.add("all values reset to default");
    refresh_movie_information(app);
    refresh_size_estimate(app);
}

void on_dvd_fix(App& app) {
    app.log.add("possible non-DVD compliant settings fixed");
    make_dvd_compliant(app);
    check_loaded_video(app);
    refresh_size_estimate(app);
}

void on_bd_fix(App& app) {
    app.log.add("possible non-BD compliant settings fixed");
    make_bd_compliant(app);
    check_loaded_video(app);
    refresh_size_estimate(app);
}

void on_all_frames(App& app) {
    if (app.settings.input_valid && app.video.frame_count > 0)
        settings::show_frame_range(app, 0, app.video.frame_count - 1);
    refresh_movie_information(app);
    refresh_file_length(app);
    refresh_size_estimate(app);
    app.log.add("frame range set to all frames in video");
}

// Returns false for the reports, which change no setting.
bool run_button(App& app, int id) {
    switch (id) {
        case kResetButton: on_reset(app); return true;
        case kDvdCompliantButton: on_dvd_fix(app); return true;
        case kBdCompliantButton: on_bd_fix(app); return true;
        case kEncoderInfoButton: show_encoder_info(app); return false;
        case kAvisynthInfoButton: show_avisynth_info(app); return false;
        case kDgdecodeInfoButton: show_dgdecode_info(app); return false;
        case kAllFramesButton: on_all_frames(app); return true;
        default: return false;
    }
}

}  // namespace

void main_page::refresh_visible_listing(App& app) {
    using ui::dialog::tab_of_page;
    const int tab = app.controls.selected_tab();
    if (tab >= tab_of_page(ui::dialog::kSettings1Page) && tab <= tab_of_page(ui::dialog::kSettings3Page))
        settings::refresh_listing(app);
}

void on_main_page(App& app, const ui::Event& event) {
    const int id = event.id;
    bool settings_changed = true;
    if ((id >= kResetButton && id <= kDgdecodeInfoButton) || id == kAllFramesButton) {
        if (event.kind != ui::EventKind::Clicked) return;
        settings_changed = run_button(app, id);
    } else if (id == kAverageBitrateRadio || id == kFileLengthRadio ||
               (id >= kFastRadio && id <= kDcPrecision11Radio)) {  // profile, aspect and DC precision
        if (event.kind != ui::EventKind::Clicked) return;
        main_page::on_choice(app, id);
    } else if (id >= kSmpCheck && id <= kOnePassVbrCheck) {
        main_page::on_switch(app, event);
    } else {
        return;  // the movie information fields only show
    }
    if (settings_changed) main_page::refresh_visible_listing(app);
}

}  // namespace qz::pages
