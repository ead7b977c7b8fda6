#include "settings_fixture.h"

namespace qz::settings::testing {
namespace {

// Puts a few controls of every page away from their defaults, as a user would.
void disturb_pages(App& app) {
    auto& c = app.controls;
    c.check_radio(103, 1130);
    c.check_radio(103, 1133);
    c.set_checked(103, 1152, false);
    c.set_text(103, 1154, "9");
    c.set_pos(103, 1155, 9);
    c.check_radio(104, 1203);
    c.check_radio(104, 1206);
    c.set_checked(104, 1211, true);
    c.set_text(104, 1212, "12.5");
    c.set_pos(104, 1217, 30);
    c.check_radio(104, 1242);
    c.set_checked(105, 1311, true);
    c.set_enabled(105, 1310, false);
    c.set_checked(105, 1327, true);
    c.set_range(104, 1210, 0, 3);
    c.select_item(105, 1328, "SMPTE240M");
    c.set_text(105, 1306, "77");
    c.check_radio(106, 1417);
    c.check_radio(106, 1423);
    c.set_text(106, 1424, "512");
    c.check_radio(107, 1502);
    c.select_item(107, 1503, "QLB");
    c.set_checked(107, 1507, true);
    c.set_pos(109, 1611, 500);
    c.set_text(109, 1711, "0.5");
}

TEST_F(PagesTest, ResetPutsTheMainPageAndWindowIntoTheirDefaults) {
    disturb_pages(app);
    reset_to_defaults(app);
    EXPECT_FALSE(c.enabled(101, 1003));
    expect_text(103, 1110, "input file name (*.d2v, *.avs)");
    expect_text(103, 1111, "output file name (not set)");
    expect_text(103, 1112, "log file name (not set)");
    expect_enabled(103, {1110, 1113, 1114, 1115, 1116}, true);
    // Without a valid input the bitrate fields and the frame range have nothing to work on.
    expect_enabled(103, {1111, 1112, 1120, 1121, 1122, 1123, 1124}, false);
    expect_radio(103, 1120);
    EXPECT_FALSE(c.checked(103, 1121));
    expect_text(103, 1123, "4000");
    expect_text(103, 1124, "8000");
    expect_text(103, 1126, "-");
    expect_text(103, 1127, "-");
    expect_radio(103, 1131);
    expect_radio(103, 1135);
    expect_radio(103, 1141);
    EXPECT_TRUE(c.checked(103, 1150));
    EXPECT_TRUE(c.checked(103, 1152));
    EXPECT_TRUE(c.checked(103, 1153));
    for (int id : {1151, 1156, 1157}) EXPECT_FALSE(c.checked(103, id)) << id;
    expect_text(103, 1154, "15");
    expect_spin(103, 1155, 8, 18, 15);
    expect_enabled(103, {1154, 1155}, true);
}

TEST_F(PagesTest, ResetPutsTheSettingsPagesIntoTheirDefaults) {
    disturb_pages(app);
    reset_to_defaults(app);
    // Settings 1
    expect_radio(104, 1201);
    expect_radio(104, 1205);
    expect_radio(104, 1219);
    expect_radio(104, 1241);
    expect_text(104, 1208, "15");
    expect_text(104, 1207, "2");
    expect_spin(104, 1209, 1, 36, 15);
    expect_spin(104, 1210, 0, 2, 2);
    expect_spin(104, 1217, 1, 32, 9);
    expect_spin(104, 1218, 1, 32, 9);
    EXPECT_FALSE(c.checked(104, 1211));
    EXPECT_FALSE(c.checked(104, 1214));
    expect_text(104, 1212, "5.000");
    expect_text(104, 1213, "1.00");
    expect_text(104, 1216, "1.00");
    expect_text(104, 1231, "2");
    EXPECT_EQ(c.pos(104, 1230), 2);
    expect_text(104, 1243, "2");
    expect_text(104, 1244, "2");
    expect_enabled(104, {1207, 1208, 1209, 1210, 1212, 1213, 1214, 1216, 1217, 1218, 1243, 1244}, false);
    expect_enabled(104, {1201, 1202, 1203, 1204, 1205, 1206, 1211}, true);
    // Settings 2
    expect_text(105, 1306, "0");
    expect_text(105, 1305, "1.00");
    expect_text(105, 1316, "5");
    EXPECT_TRUE(c.checked(105, 1307));
    EXPECT_TRUE(c.checked(105, 1308));
    for (int id : {1309, 1310, 1311, 1312, 1313, 1314, 1315, 1317, 1327}) EXPECT_FALSE(c.checked(105, id)) << id;
    EXPECT_TRUE(c.enabled(105, 1310));
    for (int id : {1322, 1323, 1324, 1321}) expect_text(105, id, "0");
    EXPECT_EQ(c.pos(105, 1320), 0);
    expect_text(105, 1329, "AUTO");
    expect_text(105, 1328, "DEFAULT");
    expect_text(105, 1325, "AUTO");
    expect_enabled(105, {1325, 1328, 1329, 1306}, true);
    // Settings 3
    expect_radio(106, 1410);
    expect_radio(106, 1420);
    expect_radio(106, 1430);
    for (int id : {1401, 1402, 1403, 1404}) expect_text(106, id, "0");
    expect_text(106, 1424, "");
    expect_text(106, 1429, "");
    EXPECT_FALSE(c.checked(106, 1426));
}

TEST_F(PagesTest, ResetPutsTheMatrixAndPreviewPagesIntoTheirDefaults) {
    disturb_pages(app);
    reset_to_defaults(app);
    expect_radio(107, 1501);
    expect_text(107, 1503, "MPEG");
    EXPECT_FALSE(c.checked(107, 1507));
    expect_enabled(107, {1501, 1503}, true);
    expect_enabled(107, {1504, 1505, 1506, 2001, 2064, 2101, 2164}, false);
    for (int page : {108, 109, 110}) EXPECT_EQ(c.pos(page, 1611), 0) << page;
    expect_text(109, 1711, "1.0");
}

TEST_F(PagesTest, ResetSetsTheRecordDefaultsAndLeavesMarksNamesAndListsAlone) {
    s.values.aspect = 5;
    s.values.colour = 7;
    s.matrix_number = 0;
    s.max_b_frames = 3;
    s.values.bias = 40;
    s.panscan.on = true;
    s.panscan.count = 1;
    s.panscan.entries[0] = {10, 16};
    s.chapters.count = 1;
    s.chapters.frames[0] = 250;
    s.zones.count = 1;
    s.input_file = "/videos/a.d2v";
    give(kInfile);
    give(kBitrate);
    reset_to_defaults(app);
    EXPECT_EQ(s.values.aspect, 3);
    EXPECT_EQ(s.values.colour, 0);
    EXPECT_EQ(s.matrix_number, 1);
    EXPECT_EQ(s.max_b_frames, 2);
    EXPECT_EQ(s.values.bias, 0);
    EXPECT_FALSE(s.panscan.on);
    EXPECT_EQ(s.panscan.count, 1);
    EXPECT_EQ(s.chapters.count, 1);
    EXPECT_EQ(s.zones.count, 1);
    EXPECT_EQ(s.input_file, "/videos/a.d2v");
    EXPECT_TRUE(s.is_given(kInfile));
    EXPECT_TRUE(s.is_given(kBitrate));
}

TEST_F(PagesTest, ResetWithAValidInputKeepsTheFileCaptionsAndWorksOutTheFileLength) {
    c.set_text(103, 1110, "input: /videos/a.d2v");
    c.set_text(103, 1111, "output: /videos/a.m2v");
    give(kInfile);
    s.input_valid = true;
    s.output_chosen = true;
    app.video.width = 720;
    app.video.height = 576;
    app.video.frame_count = 1000;
    app.video.frame_rate = 25.0;
    reset_to_defaults(app);

    EXPECT_TRUE(c.enabled(101, 1003));
    expect_text(103, 1110, "input: /videos/a.d2v");
    expect_text(103, 1111, "output: /videos/a.m2v");
    expect_enabled(103, {1111, 1112, 1120, 1121, 1123, 1124, 1125, 1126, 1127, 1137}, true);
    EXPECT_FALSE(c.enabled(103, 1122));
    expect_text(103, 1126, "0");
    expect_text(103, 1127, "999");
    EXPECT_EQ(s.values.frames_to_encode, 1000);
    // 40 seconds at 4000 kbit/s: round(4000 x 40 / 1.024) = 156250, divided by 8 as integers.
    expect_text(103, 1122, "19531");
}

TEST_F(PagesTest, ResetOffersPanScanOnlyForFullWidthPalOrNtscFrames) {
    struct Case {
        int width, height;
        bool offered;
    };
    for (Case k : {Case{720, 576, true}, Case{704, 480, true}, Case{720, 480, true}, Case{1920, 1080, false},
                   Case{720, 540, false}, Case{0, 0, false}}) {
        app.video.width = k.width;
        app.video.height = k.height;
        reset_to_defaults(app);
        EXPECT_EQ(c.enabled(103, 1137), k.offered) << k.width << "x" << k.height;
    }
}

TEST_F(PagesTest, EncodeNeedsBothAValidInputAndAnOutput) {
    s.input_valid = true;
    reset_to_defaults(app);
    EXPECT_FALSE(c.enabled(101, 1003));
    s.input_valid = false;
    s.output_chosen = true;
    reset_to_defaults(app);
    EXPECT_FALSE(c.enabled(101, 1003));
    // An output named by the settings file counts as much as one chosen with the file command.
    s.input_valid = true;
    s.output_chosen = false;
    give(kOutfile);
    reset_to_defaults(app);
    EXPECT_TRUE(c.enabled(101, 1003));
}

TEST_F(PagesTest, SmpIsOffOnASingleProcessor) {
    app.processors.several = false;
    reset_to_defaults(app);
    EXPECT_FALSE(c.checked(103, 1150));
    apply();
    EXPECT_FALSE(c.checked(103, 1150));

    app.processors.several = true;
    reset_to_defaults(app);
    EXPECT_TRUE(c.checked(103, 1150));
    s.values.multiprocessing = false;  // what the reader makes of *NOSMP
    give(kNoSmp);
    apply();
    EXPECT_FALSE(c.checked(103, 1150));
}

TEST_F(PagesTest, ClearingTheChapterAndPanScanListsEmptiesRecordAndListBoxes) {
    s.chapters.count = 3;
    s.chapters.frames[0] = 1;
    s.chapters.frames[2] = 3;
    s.chapters.frames[kChapterCapacity - 1] = 9;  // a stale entry past the count
    c.set_items(108, 1604, {"       1", "       2", "       3"});
    s.panscan.count = 2;
    s.panscan.entries[1] = {50, -32};
    c.set_items(110, 1821, {"       0|    0", "      50|  -32"});
    s.zones.count = 1;
    s.zones.zones[0] = {100, 0.5f};

    clear_chapter_list(app);
    clear_panscan_list(app);

    EXPECT_EQ(s.chapters.count, 0);
    for (int32_t frame : s.chapters.frames) ASSERT_EQ(frame, 0);
    EXPECT_EQ(c.item_count(108, 1604), 0);
    EXPECT_EQ(s.panscan.count, 0);
    for (const PanScanEntry& e : s.panscan.entries) ASSERT_TRUE(e.frame == 0 && e.offset == 0);
    EXPECT_EQ(c.item_count(110, 1821), 0);
    EXPECT_EQ(s.zones.count, 1);  // a load keeps the zones
    EXPECT_EQ(s.zones.zones[0].start_frame, 100);
}

}  // namespace
}  // namespace qz::settings::testing
