// The DGDecode loader and open procedure against a fake library of our own: every code, every
// message, and frames that never overrun the planes whatever the library reports.
#include "bridge_test_support.h"
#include "input/dgdecode_bridge.h"
#include "pages/fetch_frame.h"
#include "commands/input_open.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using namespace qz;
using namespace qz::input;
using namespace qz::inputtest;

const std::string kFake = FAKE_DGDECODE;
const std::string kFakeWithoutClose = FAKE_DGDECODE_WITHOUT_CLOSE;

class DgDecodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = make_app();
        app->settings.input_file = "/data/movie.d2v";
        app->settings.set_given(settings::kInfile);
        use_library(kFake);
    }
    void TearDown() override { close_inputs(*app); }

    void use_library(const std::string& path) {
        app->video.kind = InputKind{};
        app->video.kind.is_d2v = true;
        app->video.kind.project_version = 16;
        app->video.kind.dgdecode_library = path;
        dg_forget_project_library(app->bridges.dgdecode);
    }

    std::unique_ptr<App> app;
    ScopedEnvironment env;
};

// ---- loader layer -----------------------------------------------------------------------------

TEST_F(DgDecodeTest, LoaderCodes) {
    DgDecodeBridge bridge;
    DgVideo video;
    EXPECT_EQ(dg_open_video(bridge, "x.d2v", video), kDgNotLoaded);
    EXPECT_EQ(dg_load_library(bridge, "/no/such/DGDecode16.dll"), kDgNotLoaded);
    EXPECT_EQ(dg_unload_library(bridge), kDgOk);

    ASSERT_EQ(dg_load_library(bridge, kFakeWithoutClose), kDgOk);
    EXPECT_EQ(dg_open_video(bridge, "x.d2v", video), kDgRoutinesMissing);
    ASSERT_EQ(dg_load_library(bridge, kFake), kDgOk);  // a new library is looked up afresh

    env.set("FAKE_DG_OPEN_FAILS", "1");
    EXPECT_EQ(dg_open_video(bridge, "x.d2v", video), kDgOpenFailed);
    EXPECT_EQ(dg_last_error_text(bridge), "fake: the project names no readable MPEG file");
    env.set("FAKE_DG_OPEN_FAILS", "0");

    for (const char* field : {"FAKE_DG_WIDTH", "FAKE_DG_HEIGHT", "FAKE_DG_FRAMES", "FAKE_DG_NUM", "FAKE_DG_DEN"}) {
        env.set(field, "0");
        EXPECT_EQ(dg_open_video(bridge, "x.d2v", video), kDgNoSpecifications) << field;
        ::unsetenv(field);
    }
    env.set("FAKE_DG_WIDTH", "-720");
    EXPECT_EQ(dg_open_video(bridge, "x.d2v", video), kDgNoSpecifications);
    ::unsetenv("FAKE_DG_WIDTH");

    ASSERT_EQ(dg_open_video(bridge, "x.d2v", video), kDgOk);
    EXPECT_EQ(video.width, 720);
    EXPECT_EQ(video.height, 576);
    EXPECT_EQ(video.frame_count, 100);
    EXPECT_EQ(video.colour_space, 1);
    EXPECT_EQ(bridge.luma_size, 720u * 576u);
    EXPECT_EQ(bridge.chroma_size, 720u * 576u / 4);

    env.set("FAKE_DG_PIXEL", "0x60000004");
    ASSERT_EQ(dg_open_video(bridge, "x.d2v", video), kDgOk);
    EXPECT_EQ(video.colour_space, 2);
    EXPECT_EQ(bridge.chroma_size, 720u * 576u / 2);
    env.set("FAKE_DG_PIXEL", "0x50000002");  // RGB32
    ASSERT_EQ(dg_open_video(bridge, "x.d2v", video), kDgOk);
    EXPECT_EQ(video.colour_space, 0);

    EXPECT_EQ(dg_unload_library(bridge), kDgOk);
    EXPECT_FALSE(bridge.loaded);
    EXPECT_EQ(dg_open_video(bridge, "x.d2v", video), kDgNotLoaded);
}

TEST_F(DgDecodeTest, AFrameLargerThanThePlanesIsRefusedAndNothingIsWritten) {
    DgDecodeBridge bridge;
    ASSERT_EQ(dg_load_library(bridge, kFake), kDgOk);
    env.set("FAKE_DG_WIDTH", "4000");
    env.set("FAKE_DG_HEIGHT", "3000");
    DgVideo video;
    ASSERT_EQ(dg_open_video(bridge, "x.d2v", video), kDgOk);  // the limits belong to the open procedure

    std::vector<uint8_t> y(kLumaPlaneBytes, 7), u(kChromaPlaneBytes, 7), v(kChromaPlaneBytes, 7);
    const FramePlanes planes{{y.data(), y.size()}, {u.data(), u.size()}, {v.data(), v.size()}};
    EXPECT_EQ(dg_get_frame(bridge, 0, planes, select_conversion_kernels(0)), kDgTooLarge);
    EXPECT_TRUE(std::all_of(y.begin(), y.end(), [](uint8_t b) { return b == 7; }));
    dg_unload_library(bridge);
}

// ---- open procedure ---------------------------------------------------------------------------

TEST_F(DgDecodeTest, OpensAProjectAndFillsTheVideoSource) {
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode.dll (project version 16) loaded", "DGDecode successfully initialized"}));
    const VideoSource& video = app->video;
    EXPECT_TRUE(video.open);
    EXPECT_TRUE(app->settings.input_valid);
    EXPECT_TRUE(dg_loaded_for_project(app->bridges.dgdecode, kFake));
    EXPECT_EQ(video.width, 720);
    EXPECT_EQ(video.frame_count, 100);
    EXPECT_FLOAT_EQ(video.frame_rate, 25.0f);
    EXPECT_FLOAT_EQ(video.duration, 4.0f);
    EXPECT_EQ(video.colour_space, kYV12);
    EXPECT_EQ(video.luma_size, 720 * 576);
    EXPECT_EQ(video.double_luma_size, 2 * 720 * 576);
    EXPECT_EQ(video.quarter_luma_size, 720 * 576 / 4);
    EXPECT_EQ(app->settings.values.first_frame, 0);
    EXPECT_EQ(app->settings.values.last_frame, 99);
    EXPECT_EQ(app->settings.values.frames_to_encode, 100);

    // With the library still loaded for the project, the next open goes straight to the project.
    clear_log(*app);
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode successfully initialized"}));
}

TEST_F(DgDecodeTest, EveryProjectVersionHasItsLine) {
    for (int version : {6, 10, 11, 12, 13, 15, 16}) {
        use_library(kFake);
        app->video.kind.project_version = version;
        clear_log(*app);
        ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
        EXPECT_EQ(log_lines(*app).front(), "DGDecode.dll (project version " + std::to_string(version) + ") loaded");
    }
}

// The library loaded for one project never serves a project of another version, even if a caller
// did not say that a new input was chosen.
TEST_F(DgDecodeTest, AProjectOfAnotherVersionLoadsItsOwnLibrary) {
    const std::filesystem::path other = std::filesystem::temp_directory_path() / "qz_bridge_DGDecode15.dll";
    std::filesystem::copy_file(kFake, other, std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    app->video.kind.project_version = 15;
    app->video.kind.dgdecode_library = other.string();
    clear_log(*app);
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode.dll (project version 15) loaded", "DGDecode successfully initialized"}));
    EXPECT_TRUE(dg_loaded_for_project(app->bridges.dgdecode, other.string()));
    EXPECT_FALSE(dg_loaded_for_project(app->bridges.dgdecode, kFake));
    close_inputs(*app);
    std::filesystem::remove(other);
}

TEST_F(DgDecodeTest, AFrameRangeFromTheSettingsFileIsKeptInsideTheInput) {
    app->settings.set_given(settings::kFrames);
    app->settings.values.first_frame = 20;
    app->settings.values.last_frame = 60;
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(app->settings.values.first_frame, 20);
    EXPECT_EQ(app->settings.values.last_frame, 60);
    EXPECT_EQ(app->settings.values.frames_to_encode, 41);

    app->settings.values.first_frame = 600;
    app->settings.values.last_frame = 500;
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(app->settings.values.last_frame, 99);
    EXPECT_EQ(app->settings.values.first_frame, 99);
    EXPECT_EQ(app->settings.values.frames_to_encode, 1);
}

TEST_F(DgDecodeTest, A1088LineProjectOpensAndIsUsedAs1080) {
    env.set("FAKE_DG_WIDTH", "1920");
    env.set("FAKE_DG_HEIGHT", "1088");
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode.dll (project version 16) loaded", "DGDecode successfully initialized",
                                      "resolution not DVD-compliant for frame rate 25 fps",
                                      "1088 vertical resolution detected, vertical resolution set to 1080"}));
    EXPECT_EQ(app->video.height, 1080);
    EXPECT_EQ(app->video.luma_size, 1920 * 1088);
    EXPECT_EQ(fetch_frame(*app, 5), FetchOutcome::fetched);  // the frames keep their 1088 lines
}

struct Refusal {
    const char* variable;
    const char* value;
    Lines lines;  // after the "loaded" line
};

TEST_F(DgDecodeTest, EveryRefusalLeavesNoInputAndNoLibrary) {
    const Refusal refusals[] = {
        {"FAKE_DG_OPEN_FAILS", "1",
         {"error initializing DGDecode, can't open mpeg file", "fake: the project names no readable MPEG file"}},
        {"FAKE_DG_DEN", "0", {"error initializing DGDecode, mpeg file opened but can't read specifications"}},
        {"FAKE_DG_PIXEL", "0x50000002", {"error initializing DGDecode, no YV12 or YUY2 color space"}},
        {"FAKE_DG_WIDTH", "2048", {"width > 1920, not a valid MPEG2 resolution"}},
        {"FAKE_DG_HEIGHT", "1200", {"height > 1152, not a valid MPEG2 resolution"}},
    };
    for (const Refusal& refusal : refusals) {
        ScopedEnvironment one;
        one.set(refusal.variable, refusal.value);
        app = make_app();
        app->settings.input_file = "/data/movie.d2v";
        use_library(kFake);
        EXPECT_NE(open_d2v_input(*app), OpenOutcome::opened) << refusal.variable;
        Lines expected{"DGDecode.dll (project version 16) loaded"};
        expected.insert(expected.end(), refusal.lines.begin(), refusal.lines.end());
        EXPECT_EQ(log_lines(*app), expected) << refusal.variable;
        EXPECT_TRUE(no_input(*app));
        EXPECT_FALSE(app->video.kind.is_d2v);
        EXPECT_FALSE(dg_loaded_for_project(app->bridges.dgdecode, kFake));
        EXPECT_FALSE(app->bridges.dgdecode.loaded);
    }
    env.set("FAKE_DG_WIDTH", "4000");
    env.set("FAKE_DG_HEIGHT", "3000");
    use_library(kFake);
    clear_log(*app);
    EXPECT_NE(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app).back(), "width > 1920, height > 1152, not a valid MPEG2 resolution");
}

TEST_F(DgDecodeTest, ALibraryWithoutCloseVideoIsRefused) {
    use_library(kFakeWithoutClose);
    EXPECT_NE(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode.dll (project version 16) loaded",
                                      "error initializing DGDecode, can't load load routines from dll"}));
    EXPECT_TRUE(no_input(*app));
}

TEST_F(DgDecodeTest, AMissingOrBrokenLibraryIsNamed) {
    use_library("/opt/qz/DGDecode/DGDecode16.dll");
    EXPECT_NE(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode.dll NOT found in /opt/qz/DGDecode"}));
    EXPECT_TRUE(no_input(*app));

    // A file that is no library at all.
    const std::string broken = std::filesystem::temp_directory_path() / "qz_broken_DGDecode16.dll";
    std::FILE* file = std::fopen(broken.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("not a library\n", file);
    std::fclose(file);
    app = make_app();
    app->settings.input_file = "/data/movie.d2v";
    use_library(broken);
    EXPECT_NE(open_d2v_input(*app), OpenOutcome::opened);
    const Lines lines = log_lines(*app);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "DGDecode.dll NOT loaded");
    EXPECT_NE(lines[1].find("qz_broken_DGDecode16.dll"), std::string::npos);  // the loader's reason
    EXPECT_TRUE(no_input(*app));
    std::filesystem::remove(broken);
}

TEST_F(DgDecodeTest, AnEarlierInputsSizeDoesNotDecideTheLimits) {
    app->video.width = 4000;  // left by a refused script
    env.set("FAKE_DG_OPEN_FAILS", "1");
    EXPECT_NE(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app)[1], "error initializing DGDecode, can't open mpeg file");
}

TEST_F(DgDecodeTest, AFailedUnloadIsReportedAndTheOpenGoesOn) {
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    app->bridges.dgdecode.loader.unload = [](platform::LibraryHandle library) {
        platform::unload_library(library);
        return false;
    };
    dg_forget_project_library(app->bridges.dgdecode);  // a new input was chosen
    clear_log(*app);
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"ERROR unloading DGDecode.dll", "DGDecode.dll (project version 16) loaded",
                                      "DGDecode successfully initialized"}));
}

// ---- frames -----------------------------------------------------------------------------------

TEST_F(DgDecodeTest, FramesReachThePlanes) {
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    VideoSource& video = app->video;
    ASSERT_EQ(fetch_frame(*app, 9), FetchOutcome::fetched);
    EXPECT_EQ(video.y[0], 9);
    EXPECT_EQ(video.y[size_t(2) * 720 + 5], uint8_t(9 + 5 + 6));
    EXPECT_EQ(video.u[size_t(3) * 360], 6);    // chroma row 3
    EXPECT_EQ(video.v[size_t(3) * 360], 252);
    EXPECT_TRUE(log_lines(*app).size() == 2);
}

TEST_F(DgDecodeTest, A422ProjectIsBroughtTo420WithinThePlanes) {
    env.set("FAKE_DG_PIXEL", "0x60000004");
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    VideoSource& video = app->video;
    EXPECT_EQ(video.colour_space, kYUY2);
    std::fill(video.u.begin(), video.u.end(), 0x77);
    std::fill(video.v.begin(), video.v.end(), 0x77);
    ASSERT_EQ(fetch_frame(*app, 0), FetchOutcome::fetched);
    const size_t chroma = 360 * 288;
    for (size_t k = 0; k < 288; ++k) {
        // Input rows 2k and 2k + 1 hold 4k and 4k + 2 (U), 255 - 2k and 254 - 2k (V).
        ASSERT_EQ(video.u[k * 360 + 17], uint8_t((4 * k + 1) & 0xFF)) << k;
        ASSERT_EQ(video.v[k * 360 + 17], uint8_t(255 - 2 * k)) << k;
    }
    EXPECT_TRUE(std::all_of(video.u.begin() + long(chroma), video.u.end(), [](uint8_t b) { return b == 0x77; }));
    EXPECT_TRUE(std::all_of(video.v.begin() + long(chroma), video.v.end(), [](uint8_t b) { return b == 0x77; }));
}

TEST_F(DgDecodeTest, AFailedFetchKeepsThePlanesAndSaysWhy) {
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    ASSERT_EQ(fetch_frame(*app, 4), FetchOutcome::fetched);
    const auto before = app->video.y;
    env.set("FAKE_DG_FRAME_FAILS", "1");
    clear_log(*app);
    EXPECT_EQ(fetch_frame(*app, 5), FetchOutcome::no_frame_delivered);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode GetFrame failed: fake: picture damaged"}));
    EXPECT_EQ(app->video.y, before);

    close_inputs(*app);
    clear_log(*app);
    EXPECT_EQ(fetch_frame(*app, 5), FetchOutcome::dgdecode_not_loaded);
    EXPECT_EQ(log_lines(*app), (Lines{"GetFrame failed, DGDecode.dll NOT loaded"}));
    EXPECT_FALSE(dg_loaded_for_project(app->bridges.dgdecode, kFake));
}

}  // namespace
