#include "commands/time_texts.h"

#include <gtest/gtest.h>

namespace {

using namespace qz::commands;

TEST(TimeTexts, ClockTimesAlwaysHaveTwoDigits) {
    EXPECT_EQ(clock_text({9, 5, 3}), "09:05:03");
    EXPECT_EQ(clock_text({23, 59, 59}), "23:59:59");
}

TEST(TimeTexts, DurationIsTwelveCharactersWithBlankPaddedHours) {
    EXPECT_EQ(duration_text(125.25), " 0:02:05.250");
    EXPECT_EQ(duration_text(0.4567), " 0:00:00.457");
    EXPECT_EQ(duration_text(3600.0 * 13 + 61), "13:01:01.000");
    EXPECT_EQ(duration_text(59.9999), " 0:00:59.999");
    EXPECT_EQ(duration_text(-1.0), " 0:00:00.000");
    EXPECT_EQ(duration_text(125.25).size(), 12u);
}

TEST(TimeTexts, LongPathsKeepTheirStartAndTheirLast32Characters) {
    std::string forty(40, 'p');
    EXPECT_EQ(shortened_path(forty + "     "), forty);
    std::string path41 = "/home/user/videos/holiday/2026/clip01.avs";
    ASSERT_EQ(path41.size(), 41u);
    EXPECT_EQ(shortened_path(path41), "/home..." + path41.substr(9));
    EXPECT_EQ(shortened_path(path41).size(), 40u);
}

}  // namespace
