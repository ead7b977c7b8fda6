// The DVD advice on an opened input and the 1088-line correction.
#include "input/video_source.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace qz::input;

std::vector<std::string> advice_for(VideoSource& video, int width, int height, float rate, bool pulldown = false) {
    video.width = width;
    video.height = height;
    video.frame_rate = rate;
    InputAdvice advice = check_input(video, pulldown);
    return {advice.lines.begin(), advice.lines.begin() + advice.count};
}

TEST(CheckInputTest, AdviceInItsOrder) {
    auto video = std::make_unique<VideoSource>();
    using Lines = std::vector<std::string>;
    EXPECT_EQ(advice_for(*video, 720, 576, 25.0f), Lines{});
    EXPECT_EQ(advice_for(*video, 352, 288, 25.0f), Lines{});
    EXPECT_EQ(advice_for(*video, 720, 480, 23.976f), Lines{"use pulldown for DVD compliancy"});
    EXPECT_TRUE(video->film_rate);
    EXPECT_EQ(advice_for(*video, 720, 480, 23.976f, true), Lines{});
    EXPECT_EQ(advice_for(*video, 1280, 720, 50.0f), Lines{"frame rate not DVD-compliant"});
    EXPECT_FALSE(video->film_rate);
    EXPECT_EQ(advice_for(*video, 352, 288, 29.97f), Lines{"resolution not DVD-compliant for frame rate 29.97 fps"});
    EXPECT_EQ(advice_for(*video, 704, 576, 23.976f),
              (Lines{"use pulldown for DVD compliancy", "resolution not DVD-compliant for frame rate 23.976 fps"}));
    EXPECT_EQ(advice_for(*video, 720, 576, 24.995f), Lines{});
    EXPECT_EQ(advice_for(*video, 720, 576, 24.98f), Lines{"frame rate not DVD-compliant"});
}

TEST(CheckInputTest, A1088LineFrameIsUsedAs1080Lines) {
    auto video = std::make_unique<VideoSource>();
    video->luma_size = 1920 * 1088;
    EXPECT_EQ(advice_for(*video, 1920, 1088, 25.0f),
              (std::vector<std::string>{"resolution not DVD-compliant for frame rate 25 fps",
                                        "1088 vertical resolution detected, vertical resolution set to 1080"}));
    EXPECT_EQ(video->height, 1080);
    EXPECT_EQ(video->luma_size, 1920 * 1088);  // the planes keep their size
    EXPECT_EQ(video->y.size(), 1920u * 1152u);
    EXPECT_EQ(video->u.size(), 960u * 576u);
}

}  // namespace
