// The Main page's number fields on leaving, the movie information and the file length.
#include "main_page_fixture.h"

#include "pages/movie_information.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

namespace {

using qz::ui::dialog::kMainPage;
using namespace qz::ui::main_page_ids;

using namespace qz;
using namespace qz::test;
using pages::hms_text;

TEST(MovieInformationText, HmsRoundsHalvesAwayFromZero) {
    EXPECT_EQ(hms_text(3599.5), " 1:00:00");
    EXPECT_EQ(hms_text(3599.49), " 0:59:59");
    EXPECT_EQ(hms_text(59.5), " 0:01:00");
    EXPECT_EQ(hms_text(0.0), " 0:00:00");
    EXPECT_EQ(hms_text(10 * 3600 + 61), "10:01:01");
    EXPECT_EQ(hms_text(100 * 3600), "100:00:00");
    EXPECT_EQ(pages::round_half_away(2.5), 3);
    EXPECT_EQ(pages::round_half_away(-2.5), -3);
    EXPECT_EQ(pages::round_half_away(12.5), 13);
}

TEST_F(MainPageTest, MovieInformationOfAVideo) {
    // 86388 frames at 24 fps last 3599.5 seconds: one hour once rounded.
    open_video(1920, 1080, 24.0f, 86388, input::kYV16);
    EXPECT_EQ(main_text(kFrameSizeText), "1920x1080 HD res");
    EXPECT_EQ(main_text(kRateAndFormatText), "24.0000 / YV16");
    EXPECT_EQ(main_text(kFrameCountText), "86388");
    EXPECT_EQ(main_text(kMovieSecondsText), "3599.50");
    EXPECT_EQ(main_text(kMovieHmsText), " 1:00:00");
    EXPECT_EQ(main_text(kEncodingFramesText), "86388");
    EXPECT_EQ(main_text(kEncodingSecondsText), "3599.50");
    EXPECT_EQ(main_text(kEncodingHmsText), " 1:00:00");
    EXPECT_TRUE(c.enabled(kMainPage, kAllFramesButton));

    open_video(720, 576, 25.0f, 1000, input::kYUY2);
    EXPECT_EQ(main_text(kFrameSizeText), "720x576");
    EXPECT_EQ(main_text(kRateAndFormatText), "25.0000 / YUY2");
    open_video(720, 480, 29.97f, 1000);
    EXPECT_EQ(main_text(kRateAndFormatText), "29.9700 / YV12");
    open_video(704, 480, 23.976f, 1000);
    EXPECT_EQ(main_text(kRateAndFormatText), "23.9760 / YV12");
}

TEST_F(MainPageTest, MovieInformationWithoutAVideoShowsDashes) {
    open_video(720, 576, 25.0f, 1000);
    app.settings.input_valid = false;
    pages::refresh_movie_information(app);
    for (int id : {kStartFrameBox, kEndFrameBox, kFrameSizeText, kRateAndFormatText, kFrameCountText, kMovieSecondsText,
                   kMovieHmsText, kEncodingFramesText, kEncodingSecondsText, kEncodingHmsText})
        EXPECT_EQ(main_text(id), "-") << id;
    EXPECT_FALSE(c.enabled(kMainPage, kAllFramesButton));
    EXPECT_EQ(app.settings.values.first_frame, -1);
    EXPECT_EQ(app.settings.values.last_frame, -1);
    EXPECT_EQ(app.settings.values.frames_to_encode, 0);
}

TEST_F(MainPageTest, EndFrameIsHeldBetweenStartAndLastFrame) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(kEndFrameBox, "1000");  // one past the last frame
    EXPECT_EQ(main_text(kEndFrameBox), "999");
    enter_field(kStartFrameBox, "500");
    enter_field(kEndFrameBox, "100");  // below the start
    EXPECT_EQ(main_text(kEndFrameBox), "500");
    EXPECT_EQ(main_text(kEncodingFramesText), "1");
    EXPECT_EQ(main_text(kEncodingSecondsText), "0.04");
    enter_field(kEndFrameBox, "  0749 ");
    EXPECT_EQ(main_text(kEndFrameBox), "749");
    EXPECT_EQ(main_text(kEncodingFramesText), "250");
    EXPECT_EQ(main_text(kEncodingHmsText), " 0:00:10");
    // Not a number: the previous end comes back.
    enter_field(kEndFrameBox, "");
    EXPECT_EQ(main_text(kEndFrameBox), "749");
    EXPECT_EQ(app.settings.values.frames_to_encode, 250);
}

TEST_F(MainPageTest, StartFrameIsHeldBetweenZeroAndEndFrame) {
    open_video(720, 576, 25.0f, 1000);
    enter_field(kEndFrameBox, "599");
    enter_field(kStartFrameBox, "-5");
    EXPECT_EQ(main_text(kStartFrameBox), "0");
    EXPECT_EQ(main_text(kEncodingFramesText), "600");
    enter_field(kStartFrameBox, "700");  // above the end
    EXPECT_EQ(main_text(kStartFrameBox), "599");
    EXPECT_EQ(main_text(kEncodingFramesText), "1");
    enter_field(kStartFrameBox, "x");
    EXPECT_EQ(main_text(kStartFrameBox), "599");
    EXPECT_EQ(app.settings.values.first_frame, 599);
}

TEST_F(MainPageTest, FrameRangeChangesTheFileLength) {
    open_video(720, 576, 25.0f, 2500);  // 100 seconds
    // 4000 kbit/s over 100 s: R(4000 x 100 / 1.024) / 8.
    EXPECT_EQ(main_text(kFileLengthBox), "48828");
    enter_field(kEndFrameBox, "1249");  // 50 seconds
    EXPECT_EQ(main_text(kFileLengthBox), "24414");
    EXPECT_TRUE(log().empty());
}

TEST_F(MainPageTest, AverageAboveMaximumRaisesTheMaximum) {
    open_video(720, 576, 25.0f, 2500);
    enter_field(kAverageBitrateBox, "6000");
    EXPECT_EQ(main_text(kMaxBitrateBox), "8000");
    EXPECT_EQ(main_text(kFileLengthBox), "73242");  // R(6000 x 100 / 1.024) / 8
    enter_field(kAverageBitrateBox, "9000");
    EXPECT_EQ(main_text(kMaxBitrateBox), "9000");
    EXPECT_EQ(app.settings.values.max_bitrate, 9000);
    EXPECT_EQ(main_text(kFileLengthBox), "109863");
    enter_field(kAverageBitrateBox, "");
    EXPECT_EQ(main_text(kAverageBitrateBox), "9000");
    enter_field(kAverageBitrateBox, "-100");  // a rate has no sign
    EXPECT_EQ(main_text(kAverageBitrateBox), "9000");
}

TEST_F(MainPageTest, MaximumBelowAverageLowersTheAverageAndItsFileLength) {
    open_video(720, 576, 25.0f, 2500);
    enter_field(kMaxBitrateBox, "3000");
    EXPECT_EQ(main_text(kAverageBitrateBox), "3000");
    EXPECT_EQ(main_text(kMaxBitrateBox), "3000");
    EXPECT_EQ(main_text(kFileLengthBox), "36621");
    enter_field(kMaxBitrateBox, "5000");  // raising the maximum leaves the average
    EXPECT_EQ(main_text(kAverageBitrateBox), "3000");
}

TEST_F(MainPageTest, FileLengthSetsTheAverage) {
    open_video(720, 576, 25.0f, 2500);
    click(kMainPage, kFileLengthRadio);
    enter_field(kFileLengthBox, "50000");  // 50000 x 8.192 = 409600 over 100 s
    EXPECT_EQ(main_text(kAverageBitrateBox), "4096");
    EXPECT_EQ(main_text(kFileLengthBox), "50000");
    enter_field(kFileLengthBox, "0");
    EXPECT_EQ(main_text(kFileLengthBox), "1");
    EXPECT_EQ(main_text(kAverageBitrateBox), "0");  // R(R(8.192) / 100)
}

TEST_F(MainPageTest, FileLengthOverTheMaximumComesFromTheMaximum) {
    open_video(720, 576, 25.0f, 2500);
    click(kMainPage, kFileLengthRadio);
    enter_field(kFileLengthBox, "200000");  // would be 16384 kbit/s
    EXPECT_EQ(main_text(kAverageBitrateBox), "8000");
    EXPECT_EQ(main_text(kFileLengthBox), "97656");  // R(8000 x 100 / 1.024) / 8, the kilobytes of 1024 bytes it fills
}

TEST_F(MainPageTest, FileLengthRoundsTheAverageHalfAwayFromZero) {
    open_video(720, 576, 25.0f, 50);  // 2 seconds
    click(kMainPage, kFileLengthRadio);
    enter_field(kFileLengthBox, "3");  // R(24.576) = 25 over 2 s is 12.5
    EXPECT_EQ(main_text(kAverageBitrateBox), "13");
    enter_field(kFileLengthBox, "abc");  // the length that goes with the average kept
    EXPECT_EQ(main_text(kAverageBitrateBox), "13");
    EXPECT_EQ(main_text(kFileLengthBox), "3");
}

TEST_F(MainPageTest, WithoutAVideoTheFileLengthIsEmpty) {
    pages::refresh_file_length(app);
    EXPECT_EQ(main_text(kFileLengthBox), "");
}

}  // namespace
