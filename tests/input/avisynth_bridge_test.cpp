// The Avisynth bridge and open procedure against a fake library of our own: every code and message,
// every refusal check reported before the refusal, frames that never overrun their targets, nothing
// of the library's left unreleased.
#include "bridge_test_support.h"
#include "input/avisynth_bridge.h"
#include "commands/avisynth_session.h"
#include "pages/fetch_frame.h"
#include "commands/input_open.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings3_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace qz;
using namespace qz::input;
using namespace qz::inputtest;
using qz::ui::dialog::kSettings3Page;
using qz::ui::settings3_ids::kAvsMemoryBox;

// The fake stays loaded for the whole test program, so its object count outlives the bridge's unloads.
int live_objects() {
    static platform::LibraryHandle held = platform::load_library(FAKE_AVISYNTH);
    using Count = int (*)();
    auto count = reinterpret_cast<Count>(platform::library_symbol(held, "fake_avs_live_objects"));
    return count ? count() : -1;
}

class AvisynthTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(live_objects(), 0);
        app = make_app();
        use_library(FAKE_AVISYNTH);
    }
    void TearDown() override {
        close_inputs(*app);
        EXPECT_EQ(live_objects(), 0);
    }

    void use_library(const std::string& path) {
        app->bridges.avisynth.library_override = path;
        app->settings.input_file = "/data/movie.avs";
        app->settings.set_given(settings::kInfile);
        app->video.kind = InputKind{};
        app->video.kind.is_avs = true;
    }

    Lines open_lines() {
        clear_log(*app);
        opened = open_avisynth_input(*app) == OpenOutcome::opened;
        return log_lines(*app);
    }

    std::unique_ptr<App> app;
    ScopedEnvironment env;
    bool opened = false;
};

TEST_F(AvisynthTest, OpensAClipAndFillsTheVideoSource) {
    EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll loaded", "Avisynth successfully initialized"}));
    ASSERT_TRUE(opened);
    const VideoSource& video = app->video;
    EXPECT_TRUE(video.open);
    EXPECT_TRUE(app->settings.input_valid);
    EXPECT_TRUE(avs_loaded(app->bridges.avisynth));
    EXPECT_EQ(video.width, 720);
    EXPECT_EQ(video.height, 576);
    EXPECT_EQ(video.frame_count, 50);
    EXPECT_EQ(video.rate_numerator, 25);
    EXPECT_EQ(video.rate_denominator, 1);
    EXPECT_FLOAT_EQ(video.duration, 2.0f);
    EXPECT_EQ(video.interface_version, 10);
    EXPECT_EQ(video.colour_space, kYV12);
    EXPECT_EQ(video.luma_row_width, 720);
    EXPECT_EQ(video.chroma_row_width, 360);
    EXPECT_EQ(app->settings.values.last_frame, 49);
    EXPECT_EQ(app->video.kind.project_version, 0);
    EXPECT_EQ(live_objects(), 2);  // the environment and the clip
}

TEST_F(AvisynthTest, LoadFailures) {
    use_library("/no/such/libavisynth.so");
    EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll NOT loaded, LoadLibrary failed"}));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(no_input(*app));
    EXPECT_FALSE(app->video.kind.is_avs);
    EXPECT_FALSE(avs_loaded(app->bridges.avisynth));

    use_library(FAKE_AVISYNTH_WITHOUT_CREATE);
    EXPECT_EQ(open_lines(), (Lines{"can't load CreateScriptEnvironment address from Avisynth.dll"}));
    EXPECT_TRUE(no_input(*app));

    use_library(FAKE_AVISYNTH_WITHOUT_INVOKE);
    EXPECT_EQ(open_lines(), (Lines{"can't load avs_invoke address from Avisynth.dll"}));

    use_library(FAKE_AVISYNTH);
    env.set("FAKE_AVS_ENV_FAILS", "1");
    EXPECT_EQ(open_lines(), (Lines{"can't create Avisynth ScriptEnvironment",
                                   "Avisynth version too old?, need at least 2.6 RC1 (Avisynth_Interface_Version 6 or higher)"}));
    EXPECT_TRUE(no_input(*app));
    EXPECT_FALSE(avs_loaded(app->bridges.avisynth));
}

TEST_F(AvisynthTest, ImportFailures) {
    env.set("FAKE_AVS_IMPORT", "error");
    env.set("FAKE_AVS_ERROR_TEXT", "Script error: syntax error\n(/data/movie.avs, line 2, column 7)  \n\n");
    EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll loaded", "can't process AVS file", "Script error: syntax error",
                                   "(/data/movie.avs, line 2, column 7)"}));
    EXPECT_TRUE(no_input(*app));
    EXPECT_TRUE(avs_loaded(app->bridges.avisynth));  // the environment stays

    env.set("FAKE_AVS_ERROR_TEXT", std::string(700, 'x'));  // kept to the 512-byte error buffer
    const Lines pieces = open_lines();
    size_t kept = 0;
    for (size_t i = 2; i < pieces.size(); ++i) kept += size_t(std::count(pieces[i].begin(), pieces[i].end(), 'x'));
    EXPECT_EQ(kept, 511u);

    for (const char* mode : {"silent_error", "int"}) {
        env.set("FAKE_AVS_IMPORT", mode);
        EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll loaded", "can't process AVS file",
                                       "probably a script error, Avisynth did not return an error message"}))
            << mode;
    }
    env.set("FAKE_AVS_IMPORT", "clip");
    for (const char* field : {"FAKE_AVS_WIDTH", "FAKE_AVS_FRAMES", "FAKE_AVS_DEN"}) {
        ScopedEnvironment one;
        one.set(field, "0");
        EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll loaded", "Avisynth does not return a video, can't load video"}))
            << field;
        EXPECT_TRUE(no_input(*app));
    }
    env.set("FAKE_AVS_FRAME_FAILS", "all");
    EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll loaded", "error reading first frame"}));
    EXPECT_TRUE(no_input(*app));
    EXPECT_EQ(live_objects(), 1);  // only the environment: no clip of a failed import is kept
}

TEST_F(AvisynthTest, EveryProblemIsReportedBeforeTheClipIsRefused) {
    env.set("FAKE_AVS_VERSION", "5");
    env.set("FAKE_AVS_WIDTH", "4004");
    env.set("FAKE_AVS_HEIGHT", "3002");
    env.set("FAKE_AVS_PIXEL", "0x50000002");
    EXPECT_EQ(open_lines(),
              (Lines{"Avisynth.dll loaded",
                     "Avisynth version too old, need at least 2.6 RC1 (Avisynth_Interface_Version 6 or higher)",
                     "current Avisynth_Interface_Version:  5", "width > 1920, height > 1152, resolution too high",
                     "width: 4004, width not a multiple of 8", "height: 3002, height not a multiple of 8",
                     "video is not YV12, YUY2, YV16 or YV24 color space"}));
    EXPECT_TRUE(no_input(*app));
    EXPECT_FALSE(app->video.kind.is_avs);

    env.set("FAKE_AVS_VERSION", "10");
    env.set("FAKE_AVS_PIXEL", "0xA0000008");
    env.set("FAKE_AVS_WIDTH", "720");
    env.set("FAKE_AVS_HEIGHT", "1160");
    EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll loaded", "height > 1152, vertical resolution too high"}));
    env.set("FAKE_AVS_WIDTH", "1928");
    env.set("FAKE_AVS_HEIGHT", "576");
    EXPECT_EQ(open_lines(), (Lines{"Avisynth.dll loaded", "width > 1920, horizontal resolution too high"}));
    EXPECT_TRUE(no_input(*app));
}

TEST_F(AvisynthTest, TheMemorySettingHoldsWhatTheEnvironmentReports) {
    env.set("FAKE_AVS_MEMORY_REPLY", "768");
    app->controls.set_text(kSettings3Page, kAvsMemoryBox, "512");
    ASSERT_EQ(open_avisynth_input(*app), OpenOutcome::opened);
    EXPECT_EQ(app->controls.text(kSettings3Page, kAvsMemoryBox), "768");
    EXPECT_EQ(app->settings.values.avs_memory_mb, 768);

    app->controls.set_text(kSettings3Page, kAvsMemoryBox, "");  // Avisynth's default: not passed
    ASSERT_EQ(open_avisynth_input(*app), OpenOutcome::opened);
    EXPECT_EQ(app->controls.text(kSettings3Page, kAvsMemoryBox), "");

    env.set("FAKE_AVS_MEMORY_REPLY", "-1");  // a failed call keeps the setting
    app->controls.set_text(kSettings3Page, kAvsMemoryBox, "256");
    ASSERT_EQ(open_avisynth_input(*app), OpenOutcome::opened);
    EXPECT_EQ(app->controls.text(kSettings3Page, kAvsMemoryBox), "256");
}

// The frames of each colour space as 4:2:0: luma (x, y) = n + x + 3y; chroma input row r holds 2r
// (U) and 255 - r (V).
TEST_F(AvisynthTest, FramesOfEveryColourSpaceReachThePlanesAs420) {
    struct Kind {
        const char* pixel;
        int chroma_rows_per_output_row;
    };
    for (Kind kind : {Kind{"0xA0000008", 1}, Kind{"0x60000004", 2}, Kind{"0xA0000308", 2}, Kind{"0xA000030B", 2}}) {
        ScopedEnvironment one;
        one.set("FAKE_AVS_PIXEL", kind.pixel);
        ASSERT_EQ(open_avisynth_input(*app), OpenOutcome::opened) << kind.pixel;
        VideoSource& video = app->video;
        std::fill(video.u.begin(), video.u.end(), 0x77);
        ASSERT_EQ(fetch_frame(*app, 11), FetchOutcome::fetched) << kind.pixel;
        EXPECT_EQ(video.y[0], 11);
        EXPECT_EQ(video.y[size_t(575) * 720 + 719], uint8_t((11 + 719 + 3 * 575) & 0xFF));
        for (size_t k = 0; k < 288; k += 31) {
            const unsigned first = kind.chroma_rows_per_output_row * unsigned(k);
            const unsigned u_expected = kind.chroma_rows_per_output_row == 1
                                            ? (2 * first) & 0xFF
                                            : (((2 * first) & 0xFF) + ((2 * first + 2) & 0xFF) + 1) / 2;
            ASSERT_EQ(video.u[k * 360 + 100], u_expected) << kind.pixel << " row " << k;
        }
        EXPECT_TRUE(std::all_of(video.u.begin() + 360 * 288, video.u.end(), [](uint8_t b) { return b == 0x77; }));
    }
}

TEST_F(AvisynthTest, FailedFetchesKeepThePlanesAndSayWhy) {
    ASSERT_EQ(open_avisynth_input(*app), OpenOutcome::opened);
    ASSERT_EQ(fetch_frame(*app, 3), FetchOutcome::fetched);
    const auto before = app->video.y;
    env.set("FAKE_AVS_FRAME_FAILS", "later");
    clear_log(*app);
    EXPECT_EQ(fetch_frame(*app, 4), FetchOutcome::planar_frame_failed);
    EXPECT_EQ(log_lines(*app), (Lines{"planar GetFrame failed"}));
    EXPECT_EQ(app->video.y, before);

    env.set("FAKE_AVS_PIXEL", "0x60000004");
    ASSERT_EQ(open_avisynth_input(*app), OpenOutcome::opened);
    clear_log(*app);
    EXPECT_EQ(fetch_frame(*app, 4), FetchOutcome::interleaved_frame_failed);
    EXPECT_EQ(log_lines(*app), (Lines{"interleaved GetFrame failed"}));

    release_avisynth(*app);
    clear_log(*app);
    EXPECT_EQ(fetch_frame(*app, 0), FetchOutcome::avisynth_not_loaded);
    EXPECT_EQ(log_lines(*app), (Lines{"GetFrame failed, Avisynth.dll NOT loaded"}));
}

TEST_F(AvisynthTest, FramesLargerThanTheirTargetsAreCut) {
    env.set("FAKE_AVS_WIDTH", "4000");
    env.set("FAKE_AVS_HEIGHT", "3000");
    AvisynthBridge& bridge = app->bridges.avisynth;
    bridge.library_override = FAKE_AVISYNTH;
    int32_t memory = -1;
    ASSERT_EQ(avs_load(bridge, memory), kAvsOk);
    AvsClip clip;
    ASSERT_EQ(avs_import_script(bridge, "/data/big.avs", clip), kAvsOk);
    EXPECT_EQ(clip.width, 4000);

    constexpr size_t kGuard = 64;
    std::vector<uint8_t> y(1000 + kGuard, 0xA5), u(300 + kGuard, 0xA5), v(300 + kGuard, 0xA5);
    const FramePlanes planes{{y.data(), 1000}, {u.data(), 300}, {v.data(), 300}};
    EXPECT_EQ(avs_get_planar_frame(bridge, 0, 4000, 2000, planes), kAvsOk);
    EXPECT_TRUE(std::all_of(y.begin() + 1000, y.end(), [](uint8_t b) { return b == 0xA5; }));
    EXPECT_TRUE(std::all_of(u.begin() + 300, u.end(), [](uint8_t b) { return b == 0xA5; }));
    // A pitch smaller than the frame's rows takes only what fits each row.
    EXPECT_EQ(avs_get_planar_frame(bridge, 2, 100, 50, planes), kAvsOk);
    EXPECT_EQ(y[100], uint8_t(2 + 3));  // row 1, column 0
    EXPECT_TRUE(std::all_of(y.begin() + 1000, y.end(), [](uint8_t b) { return b == 0xA5; }));

    env.set("FAKE_AVS_PIXEL", "0x60000004");
    ASSERT_EQ(avs_import_script(bridge, "/data/big.avs", clip), kAvsOk);
    EXPECT_EQ(avs_get_interleaved_frame(bridge, 0, 4000, {y.data(), 1000}), kAvsOk);
    EXPECT_TRUE(std::all_of(y.begin() + 1000, y.end(), [](uint8_t b) { return b == 0xA5; }));
}

TEST_F(AvisynthTest, CodesWithoutALibrary) {
    AvisynthBridge bridge;
    AvsClip clip;
    uint8_t plane[16];
    EXPECT_EQ(avs_import_script(bridge, "/data/movie.avs", clip), kAvsNotLoaded);
    EXPECT_EQ(avs_get_planar_frame(bridge, 0, 4, 2, {{plane, 16}, {plane, 16}, {plane, 16}}), kAvsNotLoaded);
    EXPECT_EQ(avs_get_interleaved_frame(bridge, 0, 4, {plane, 16}), kAvsNotLoaded);
    EXPECT_EQ(avs_release(bridge), kAvsOk);
}

TEST_F(AvisynthTest, TheScriptIsReopenedAfterAnEncode) {
    ASSERT_EQ(open_avisynth_input(*app), OpenOutcome::opened);
    release_avisynth(*app);
    EXPECT_FALSE(avs_loaded(app->bridges.avisynth));
    EXPECT_EQ(live_objects(), 0);
    ASSERT_TRUE(reopen_avisynth_script(*app));
    EXPECT_TRUE(avs_loaded(app->bridges.avisynth));
    EXPECT_EQ(fetch_frame(*app, 1), FetchOutcome::fetched);

    // Edited meanwhile to another size: its frames would not fit what the program set up.
    release_avisynth(*app);
    env.set("FAKE_AVS_WIDTH", "1920");
    EXPECT_FALSE(reopen_avisynth_script(*app));
    env.set("FAKE_AVS_IMPORT", "error");
    EXPECT_FALSE(reopen_avisynth_script(*app));
}

}  // namespace
