// Both bridges against the real stand-ins: a D2V project of an MPEG-2 file decoded by the DGDecode
// stand-in, and Avisynth scripts run by the Avisynth stand-in, through the program's open procedures
// and frame fetch.
#include "bridge_test_support.h"
#include "pages/fetch_frame.h"
#include "input/input_kind.h"
#include "commands/input_open.h"
#include "test_clips.h"
#include "test_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>

namespace {

using namespace qz;
using namespace qz::input;
using namespace qz::inputtest;

uint64_t plane_checksum(const VideoSource& video) {
    const size_t luma = size_t(video.luma_size);
    return dgtest::checksum(video.y.data(), luma) ^ (dgtest::checksum(video.u.data(), luma / 4) * 3) ^
           (dgtest::checksum(video.v.data(), luma / 4) * 7);
}

std::unique_ptr<App> app_for_project(const std::string& d2v) {
    auto app = make_app();
    app->paths.program_folder = std::string(QZ_PROGRAM_DIR) + "/";
    app->paths.dgdecode_folder = std::string(QZ_DGDECODE_DIR) + "/";
    app->settings.input_file = d2v;
    app->settings.set_given(settings::kInfile);
    app->video.kind = classify_input(d2v, app->paths.dgdecode_folder);
    return app;
}

TEST(StandInProjectTest, A720x576ProjectOpensAndEveryFrameIsTheSameInAnyOrder) {
    testclip::ClipSpec spec;
    spec.path = "pal.m2v";
    spec.frames = 120;
    spec.gop = 12;
    const dgtest::TestClip clip = dgtest::ensure_clip("bridge_pal", spec);
    auto app = app_for_project(clip.d2v);
    ASSERT_TRUE(app->video.kind.is_d2v);

    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode.dll (project version 16) loaded", "DGDecode successfully initialized"}));
    EXPECT_EQ(app->video.frame_count, 120);
    EXPECT_FLOAT_EQ(app->video.frame_rate, 25.0f);
    EXPECT_EQ(app->video.width, 720);
    EXPECT_EQ(app->video.height, 576);

    std::vector<uint64_t> in_order;
    for (int n = 0; n < 120; ++n) {
        ASSERT_EQ(fetch_frame(*app, n), FetchOutcome::fetched);
        ASSERT_EQ(testclip::read_frame_number(app->video.y.data(), 720, 576, 720), n);
        in_order.push_back(plane_checksum(app->video));
    }
    std::vector<int> order(120);
    std::iota(order.begin(), order.end(), 0);
    const unsigned seed = std::random_device{}();
    std::shuffle(order.begin(), order.end(), std::mt19937(seed));
    for (int n : order) {
        ASSERT_EQ(fetch_frame(*app, n), FetchOutcome::fetched);
        ASSERT_EQ(plane_checksum(app->video), in_order[size_t(n)]) << "frame " << n << " seed " << seed;
    }
    close_inputs(*app);
}

TEST(StandInProjectTest, A422ProjectReachesThePlanesAs420) {
    testclip::ClipSpec spec;
    spec.path = "studio.m2v";
    spec.frames = 24;
    spec.chroma_422 = true;
    const dgtest::TestClip clip = dgtest::ensure_clip("bridge_422", spec);
    auto app = app_for_project(clip.d2v);
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(app->video.colour_space, kYUY2);

    // The library's own 4:2:2 frame, averaged down here, must be what the planes get.
    dgtest::DgLibrary library;
    ASSERT_NE(library.open, nullptr);
    const DgVideoInfo* info = library.open(clip.d2v.c_str());
    ASSERT_NE(info, nullptr);
    const unsigned char* frame = library.get_frame(13);
    ASSERT_NE(frame, nullptr);
    const size_t luma = 720 * 576, chroma422 = luma / 2, chroma420 = luma / 4;
    std::vector<uint8_t> u(chroma420), v(chroma420);
    chroma_422_to_420_plain(frame + luma, 360, 576, u.data());
    chroma_422_to_420_plain(frame + luma + chroma422, 360, 576, v.data());

    ASSERT_EQ(fetch_frame(*app, 13), FetchOutcome::fetched);
    EXPECT_TRUE(std::equal(frame, frame + luma, app->video.y.begin()));
    EXPECT_TRUE(std::equal(u.begin(), u.end(), app->video.u.begin()));
    EXPECT_TRUE(std::equal(v.begin(), v.end(), app->video.v.begin()));
    EXPECT_EQ(testclip::read_frame_number(app->video.y.data(), 720, 576, 720), 13);
    close_inputs(*app);
}

// A copy of the MPEG file shorter than the project's index: the open says which frames are
// missing, the frames before the cut reach the planes, and a missing one is a clear failure that
// leaves the planes as they were (no other picture passed off as that frame).
TEST(StandInProjectTest, AProjectWhoseMpegFileIsCutShortSaysSoAndRefusesTheMissingFrames) {
    testclip::ClipSpec spec;
    spec.path = "whole.m2v";
    spec.width = 352;
    spec.height = 288;
    spec.frames = 100;
    spec.gop = 12;
    const dgtest::TestClip clip = dgtest::ensure_clip("bridge_whole", spec);
    const std::string copy = dgtest::clip_folder() + "/bridge_cut_copy.m2v";
    std::filesystem::copy_file(clip.streams[0], copy, std::filesystem::copy_options::overwrite_existing);
    testclip::D2vSpec project;
    project.d2v_path = dgtest::clip_folder() + "/bridge_cut_copy.d2v";
    project.stream_files = {copy};
    dgtest::write_project(project);
    std::string error;
    ASSERT_TRUE(testclip::cut_source_at_gop(project.d2v_path, 4, error)) << error;

    auto app = app_for_project(project.d2v_path);
    ASSERT_EQ(open_d2v_input(*app), OpenOutcome::opened);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode.dll (project version 16) loaded", "DGDecode successfully initialized",
                                      "WARNING, the MPEG files are shorter than the index: frames 46 to 99 are missing"}));
    EXPECT_EQ(app->video.frame_count, 100);

    ASSERT_EQ(fetch_frame(*app, 45), FetchOutcome::fetched);
    EXPECT_EQ(testclip::read_frame_number(app->video.y.data(), 352, 288, 352), 45);
    const uint64_t before = plane_checksum(app->video);
    clear_log(*app);
    EXPECT_EQ(fetch_frame(*app, 60), FetchOutcome::no_frame_delivered);
    EXPECT_EQ(log_lines(*app), (Lines{"DGDecode GetFrame failed: frame 60 is missing: the MPEG files end before it"}));
    EXPECT_EQ(plane_checksum(app->video), before);
    ASSERT_EQ(fetch_frame(*app, 3), FetchOutcome::fetched);
    EXPECT_EQ(testclip::read_frame_number(app->video.y.data(), 352, 288, 352), 3);
    close_inputs(*app);
}

// ---- Avisynth scripts -------------------------------------------------------------------------

class StandInScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = make_app();
        app->bridges.avisynth.library_override = QZ_AVS_STANDIN_LIBRARY;
        std::filesystem::create_directories(folder());
    }
    void TearDown() override { close_inputs(*app); }

    static std::string folder() { return std::string(QZ_INPUT_TEST_DIR) + "/scripts"; }

    Lines open_script(const std::string& name, const std::string& text) {
        const std::string path = folder() + "/" + name;
        std::ofstream(path) << text;
        app->settings.input_file = path;
        app->settings.set_given(settings::kInfile);
        app->video.kind = classify_input(path, "");
        clear_log(*app);
        opened = open_avisynth_input(*app) == OpenOutcome::opened;
        return log_lines(*app);
    }

    std::unique_ptr<App> app;
    bool opened = false;
    ScopedEnvironment env;
};

TEST_F(StandInScriptTest, AValidClipOpens) {
    EXPECT_EQ(open_script("pal.avs", "BlankClip(length=250, width=720, height=576, pixel_type=\"YV12\", fps=25)\n"),
              (Lines{"Avisynth.dll loaded", "Avisynth successfully initialized"}));
    ASSERT_TRUE(opened);
    EXPECT_EQ(app->video.frame_count, 250);
    EXPECT_FLOAT_EQ(app->video.frame_rate, 25.0f);
    EXPECT_EQ(app->video.interface_version, 10);
}

TEST_F(StandInScriptTest, SizesColourSpacesAndErrorsAreRefusedWithTheirLines) {
    EXPECT_EQ(open_script("h722.avs", "BlankClip(width=1280, height=722, pixel_type=\"YV12\")\n"),
              (Lines{"Avisynth.dll loaded", "height: 722, height not a multiple of 8"}));
    EXPECT_TRUE(no_input(*app));

    EXPECT_EQ(open_script("big.avs", "BlankClip(width=1922, height=1090, pixel_type=\"YV12\")\n"),
              (Lines{"Avisynth.dll loaded", "width > 1920, horizontal resolution too high",
                     "width: 1922, width not a multiple of 8", "height: 1090, height not a multiple of 8"}));
    EXPECT_TRUE(no_input(*app));

    EXPECT_EQ(open_script("rgb.avs", "BlankClip(width=720, height=576, pixel_type=\"RGB32\")\n"),
              (Lines{"Avisynth.dll loaded", "video is not YV12, YUY2, YV16 or YV24 color space"}));
    EXPECT_TRUE(no_input(*app));

    const Lines syntax = open_script("syntax.avs", "a = BlankClip(\nTrim(a, 0, )\n");
    ASSERT_GE(syntax.size(), 3u);
    EXPECT_EQ(syntax[0], "Avisynth.dll loaded");
    EXPECT_EQ(syntax[1], "can't process AVS file");
    EXPECT_EQ(syntax[2].rfind("Script error: ", 0), 0u) << syntax[2];
    EXPECT_NE(syntax.back().find("syntax.avs, line"), std::string::npos) << syntax.back();
    EXPECT_TRUE(no_input(*app));

    EXPECT_EQ(open_script("audio.avs", "BlankClip(width=720, height=576).KillVideo\n"),
              (Lines{"Avisynth.dll loaded", "Avisynth does not return a video, can't load video"}));
}

TEST_F(StandInScriptTest, OldInterfaceVersionsAreRefused) {
    env.set("QZ_AVS_STANDIN_CLIP_VERSION", "5");
    EXPECT_EQ(open_script("old.avs", "BlankClip(width=720, height=576, pixel_type=\"YV12\")\n"),
              (Lines{"Avisynth.dll loaded",
                     "Avisynth version too old, need at least 2.6 RC1 (Avisynth_Interface_Version 6 or higher)",
                     "current Avisynth_Interface_Version:  5"}));
    EXPECT_TRUE(no_input(*app));

    env.set("QZ_AVS_STANDIN_VERSION", "5");
    EXPECT_EQ(open_script("old.avs", "BlankClip(width=720, height=576, pixel_type=\"YV12\")\n"),
              (Lines{"can't create Avisynth ScriptEnvironment",
                     "Avisynth version too old?, need at least 2.6 RC1 (Avisynth_Interface_Version 6 or higher)"}));
}

TEST_F(StandInScriptTest, ClipsOfKnownColoursGiveTheExpected420Planes) {
    for (const char* pixel_type : {"YV12", "YUY2", "YV16", "YV24"}) {
        const std::string script = std::string("BlankClip(length=3, width=360, height=288, pixel_type=\"") + pixel_type +
                                   "\", color_yuv=$51F05A) ++ BlankClip(length=3, width=360, height=288, pixel_type=\"" +
                                   pixel_type + "\", color_yuv=$D2106E)\n";
        open_script(std::string("colour_") + pixel_type + ".avs", script);
        ASSERT_TRUE(opened) << pixel_type;
        VideoSource& video = app->video;
        std::fill(video.u.begin(), video.u.end(), 0x01);
        for (int n : {4, 1}) {
            ASSERT_EQ(fetch_frame(*app, n), FetchOutcome::fetched) << pixel_type;
            const uint8_t y = n < 3 ? 0x51 : 0xD2, u = n < 3 ? 0xF0 : 0x10, v = n < 3 ? 0x5A : 0x6E;
            const size_t luma = 360 * 288, chroma = luma / 4;
            EXPECT_TRUE(std::all_of(video.y.begin(), video.y.begin() + long(luma), [&](uint8_t b) { return b == y; }))
                << pixel_type << " frame " << n;
            EXPECT_TRUE(std::all_of(video.u.begin(), video.u.begin() + long(chroma), [&](uint8_t b) { return b == u; }))
                << pixel_type << " frame " << n;
            EXPECT_TRUE(std::all_of(video.v.begin(), video.v.begin() + long(chroma), [&](uint8_t b) { return b == v; }))
                << pixel_type << " frame " << n;
            EXPECT_EQ(video.u[chroma], 0x01) << pixel_type;  // nothing past the 4:2:0 plane
        }
    }
}

}  // namespace
