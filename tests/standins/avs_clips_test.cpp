// Clips of the stand-in: formats and plane layout, colours, trimming, splicing, dissolving, and
// frames that are the same however they are reached.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "avs_library.h"

using namespace avs_test;

namespace {

const Library& lib() { return library(); }

const AVS_VideoInfo& info(AVS_Clip* clip) { return *lib().avs_get_video_info(clip); }

struct FormatCase {
    const char* name;
    int pixel_type;
    int luma_row_bytes;  // for a 720-wide frame
    int chroma_row_bytes;
    int chroma_height;  // for a 576-high frame
};

class PixelTypes : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PixelTypes, VideoInfoAndPlaneLayout) {
    const FormatCase& c = GetParam();
    Environment env;
    AVS_Clip* clip = env.clip(std::string("BlankClip(length=100000, width=720, height=576, fps=25, pixel_type=\"") +
                              c.name + "\")");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(info(clip).width, 720);
    EXPECT_EQ(info(clip).height, 576);
    EXPECT_EQ(info(clip).num_frames, 100000);
    EXPECT_EQ(info(clip).fps_numerator, 25u);
    EXPECT_EQ(info(clip).fps_denominator, 1u);
    EXPECT_EQ(info(clip).pixel_type, c.pixel_type);

    Frame frame(clip, 99999);
    ASSERT_TRUE(frame.valid()) << lib().avs_clip_get_error(clip);
    EXPECT_EQ(frame.row_size(AVS_PLANAR_Y), c.luma_row_bytes);
    EXPECT_EQ(frame.row_size(AVS_DEFAULT_PLANE), c.luma_row_bytes);
    EXPECT_EQ(frame.height(AVS_PLANAR_Y), 576);
    for (int plane : {AVS_PLANAR_Y, AVS_PLANAR_U, AVS_PLANAR_V}) {
        if (plane != AVS_PLANAR_Y && c.chroma_row_bytes == 0) {
            EXPECT_EQ(frame.data(plane), nullptr);
            EXPECT_EQ(frame.pitch(plane), 0);
            EXPECT_EQ(frame.row_size(plane), 0);
            EXPECT_EQ(frame.height(plane), 0);
            continue;
        }
        if (plane != AVS_PLANAR_Y) {
            EXPECT_EQ(frame.row_size(plane), c.chroma_row_bytes);
            EXPECT_EQ(frame.height(plane), c.chroma_height);
        }
        ASSERT_NE(frame.data(plane), nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(frame.data(plane)) % 64, 0u);
        EXPECT_EQ(frame.pitch(plane) % 64, 0);
        EXPECT_GE(frame.pitch(plane), frame.row_size(plane));
    }
}

INSTANTIATE_TEST_SUITE_P(AvsClips, PixelTypes,
                         ::testing::Values(FormatCase{"YV12", AVS_CS_YV12, 720, 360, 288},
                                           FormatCase{"I420", AVS_CS_I420, 720, 360, 288},
                                           FormatCase{"YUY2", AVS_CS_YUY2, 1440, 0, 0},
                                           FormatCase{"YV16", AVS_CS_YV16, 720, 360, 576},
                                           FormatCase{"YV24", AVS_CS_YV24, 720, 720, 576},
                                           FormatCase{"Y8", AVS_CS_Y8, 720, 0, 0},
                                           FormatCase{"RGB24", AVS_CS_BGR24, 2160, 0, 0},
                                           FormatCase{"RGB32", AVS_CS_BGR32, 2880, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every picture byte of every plane of frame n (padding excluded) has these values.
void expect_solid(AVS_Clip* clip, int n, int y, int u, int v) {
    Frame frame(clip, n);
    ASSERT_TRUE(frame.valid());
    const int expected[3] = {y, u, v};
    const int planes[3] = {AVS_PLANAR_Y, AVS_PLANAR_U, AVS_PLANAR_V};
    for (int p = 0; p < 3; ++p)
        for (int row = 0; row < frame.height(planes[p]); ++row)
            for (int x = 0; x < frame.row_size(planes[p]); ++x)
                ASSERT_EQ(frame.at(planes[p], x, row), expected[p]) << "frame " << n << " plane " << p << " at " << x << "," << row;
}

TEST(AvsClips, BlankClipColoursAreBt601LimitedRange) {
    Environment env;
    expect_solid(env.clip("BlankClip(width=32, height=16, pixel_type=\"YV12\")"), 0, 16, 128, 128);
    expect_solid(env.clip("BlankClip(width=32, height=16, pixel_type=\"YV12\", color=$FFFFFF)"), 0, 235, 128, 128);
    expect_solid(env.clip("BlankClip(width=32, height=16, pixel_type=\"YV16\", color=$FF0000)"), 0, 81, 90, 240);
    expect_solid(env.clip("BlankClip(width=32, height=16, pixel_type=\"YV24\", color=$0000FF)"), 0, 41, 240, 110);
    expect_solid(env.clip("BlankClip(width=32, height=16, pixel_type=\"YV12\", color_yuv=$5A6B7C)"), 0, 0x5A, 0x6B, 0x7C);

    Frame yuy2(env.clip("BlankClip(width=8, height=2, pixel_type=\"YUY2\", color=$00FF00)"), 0);
    const int packed[4] = {145, 54, 145, 34};  // Y U Y V
    for (int x = 0; x < 16; ++x) EXPECT_EQ(yuy2.at(AVS_DEFAULT_PLANE, x, 1), packed[x % 4]) << x;

    Frame rgb(env.clip("BlankClip(width=8, height=2, pixel_type=\"RGB32\", color=$80123456)"), 0);
    const int bgra[4] = {0x56, 0x34, 0x12, 0x80};
    for (int x = 0; x < 32; ++x) EXPECT_EQ(rgb.at(AVS_DEFAULT_PLANE, x, 1), bgra[x % 4]) << x;
}

TEST(AvsClips, FrameRatesFromFloatsAndFractions) {
    Environment env;
    AVS_Clip* ntsc = env.clip("BlankClip(fps=30000, fps_denominator=1001)");
    EXPECT_EQ(info(ntsc).fps_numerator, 30000u);
    EXPECT_EQ(info(ntsc).fps_denominator, 1001u);
    AVS_Clip* decimal = env.clip("BlankClip(fps=29.97)");
    EXPECT_EQ(info(decimal).fps_numerator, 2997u);
    EXPECT_EQ(info(decimal).fps_denominator, 100u);
    AVS_Clip* reduced = env.clip("BlankClip(fps=50, fps_denominator=2)");
    EXPECT_EQ(info(reduced).fps_numerator, 25u);
    EXPECT_EQ(info(reduced).fps_denominator, 1u);
    AVS_Clip* defaults = env.clip("BlankClip()");
    EXPECT_EQ(info(defaults).fps_numerator, 24u);
    EXPECT_EQ(info(defaults).num_frames, 240);
    EXPECT_EQ(info(defaults).width, 640);
    EXPECT_EQ(info(defaults).pixel_type, AVS_CS_BGR32);
}

const char* const red_then_blue =
    "red = BlankClip(length=10, width=16, height=16, pixel_type=\"YV12\", color=$FF0000)\n"
    "blue = BlankClip(red, color=$0000FF)\n";

TEST(AvsClips, TrimFollowsFrameServerRules) {
    Environment env;
    const std::string base = "BlankClip(length=100)\n";
    const std::pair<const char*, int> cases[] = {
        {"Trim(10, 19)", 10},  {"Trim(10, 0)", 90},         {"Trim(10, -5)", 5},
        {"Trim(0, -1)", 1},    {"Trim(90, 500)", 10},       {"Trim(200, 300)", 0},
        {"last.Trim(5, 5)", 1}, {"Trim(10, length=20)", 20}, {"Trim(10, end=10)", 1},
        {"Trim(-3, 2)", 3},    {"Trim(20, 10)", 0}};
    for (const auto& [call, length] : cases) {
        AVS_Clip* clip = env.clip(base + call);
        ASSERT_NE(clip, nullptr) << call;
        EXPECT_EQ(info(clip).num_frames, length) << call;
    }
    AVS_Clip* edges = env.clip(std::string(red_then_blue) + "(red + blue).Trim(8, 11)");
    ASSERT_EQ(info(edges).num_frames, 4);
    expect_solid(edges, 1, 81, 90, 240);
    expect_solid(edges, 2, 41, 240, 110);
}

TEST(AvsClips, SplicesJoinClipsEndToEnd) {
    Environment env;
    AVS_Clip* unaligned = env.clip(std::string(red_then_blue) + "red + blue + red");
    AVS_Clip* aligned = env.clip(std::string(red_then_blue) + "AlignedSplice(red, blue) ++ red.Trim(0, 4)");
    ASSERT_EQ(info(unaligned).num_frames, 30);
    ASSERT_EQ(info(aligned).num_frames, 25);
    expect_solid(unaligned, 9, 81, 90, 240);
    expect_solid(unaligned, 10, 41, 240, 110);
    expect_solid(unaligned, 29, 81, 90, 240);
    expect_solid(aligned, 19, 41, 240, 110);
    expect_solid(aligned, 20, 81, 90, 240);

    // A long chain of splices stays cheap and correct.
    std::string chain = std::string(red_then_blue) + "c = red";
    for (int i = 0; i < 300; ++i) chain += i % 2 ? " + red" : " + blue";
    AVS_Clip* many = env.clip(chain + "\nc");
    ASSERT_EQ(info(many).num_frames, 3010);
    expect_solid(many, 3009, 81, 90, 240);
    expect_solid(many, 2999, 41, 240, 110);
}

TEST(AvsClips, DissolveCrossFadesOverTheOverlap) {
    Environment env;
    AVS_Clip* clip = env.clip(
        "black = BlankClip(length=10, width=16, height=8, pixel_type=\"YV12\")\n"
        "white = BlankClip(black, color=$FFFFFF)\n"
        "Dissolve(black, white, 4)\n");
    ASSERT_EQ(info(clip).num_frames, 16);
    for (int n = 0; n < 6; ++n) expect_solid(clip, n, 16, 128, 128);
    for (int k = 1; k <= 4; ++k) expect_solid(clip, 5 + k, (16 * (5 - k) + 235 * k + 2) / 5, 128, 128);
    for (int n = 10; n < 16; ++n) expect_solid(clip, n, 235, 128, 128);

    AVS_Clip* three = env.clip(std::string(red_then_blue) + "Dissolve(red, blue, red, 3)");
    EXPECT_EQ(info(three).num_frames, 24);
    AVS_Clip* cut = env.clip(std::string(red_then_blue) + "Dissolve(red, blue, 0)");
    EXPECT_EQ(info(cut).num_frames, 20);
    expect_solid(cut, 10, 41, 240, 110);

    EXPECT_EQ(env.import_error(std::string(red_then_blue) + "Dissolve(red, blue, 11)")
                  .rfind("Dissolve: the overlap of 11 frames is longer than a clip\n(", 0),
              0u);
}

TEST(AvsClips, ColorBarsAreAStillPicture) {
    Environment env;
    AVS_Clip* clip = env.clip("ColorBars(pixel_type=\"YV12\")");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(info(clip).width, 640);
    EXPECT_EQ(info(clip).height, 480);
    EXPECT_EQ(info(clip).fps_numerator, 30000u);
    EXPECT_EQ(info(clip).fps_denominator, 1001u);
    Frame first(clip, 0), later(clip, 5000);
    EXPECT_EQ(first.picture(), later.picture());
    EXPECT_EQ(first.at(AVS_PLANAR_Y, 0, 0), 180);    // 75% grey
    EXPECT_EQ(first.at(AVS_PLANAR_Y, 639, 0), 35);   // 75% blue
    EXPECT_EQ(first.at(AVS_PLANAR_Y, 639, 479), 16); // black
    EXPECT_EQ(first.at(AVS_PLANAR_U, 319, 0), 212);

    Frame rgb(env.clip("ColorBars()"), 0);
    const unsigned char* bottom_row = rgb.data(AVS_DEFAULT_PLANE);  // RGB frames are stored bottom up
    const unsigned char* top_row = bottom_row + 479 * rgb.pitch(AVS_DEFAULT_PLANE);
    EXPECT_EQ(top_row[0], 0xBF);
    EXPECT_EQ(top_row[639 * 4], 0xBF);
    EXPECT_EQ(top_row[639 * 4 + 2], 0x00);
    EXPECT_EQ(bottom_row[639 * 4], 0x00);
}

TEST(AvsClips, RandomAccessGivesTheSameFramesAsPlaying) {
    Environment env;
    AVS_Clip* clip = env.clip(
        "a = BlankClip(length=12, width=32, height=16, pixel_type=\"YUY2\", fps=30000, fps_denominator=1001, "
        "color=$204060)\n"
        "b = BlankClip(a, color=$C0A080)\n"
        "bars = ColorBars(32, 16, \"YUY2\").Trim(0, 9)\n"
        "Dissolve(a + bars, b, 5) ++ a.Trim(3, -4) + Dissolve(bars, a, 10)\n");
    ASSERT_NE(clip, nullptr);
    const int count = info(clip).num_frames;
    ASSERT_EQ(count, 29 + 4 + 12);
    std::vector<std::vector<unsigned char>> played;
    for (int n = 0; n < count; ++n) played.push_back(Frame(clip, n).picture());
    EXPECT_NE(played[0], played[12]);
    EXPECT_NE(played[18], played[19]);

    std::vector<int> order(count);
    for (int n = 0; n < count; ++n) order[n] = n;
    std::mt19937 random(12345);
    std::shuffle(order.begin(), order.end(), random);
    for (int n : order) EXPECT_EQ(Frame(clip, n).picture(), played[n]) << "frame " << n;

    // Numbers outside the clip give its first and last frames.
    EXPECT_EQ(Frame(clip, -7).picture(), played.front());
    EXPECT_EQ(Frame(clip, 1 << 30).picture(), played.back());
}

}  // namespace
