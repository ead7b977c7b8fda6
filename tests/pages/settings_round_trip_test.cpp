// A settings file carries the pages: random but valid page states, reached by a user's actions on the
// Main, Settings and Matrix pages (with or without an input, output and log file, and with frame
// lists as the program keeps them), saved with "save ini file" and loaded with "load ini file", show
// the same page states again, and a second save writes the same bytes. Seeded; a failure names its
// seed and prints the file.
//
// What may differ after the load, and why:
// - the Message log: the load writes its own lines.
// - the bitrate entry mode ("average bitrate" or "file length", and which of their boxes is
//   enabled): every load returns to "average bitrate".
// - the file length: the file holds the average bitrate; the length is figured from it anew
//   (a typed length gave an average rounded to whole kbit/s).
// - the average bitrate under "Constant Quantization": no *BITRATE is written, the quantiser
//   sets the rate; the average comes back as the default, held under the maximum.
// - without a valid input, whether the bitrate boxes are enabled: the constant quantisation switch
//   enables them, a load leaves them disabled until there is a video.
// - the output button's enabled state without an input name: a load enables it.
// - whether "3:2 pulldown" is enabled without a 23.976 fps video: a load checks the video's rate.
// - boxes whose option is off, so their line is not written, come back as a reset leaves them: the
//   GOP length and B-frames boxes and spins under "autogop"; the automatic GOP length and its spin
//   without it; the quantiser and factor boxes and spins without constant quantisation; the dead zone
//   boxes unless "set values" is chosen; the VBR bias while its box is disabled.
// - dead zone "set values" with 0 and 0: the file says "0 0", which is "off".
// - the matrix combo under "custom matrix": the file holds the custom pair, not the built-in pair it
//   was started from.
// - the pan-scan list while "4:3 PanScan" is off: the file holds the list only with pan-scan on.
// - the lossless size estimate: it is figured when the user changes what it depends on.
// - the frame list boxes of the preview pages: they are filled when their page is shown.
// The states made here keep to what a file can hold, for a load changes these on purpose: an
// automatic GOP length of 12 to 18 (the spin goes down to 8 and the BD fix may copy a shorter fixed
// GOP length, but the reader keeps a file's *AUTOGOP within 12 to 18); an Avisynth memory of 16 MB or
// more (opening the input puts in force, and shows, what Avisynth accepts); and "3:2 pulldown" only
// with a 23.976 fps video (a load turns it off otherwise).
#include "pages_fixture.h"

#include "settings/free_format.h"
#include "platform/program_paths.h"
#include "commands/window_refresh.h"
#include "ui/control_spec.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

namespace qz::pages::testing {

using ui::dialog::kMainWindow;
using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kSettings3Page;
using ui::dialog::kMatrixPage;
using ui::dialog::kChaptersPage;
using ui::dialog::kZonesPage;
using ui::dialog::kPanScanPage;
using namespace ui::main_window_ids;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;
using namespace ui::matrix_ids;

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void spill(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// One seed per test, each in a program of its own: a load keeps the zone list, the paths and the
// loaded libraries of the one before, and a run of seeds must not lean on that.
class SettingsRoundTripTest : public SettingsPagesTest, public ::testing::WithParamInterface<unsigned> {
protected:
    fs::path dir;
    std::mt19937 rng;

    void SetUp() override {
        SettingsPagesTest::SetUp();
        dir = fs::temp_directory_path() / ("qz_settings_round_trip_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        spill(dir / "clip.avs", "BlankClip(length=1000, width=720, height=576, pixel_type=\"YV12\", fps=25)\n");
        spill(dir / "film.avs", "BlankClip(length=700, width=704, height=480, pixel_type=\"YV12\", fps=23.976)\n");
    }
    void TearDown() override { fs::remove_all(dir); }

    // A program as it starts without a QZ.ini (the fixture has reset the pages).
    void start_afresh() {
        app.paths = platform::build_program_paths((dir / "qzgui").string(), '/');
        app.settings.default_settings_path = app.paths.default_settings_file;
    }

    int any(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    bool chance(int percent) { return any(1, 100) <= percent; }
    template <size_t N>
    int one_of(const int (&ids)[N]) {
        return ids[static_cast<size_t>(any(0, static_cast<int>(N) - 1))];
    }
    std::string number(int low, int high) { return std::to_string(any(low, high)); }

    void choose_file(int button, const fs::path& path) {
        dialogs.files.push_back(path.string());
        user.click(kMainPage, button);
        dialogs.files.clear();
    }

    // ---- a user's actions with values the pages take
    void act_on_main() {
        static constexpr int kClicks[] = {
            kFastRadio,          kNormalRadio,        kBestRadio,          kAspect1To1Radio,     kAspect4To3Radio,
            kAspect16To9Radio,   kAspect221To1Radio,  kAspectPanScanRadio, kDcPrecision8Radio,   kDcPrecision9Radio,
            kDcPrecision10Radio, kDcPrecision11Radio, kSmpCheck,           kPulldownCheck,       kSceneChangeCheck,
            kAutoGopCheck,       kClosedGopsCheck,    kOnePassVbrCheck,    kAverageBitrateRadio, kFileLengthRadio,
            kAllFramesButton};
        switch (any(0, 5)) {
            case 0: type_and_leave(kMainPage, kAverageBitrateBox, number(500, 15000)); break;
            case 1: type_and_leave(kMainPage, kMaxBitrateBox, number(500, 15000)); break;
            case 2: type_and_leave(kMainPage, any(0, 1) ? kStartFrameBox : kEndFrameBox, number(0, 1200)); break;
            case 3:
                if (any(0, 1)) user.spin(kMainPage, kAutoGopSpin, any(12, 18));
                else user.type(kMainPage, kAutoGopBox, number(12, 18));
                break;
            case 4: type_and_leave(kMainPage, kFileLengthBox, number(1000, 900000)); break;
            default: user.click(kMainPage, one_of(kClicks)); break;
        }
    }

    void act_on_settings1() {
        static constexpr int kClicks[] = {kAutoDetectRadio,
                                          kProgressiveRadio,
                                          kInterlacedRadio,
                                          kDvSourceRadio,
                                          kTffRadio,
                                          kBffRadio,
                                          kChromaProgressiveRadio,
                                          kChromaInterlacedRadio,
                                          kConstantQuantisationCheck,
                                          kMaxBitrateCheck,
                                          kDeadZoneOffRadio,
                                          kDeadZoneAutoRadio,
                                          kDeadZoneValuesRadio};
        switch (any(0, 6)) {
            case 0: user.type(kSettings1Page, kGopLengthBox, number(1, 36)); break;
            case 1: user.type(kSettings1Page, kBFramesBox, number(0, 3)); break;
            case 2:
                user.spin(kSettings1Page, one_of({kGopLengthSpin, kBFramesSpin, kPFactorSpin, kBFactorSpin}),
                          any(0, 36));
                break;
            case 3: type_and_leave(kSettings1Page, kQuantiserBox, number(1, 31) + "." + number(0, 999)); break;
            case 4: user.slide(kSettings1Page, kAqSlider, any(0, 4)); break;
            case 5:
                user.type(kSettings1Page, any(0, 1) ? kDeadZoneIntraBox : kDeadZoneNonIntraBox, number(0, 6));
                break;
            default: user.click(kSettings1Page, one_of(kClicks)); break;
        }
    }

    void act_on_settings2() {
        static constexpr int kClicks[] = {kVbvCheck,    kSeqEndcodeCheck,          kShutdownCheck,     kPreviewCheck,
                                          kSilentCheck, kLastIFrameCheck,          kScdFileCheck,      kFrameLogCheck,
                                          kPsnrCheck,   kProgressiveSequenceCheck, kAllow3BFramesCheck};
        switch (any(0, 6)) {
            case 0: type_and_leave(kSettings2Page, kMinBitrateFactorBox, "1." + number(0, 99)); break;
            case 1:
                type_and_leave(kSettings2Page, one_of({kMaskTopBox, kMaskBottomBox, kShiftLinesBox}), number(0, 40));
                break;
            case 2: user.type(kSettings2Page, kVbrBiasBox, number(0, 100)); break;
            case 3: user.type(kSettings2Page, kWaitBox, number(0, 99)); break;
            case 4: {
                int combo = one_of({kMpegLevelCombo, kColorimetryCombo, kIntraVlcCombo});
                user.pick(kSettings2Page, combo,
                          c.item(kSettings2Page, combo, any(0, c.item_count(kSettings2Page, combo) - 1)));
                break;
            }
            case 5: user.slide(kSettings2Page, kLuminanceGainSlider, any(0, 4)); break;
            default: user.click(kSettings2Page, one_of(kClicks)); break;
        }
    }

    void act_on_settings3() {
        static constexpr int kClicks[] = {
            kCpuAutoRadio,      kCpuMmxRadio,      kCpuSse2Radio,        kCpuSse3Radio,
            kCpuSsse3Radio,     kCpuSse4Radio,     kCpuAvxRadio,         kCpuAvx2Radio,
            kPriorityIdleRadio, kPriorityLowRadio, kPriorityNormalRadio, kPriorityHighRadio,
            kChroma420Radio,    kChroma422Radio,   kChroma444Radio,      kLosslessCheck};
        switch (any(0, 3)) {
            case 0:
                user.type(kSettings3Page,
                          one_of({kTimeCodeHourBox, kTimeCodeMinuteBox, kTimeCodeSecondBox, kTimeCodeFrameBox}),
                          number(0, 23));
                break;
            case 1:
                user.enter(kSettings3Page, kAvsMemoryBox);
                user.type(kSettings3Page, kAvsMemoryBox, chance(20) ? "" : number(16, 1024));
                user.leave(kSettings3Page, kAvsMemoryBox);
                break;
            case 2:
                dialogs.folders.push_back((dir / ("folder" + number(0, 9))).string() + "/");
                user.click(kSettings3Page, any(0, 1) ? kLosslessPathButton : kDbPathButton);
                dialogs.folders.clear();
                break;
            default: user.click(kSettings3Page, one_of(kClicks)); break;
        }
    }

    void act_on_matrix() {
        switch (any(0, 3)) {
            case 0: user.click(kMatrixPage, any(0, 1) ? kBuiltInRadio : kCustomRadio); break;
            case 1:
                user.pick(kMatrixPage, kBuiltInCombo,
                          c.item(kMatrixPage, kBuiltInCombo, any(0, c.item_count(kMatrixPage, kBuiltInCombo) - 1)));
                break;
            case 2: {
                int cell =
                    any(0, 1) ? intra_cell(any(1, kCellsPerMatrix - 1)) : non_intra_cell(any(0, kCellsPerMatrix - 1));
                type_and_leave(kMatrixPage, cell, number(1, 255));
                break;
            }
            default: user.click(kMatrixPage, kAdaptiveMatrixCheck); break;
        }
    }

    void act() {
        switch (any(0, 9)) {
            case 0:
            case 1: act_on_main(); break;
            case 2:
            case 3: act_on_settings1(); break;
            case 4:
            case 5: act_on_settings2(); break;
            case 6:
            case 7: act_on_settings3(); break;
            case 8: act_on_matrix(); break;
            default:
                user.click(kMainPage, one_of({kDvdCompliantButton, kBdCompliantButton}));
                break;  // the compliance fixes
        }
    }

    // The frame lists as the program keeps them (their pages fill them through the record).
    void fill_frame_lists() {
        settings::Settings& s = app.settings;
        s.chapters.count = chance(50) ? any(1, 30) : 0;
        for (int i = 0; i < s.chapters.count; ++i) s.chapters.frames[static_cast<size_t>(i)] = any(0, 999);
        s.zones.count = chance(50) ? any(1, 20) : 0;
        for (int i = 0; i < s.zones.count; ++i) {
            s.zones.zones[static_cast<size_t>(i)] = {any(0, 999), static_cast<float>(any(1, 40)) / 10.0f};
        }
        if (s.panscan.on) {
            s.panscan.display_width = 540;
            s.panscan.display_height = 576;
            s.panscan.count = any(0, 20);
            for (int i = 0; i < s.panscan.count; ++i) {
                s.panscan.entries[static_cast<size_t>(i)] = {any(0, 999), any(-90, 90)};
            }
        }
    }

    void make_a_page_state() {
        if (chance(75)) {
            choose_file(kInputButton, dir / (chance(70) ? "clip.avs" : "film.avs"));
            if (chance(80)) choose_file(kOutputButton, dir / "out.m2v");
            if (chance(50)) choose_file(kLogButton, dir / "encoder.log");
        }
        const int steps = any(0, 120);
        for (int step = 0; step < steps; ++step) act();
        // 3:2 pulldown applies to 23.976 fps only: without such a video a load turns it off.
        const bool film_rate = app.settings.input_valid && std::fabs(app.video.frame_rate - 23.976f) < 0.01f;
        if (c.checked(kMainPage, kPulldownCheck) && !film_rate) user.click(kMainPage, kPulldownCheck);
        // The spin goes down to 8 and the BD fix may copy a shorter fixed GOP length.
        int32_t automatic_length = 0;
        if (settings::parse_int_text(c.text(kMainPage, kAutoGopBox), automatic_length) && automatic_length < 12) {
            user.type(kMainPage, kAutoGopBox, "12");
        }
        if (chance(25) && c.enabled(kMainPage, kAspectPanScanRadio))
            user.click(kMainPage, kAspectPanScanRadio);  // pan-scan, for its list
        fill_frame_lists();
    }

    // ---- the states compared
    enum Field : unsigned { kText = 1, kChecked = 2, kEnabled = 4, kPosition = 8, kEverything = 15 };

    struct PageStates {
        std::map<std::pair<int, int>, ui::ControlState> controls;
        std::string record;  // the lists, file names and matrices the program keeps beside the pages
        bool input_named = false, input_valid = false, film_rate = false;
        bool constant_quantization = false, automatic_gop = false, file_length_mode = false;
        bool dead_zone_values = false, dead_zones_zero = false, custom_matrix = false, bias_enabled = false;
    };

    PageStates page_states() {
        PageStates states;
        settings::refresh_listing(app);
        for (const ui::ControlSpec& spec : ui::catalogue()) {
            if (spec.dialog == kMainWindow && spec.id == kMessageLog) continue;  // the Message log
            if (spec.kind == ui::Kind::Group || spec.kind == ui::Kind::Preview) continue;
            states.controls[{spec.dialog, spec.id}] = c.snapshot(spec.dialog, spec.id);
        }
        states.record = record_text();
        states.input_named = app.settings.is_given(settings::kInfile);
        states.input_valid = app.settings.input_valid;
        states.film_rate = states.input_valid && std::fabs(app.video.frame_rate - 23.976f) < 0.01f;
        states.constant_quantization = c.checked(kSettings1Page, kConstantQuantisationCheck);
        states.automatic_gop = c.checked(kMainPage, kAutoGopCheck);
        states.file_length_mode = c.checked(kMainPage, kFileLengthRadio);
        states.dead_zone_values = c.checked(kSettings1Page, kDeadZoneValuesRadio);
        states.dead_zones_zero = states.dead_zone_values && c.text(kSettings1Page, kDeadZoneIntraBox) == "0" &&
                                 c.text(kSettings1Page, kDeadZoneNonIntraBox) == "0";
        states.custom_matrix = c.checked(kMatrixPage, kCustomRadio);
        states.bias_enabled = c.enabled(kSettings2Page, kVbrBiasBox);
        return states;
    }

    std::string record_text() const {
        const settings::Settings& r = app.settings;
        std::ostringstream t;
        t << "chapters:";
        for (int i = 0; i < r.chapters.count; ++i) t << " " << r.chapters.frames[static_cast<size_t>(i)];
        t << "\nzones:";
        for (int i = 0; i < r.zones.count; ++i) {
            const settings::Zone& z = r.zones.zones[static_cast<size_t>(i)];
            t << " " << z.start_frame << "/" << z.factor;
        }
        t << "\npanscan";
        if (r.panscan.on) {
            t << " " << r.panscan.display_width << "x" << r.panscan.display_height << ":";
            for (int i = 0; i < r.panscan.count; ++i) {
                const settings::PanScanEntry& e = r.panscan.entries[static_cast<size_t>(i)];
                t << " " << e.frame << "/" << e.offset;
            }
        }
        t << "\ninput " << r.input_file << " " << r.is_given(settings::kInfile) << " valid " << r.input_valid;
        t << "\noutput " << r.output_file << " " << r.is_given(settings::kOutfile);
        t << "\nlog " << r.log_file << " " << r.is_given(settings::kLogfile);
        t << "\ndb " << r.db_path << "\nll " << r.ll_path << "\nmatrix " << r.matrix_number;
        if (r.matrix_number == 0) {
            for (int32_t v : r.custom_matrix.intra) t << " " << v;
            for (int32_t v : r.custom_matrix.non_intra) t << " " << v;
        }
        return t.str();
    }

    // What of a control a load may show otherwise, with the reasons in the comment at the top.
    static unsigned may_differ(int dialog, int id, const PageStates& saved) {
        const bool cq = saved.constant_quantization;
        switch (dialog) {
            case kMainPage:
                if (id == kOutputButton) return saved.input_named ? 0u : kEnabled;
                if (id >= kAverageBitrateRadio && id <= kMaxBitrateBox) {
                    unsigned fields = saved.input_valid ? 0u : kEnabled;
                    if (saved.file_length_mode && id != kMaxBitrateBox) fields |= kChecked | kEnabled | kText;
                    if (id == kFileLengthBox || (cq && id == kAverageBitrateBox)) fields |= kText;
                    return fields;
                }
                if (id == kPulldownCheck) return saved.film_rate ? 0u : kEnabled;
                if (id == kAutoGopBox || id == kAutoGopSpin) return saved.automatic_gop ? 0u : kText | kPosition;
                return 0;
            case kSettings1Page:
                if (id >= kBFramesBox && id <= kBFramesSpin) return saved.automatic_gop ? kText | kPosition : 0u;
                if (id == kQuantiserBox || id == kPFactorBox || (id >= kBFactorBox && id <= kBFactorSpin))
                    return cq ? 0u : kText | kPosition;
                if (id == kDeadZoneIntraBox || id == kDeadZoneNonIntraBox) {
                    if (saved.dead_zones_zero) return kText | kEnabled;
                    return saved.dead_zone_values ? 0u : kText;
                }
                if (id == kDeadZoneOffRadio || id == kDeadZoneValuesRadio) return saved.dead_zones_zero ? kChecked : 0u;
                return 0;
            case kSettings2Page: return id == kVbrBiasBox && !saved.bias_enabled ? kText : 0u;
            case kSettings3Page: return id == kEstimatedSizeText ? kText : 0u;
            case kMatrixPage: return id == kBuiltInCombo && saved.custom_matrix ? kText | kPosition : 0u;
            case kChaptersPage: return id == ui::chapters_ids::kList ? kEverything : 0u;
            case kZonesPage: return id == ui::zones_ids::kList ? kEverything : 0u;
            case kPanScanPage: return id == ui::panscan_ids::kList ? kEverything : 0u;
            default: return 0;
        }
    }

    void expect_same_states(const PageStates& saved, const PageStates& loaded) {
        EXPECT_EQ(saved.record, loaded.record);
        for (const auto& [key, before] : saved.controls) {
            const unsigned ignored = may_differ(key.first, key.second, saved);
            const ui::ControlState& after = loaded.controls.at(key);
            const std::string where = "control " + std::to_string(key.first) + " " + std::to_string(key.second);
            if (!(ignored & kText)) {
                EXPECT_EQ(before.text, after.text) << where;
            }
            if (!(ignored & kChecked)) {
                EXPECT_EQ(before.checked, after.checked) << where;
            }
            if (!(ignored & kEnabled)) {
                EXPECT_EQ(before.enabled, after.enabled) << where;
            }
            if (!(ignored & kPosition)) {
                EXPECT_EQ(before.pos, after.pos) << where;
                EXPECT_EQ(before.range_min, after.range_min) << where;
                EXPECT_EQ(before.range_max, after.range_max) << where;
                EXPECT_EQ(before.sel, after.sel) << where;
            }
            if (ignored != kEverything) {
                EXPECT_EQ(before.items, after.items) << where;
            }
        }
    }
};

// Two rounds in one program: the second starts from the loaded state, so every load counts, not
// only the first of a run.
TEST_P(SettingsRoundTripTest, SavedPagesLoadBackAsTheyWere) {
    const unsigned seed = GetParam();
    SCOPED_TRACE("seed " + std::to_string(seed));
    rng.seed(seed);
    start_afresh();
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        make_a_page_state();
        const PageStates before = page_states();

        const fs::path first = dir / "first.ini", second = dir / "second.ini";
        choose_file(kSaveIniButton, first);  // "save ini file"
        ASSERT_TRUE(app.settings.write_completed);
        const std::string saved = slurp(first);
        choose_file(kLoadIniButton, first);  // "load ini file"
        expect_same_states(before, page_states());

        choose_file(kSaveIniButton, second);
        EXPECT_EQ(slurp(second), saved);
        if (::testing::Test::HasFailure()) {
            std::cerr << "the file saved with seed " << seed << " in round " << round << ":\n" << saved;
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SettingsRoundTripTest, ::testing::Range(1u, 201u));

}  // namespace
}  // namespace qz::pages::testing
