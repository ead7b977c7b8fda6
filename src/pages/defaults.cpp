#include "pages/defaults.h"

#include "pages/matrix_selection.h"
#include "pages/page_states.h"
#include "settings/value_text.h"

namespace qz::settings {

namespace {

constexpr int kDefaultBitrate = 4000;
constexpr int kDefaultMaxBitrate = 8000;
constexpr int kDefaultGopLength = 15;
constexpr int kDefaultBFrames = 2;

// The 4:3 pan-scan aspect needs a full-width PAL or NTSC frame.
bool panscan_possible(const App& app) {
    return (app.video.width == 720 || app.video.width == 704) &&
           (app.video.height == 576 || app.video.height == 480);
}

// The record's option values go back to what the pages show after a reset, so that a box whose text
// does not parse falls back to the default and an unmarked value applied after a load is the default.
void reset_record_values(App& app) {
    Settings& s = app.settings;
    s.values = OptionValues{};
    s.values.cq = kDefaultQuantiser;
    s.values.multiprocessing = app.processors.several;
    s.values.aspect = 3;
    s.values.colour = 0;
    s.matrix_number = 1;
    s.panscan.on = false;
}

void reset_main_window(App& app) {
    const Settings& s = app.settings;
    bool output_named = s.output_chosen || s.is_given(kOutfile);
    app.controls.set_enabled(dialog::kMainWindow, 1003, s.input_valid && output_named);
}

void reset_file_buttons(App& app) {
    auto& c = app.controls;
    constexpr int D = dialog::kMain;
    c.set_enabled(D, 1110, true);
    if (input_name_set(app.settings)) {
        set_enabled_ids(app, D, {1111, 1112}, true);
    } else {
        c.set_text(D, 1110, kInputCaption);
        c.set_text(D, 1111, kOutputCaption);
        c.set_text(D, 1112, kLogCaption);
        set_enabled_ids(app, D, {1111, 1112}, false);
    }
    set_enabled_ids(app, D, {1113, 1114, 1115, 1116}, true);
}

void reset_bitrate_and_range(App& app) {
    auto& c = app.controls;
    constexpr int D = dialog::kMain;
    bool valid = app.settings.input_valid;
    c.check_radio(D, 1120);
    c.set_checked(D, 1121, false);
    set_enabled_ids(app, D, {1120, 1121, 1123, 1124}, valid);
    c.set_enabled(D, 1122, false);  // "average bitrate" is the entry mode
    c.set_text(D, 1123, int_text(kDefaultBitrate));
    c.set_text(D, 1124, int_text(kDefaultMaxBitrate));

    bool whole_video = valid && app.video.frame_count > 0;
    show_frame_range(app, whole_video ? 0 : -1, app.video.frame_count - 1);
    set_enabled_ids(app, D, {1125, 1126, 1127}, valid);
    show_file_length(app, kDefaultBitrate);
}

void reset_main_page(App& app) {
    auto& c = app.controls;
    constexpr int D = dialog::kMain;
    reset_file_buttons(app);
    reset_bitrate_and_range(app);

    c.check_radio(D, 1131);  // "Normal"
    c.check_radio(D, 1135);  // "16:9"
    c.set_enabled(D, 1137, panscan_possible(app));
    c.check_radio(D, 1141);  // "  9"

    c.set_checked(D, 1150, app.processors.several);  // "SMP"
    c.set_checked(D, 1151, false);                   // "3:2 pulldown"
    c.set_checked(D, 1152, true);                    // "scene change"
    c.set_checked(D, 1156, false);                   // "closed gops"
    c.set_checked(D, 1157, false);                   // "1 pass VBR"
    c.set_text(D, 1154, int_text(kDefaultGopLength));
    c.set_range(D, 1155, 8, 18);
    c.set_pos(D, 1155, kDefaultGopLength);
    show_automatic_gop(app, true);
}

void reset_settings1(App& app) {
    auto& c = app.controls;
    constexpr int D = dialog::kSettings1;
    set_enabled_ids(app, D, {1201, 1202, 1203, 1204, 1205, 1206}, true);
    c.check_radio(D, 1201);  // "auto detect"
    c.check_radio(D, 1205);  // "TFF"
    c.check_radio(D, 1219);  // chroma downsampling "progressive"

    c.set_text(D, 1208, int_text(kDefaultGopLength));
    c.set_range(D, 1209, 1, 36);
    c.set_pos(D, 1209, kDefaultGopLength);
    set_b_frame_limit(app, 2);
    c.set_text(D, 1207, int_text(kDefaultBFrames));
    c.set_pos(D, 1210, kDefaultBFrames);

    // "1 pass VBR" is off, so constant quantisation may be switched on.
    c.set_enabled(D, 1211, true);
    c.set_checked(D, 1211, false);
    c.set_checked(D, 1214, false);
    c.set_text(D, 1212, quantiser_text(kDefaultQuantiser));
    c.set_text(D, 1213, factor_text(1.0f));
    c.set_text(D, 1216, factor_text(1.0f));
    for (int spin : {1217, 1218}) {
        c.set_range(D, spin, 1, kFactorStepCount);
        c.set_pos(D, spin, kFactorOnePosition);
    }
    set_enabled_ids(app, D, {1212, 1213, 1214, 1216, 1217, 1218}, false);

    c.set_pos(D, 1230, 2);
    c.set_text(D, 1231, "2");

    c.check_radio(D, 1241);  // dead zone "auto"
    c.set_text(D, 1243, "2");
    c.set_text(D, 1244, "2");
    set_enabled_ids(app, D, {1243, 1244}, false);
}

void reset_settings2(App& app) {
    auto& c = app.controls;
    constexpr int D = dialog::kSettings2;
    c.set_text(D, 1306, "0");
    c.set_enabled(D, 1306, true);  // constant quantisation is off
    c.set_text(D, 1305, factor_text(1.0f));
    c.set_text(D, 1316, "5");
    c.set_checked(D, 1308, true);  // "seq endcode"
    c.set_checked(D, 1307, true);  // "VBV check"
    for (int id : {1313, 1314, 1315, 1312, 1310, 1309, 1311, 1327, 1317}) c.set_checked(D, id, false);
    c.set_enabled(D, 1310, true);
    c.set_enabled(D, 1317, false);  // only "progressive" interlacing allows a progressive sequence
    for (int id : {1322, 1323, 1324}) c.set_text(D, id, "0");
    c.set_pos(D, 1320, 0);
    c.set_text(D, 1321, "0");
    c.select_item(D, 1329, intra_vlc_caption(2));
    c.select_item(D, 1328, colorimetry_caption(0));
    c.select_item(D, 1325, mpeg_level_caption(0));
    set_enabled_ids(app, D, {1325, 1328, 1329}, true);
}

void reset_settings3(App& app) {
    auto& c = app.controls;
    constexpr int D = dialog::kSettings3;
    c.check_radio(D, 1410);  // CPU "auto"
    c.check_radio(D, 1420);  // priority "idle"
    c.check_radio(D, 1430);  // "4:2:0"
    for (int id : {1401, 1402, 1403, 1404}) c.set_text(D, id, "0");
    c.set_text(D, 1424, "");
    c.set_checked(D, 1426, false);
    c.set_text(D, 1429, "");
}

void reset_matrix_page(App& app) {
    auto& c = app.controls;
    c.set_checked(dialog::kMatrix, 1507, false);
    show_matrix_choice(app, false);
    c.select_item(dialog::kMatrix, 1503, matrix_caption(1));
}

void reset_preview_pages(App& app) {
    for (int page : {dialog::kChapters, dialog::kZones, dialog::kPanScan}) app.controls.set_pos(page, 1611, 0);
    app.controls.set_text(dialog::kZones, 1711, "1.0");
}

}  // namespace

void reset_to_defaults(App& app) {
    auto batch = app.controls.hold();
    reset_record_values(app);
    reset_main_window(app);
    reset_main_page(app);
    reset_settings1(app);
    reset_settings2(app);
    reset_settings3(app);
    reset_matrix_page(app);
    reset_preview_pages(app);
    matrices::apply_matrix_selection(app);
}

void clear_chapter_list(App& app) {
    ChapterList& list = app.settings.chapters;
    list.count = 0;
    list.frames.fill(0);
    app.controls.clear_items(dialog::kChapters, 1604);
}

void clear_panscan_list(App& app) {
    PanScanList& list = app.settings.panscan;
    list.count = 0;
    list.entries.fill(PanScanEntry{});
    app.controls.clear_items(dialog::kPanScan, 1821);
}

}  // namespace qz::settings
