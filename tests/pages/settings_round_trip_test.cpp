// A settings file carries the pages: random but valid page states, reached by a user's actions on the
// Main, Settings and Matrix pages (with or without an input, output and log file, and with frame
// lists as the program keeps them), saved with "save ini file" and loaded with "load ini file", show
// the same page states again, and a second save writes the same bytes. Seeded; a failure names its
// seed and prints the file.
//
// What may differ after the load, and why:
// - the Message log: the load writes its own lines.
// - the bitrate entry mode (1120, 1121, and which of the boxes 1122, 1123 is enabled): every load
//   returns to "average bitrate".
// - the file length (1122): the file holds the average bitrate; the length is figured from it anew
//   (a typed length gave an average rounded to whole kbit/s).
// - the average bitrate (1123) under "Constant Quantization": no *BITRATE is written, the quantiser
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
// - the lossless size estimate (1429): it is figured when the user changes what it depends on.
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

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

namespace qz::pages::testing {
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
        user.click(103, button);
        dialogs.files.clear();
    }

    // ---- a user's actions with values the pages take
    void act_on_main() {
        static constexpr int kClicks[] = {1130, 1131, 1132, 1133, 1134, 1135, 1136, 1137, 1140, 1141, 1142,
                                          1143, 1150, 1151, 1152, 1153, 1156, 1157, 1120, 1121, 1125};
        switch (any(0, 5)) {
            case 0: type_and_leave(103, 1123, number(500, 15000)); break;
            case 1: type_and_leave(103, 1124, number(500, 15000)); break;
            case 2: type_and_leave(103, any(0, 1) ? 1126 : 1127, number(0, 1200)); break;
            case 3:
                if (any(0, 1)) user.spin(103, 1155, any(12, 18));
                else user.type(103, 1154, number(12, 18));
                break;
            case 4: type_and_leave(103, 1122, number(1000, 900000)); break;
            default: user.click(103, one_of(kClicks)); break;
        }
    }

    void act_on_settings1() {
        static constexpr int kClicks[] = {1201, 1202, 1203, 1204, 1205, 1206, 1219, 1220, 1211, 1214, 1240, 1241, 1242};
        switch (any(0, 6)) {
            case 0: user.type(104, 1208, number(1, 36)); break;
            case 1: user.type(104, 1207, number(0, 3)); break;
            case 2: user.spin(104, one_of({1209, 1210, 1217, 1218}), any(0, 36)); break;
            case 3: type_and_leave(104, 1212, number(1, 31) + "." + number(0, 999)); break;
            case 4: user.slide(104, 1230, any(0, 4)); break;
            case 5: user.type(104, any(0, 1) ? 1243 : 1244, number(0, 6)); break;
            default: user.click(104, one_of(kClicks)); break;
        }
    }

    void act_on_settings2() {
        static constexpr int kClicks[] = {1307, 1308, 1309, 1310, 1311, 1312, 1313, 1314, 1315, 1317, 1327};
        switch (any(0, 6)) {
            case 0: type_and_leave(105, 1305, "1." + number(0, 99)); break;
            case 1: type_and_leave(105, one_of({1322, 1323, 1324}), number(0, 40)); break;
            case 2: user.type(105, 1306, number(0, 100)); break;
            case 3: user.type(105, 1316, number(0, 99)); break;
            case 4: {
                int combo = one_of({1325, 1328, 1329});
                user.pick(105, combo, c.item(105, combo, any(0, c.item_count(105, combo) - 1)));
                break;
            }
            case 5: user.slide(105, 1320, any(0, 4)); break;
            default: user.click(105, one_of(kClicks)); break;
        }
    }

    void act_on_settings3() {
        static constexpr int kClicks[] = {1410, 1411, 1412, 1413, 1414, 1415, 1416, 1417, 1420, 1421,
                                          1422, 1423, 1430, 1431, 1432, 1426};
        switch (any(0, 3)) {
            case 0: user.type(106, one_of({1401, 1402, 1403, 1404}), number(0, 23)); break;
            case 1:
                user.enter(106, 1424);
                user.type(106, 1424, chance(20) ? "" : number(16, 1024));
                user.leave(106, 1424);
                break;
            case 2:
                dialogs.folders.push_back((dir / ("folder" + number(0, 9))).string() + "/");
                user.click(106, any(0, 1) ? 1427 : 1428);
                dialogs.folders.clear();
                break;
            default: user.click(106, one_of(kClicks)); break;
        }
    }

    void act_on_matrix() {
        switch (any(0, 3)) {
            case 0: user.click(107, any(0, 1) ? 1501 : 1502); break;
            case 1: user.pick(107, 1503, c.item(107, 1503, any(0, c.item_count(107, 1503) - 1))); break;
            case 2: {
                int cell = any(0, 1) ? 2000 + any(2, 64) : 2100 + any(1, 64);
                type_and_leave(107, cell, number(1, 255));
                break;
            }
            default: user.click(107, 1507); break;
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
            default: user.click(103, one_of({1102, 1103})); break;  // the compliance fixes
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
            choose_file(1110, dir / (chance(70) ? "clip.avs" : "film.avs"));
            if (chance(80)) choose_file(1111, dir / "out.m2v");
            if (chance(50)) choose_file(1112, dir / "encoder.log");
        }
        const int steps = any(0, 120);
        for (int step = 0; step < steps; ++step) act();
        // 3:2 pulldown applies to 23.976 fps only: without such a video a load turns it off.
        const bool film_rate = app.settings.input_valid && std::fabs(app.video.frame_rate - 23.976f) < 0.01f;
        if (c.checked(103, 1151) && !film_rate) user.click(103, 1151);
        // The spin goes down to 8 and the BD fix may copy a shorter fixed GOP length.
        int32_t automatic_length = 0;
        if (settings::parse_int_text(c.text(103, 1154), automatic_length) && automatic_length < 12) {
            user.type(103, 1154, "12");
        }
        if (chance(25) && c.enabled(103, 1137)) user.click(103, 1137);  // pan-scan, for its list
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
            if (spec.dialog == 101 && spec.id == 1006) continue;  // the Message log
            if (spec.kind == ui::Kind::Group || spec.kind == ui::Kind::Preview) continue;
            states.controls[{spec.dialog, spec.id}] = c.snapshot(spec.dialog, spec.id);
        }
        states.record = record_text();
        states.input_named = app.settings.is_given(settings::kInfile);
        states.input_valid = app.settings.input_valid;
        states.film_rate = states.input_valid && std::fabs(app.video.frame_rate - 23.976f) < 0.01f;
        states.constant_quantization = c.checked(104, 1211);
        states.automatic_gop = c.checked(103, 1153);
        states.file_length_mode = c.checked(103, 1121);
        states.dead_zone_values = c.checked(104, 1242);
        states.dead_zones_zero = states.dead_zone_values && c.text(104, 1243) == "0" && c.text(104, 1244) == "0";
        states.custom_matrix = c.checked(107, 1502);
        states.bias_enabled = c.enabled(105, 1306);
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
            case 103:
                if (id == 1111) return saved.input_named ? 0u : kEnabled;
                if (id >= 1120 && id <= 1124) {
                    unsigned fields = saved.input_valid ? 0u : kEnabled;
                    if (saved.file_length_mode && id != 1124) fields |= kChecked | kEnabled | kText;
                    if (id == 1122 || (cq && id == 1123)) fields |= kText;
                    return fields;
                }
                if (id == 1151) return saved.film_rate ? 0u : kEnabled;
                if (id == 1154 || id == 1155) return saved.automatic_gop ? 0u : kText | kPosition;
                return 0;
            case 104:
                if (id >= 1207 && id <= 1210) return saved.automatic_gop ? kText | kPosition : 0u;
                if (id == 1212 || id == 1213 || (id >= 1216 && id <= 1218)) return cq ? 0u : kText | kPosition;
                if (id == 1243 || id == 1244) {
                    if (saved.dead_zones_zero) return kText | kEnabled;
                    return saved.dead_zone_values ? 0u : kText;
                }
                if (id == 1240 || id == 1242) return saved.dead_zones_zero ? kChecked : 0u;
                return 0;
            case 105: return id == 1306 && !saved.bias_enabled ? kText : 0u;
            case 106: return id == 1429 ? kText : 0u;
            case 107: return id == 1503 && saved.custom_matrix ? kText | kPosition : 0u;
            case 108: return id == 1604 ? kEverything : 0u;
            case 109: return id == 1702 ? kEverything : 0u;
            case 110: return id == 1821 ? kEverything : 0u;
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
        choose_file(1114, first);  // "save ini file"
        ASSERT_TRUE(app.settings.write_completed);
        const std::string saved = slurp(first);
        choose_file(1113, first);  // "load ini file"
        expect_same_states(before, page_states());

        choose_file(1114, second);
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
