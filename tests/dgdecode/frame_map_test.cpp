#include "frame_map.h"

#include <gtest/gtest.h>

namespace qz::dgdecode {
namespace {

D2vProject project_with(std::vector<uint8_t> flags, int field_operation) {
    D2vProject p;
    p.field_operation = field_operation;
    p.picture_flags = std::move(flags);
    p.entries.push_back({0, 0, 0, 0, int(p.picture_flags.size())});
    return p;
}

// Soft pulldown flags (top field first, repeat first field): (1,1) (0,0) (0,1) (1,0), twice.
std::vector<uint8_t> pulldown_cycle() {
    return {0x53, 0x70, 0x71, 0x62, 0x53, 0x70, 0x71, 0x62};
}

TEST(FrameMap, PulldownFramesAreWovenFromTheFieldSequence) {
    FrameMap map;
    map.build(project_with(pulldown_cycle(), 0));
    ASSERT_EQ(map.frame_count(), 10);
    // Fields T0 B0 T0 | B1 T1 | B2 T2 B2 | T3 B3, then the same from picture 4.
    const int kTop[10] = {0, 0, 1, 2, 3, 4, 4, 5, 6, 7};
    const int kBottom[10] = {0, 1, 2, 2, 3, 4, 5, 6, 6, 7};
    for (int f = 0; f < 10; ++f) {
        EXPECT_EQ(map.sources(f).top_picture, kTop[f]) << f;
        EXPECT_EQ(map.sources(f).bottom_picture, kBottom[f]) << f;
    }
}

TEST(FrameMap, ForceFilmAndIgnoringPulldownGiveOneFramePerPicture) {
    for (int op : {1, 2}) {
        FrameMap map;
        map.build(project_with(pulldown_cycle(), op));
        ASSERT_EQ(map.frame_count(), 8);
        EXPECT_EQ(map.sources(5).top_picture, 5);
        EXPECT_EQ(map.sources(5).bottom_picture, 5);
    }
    FrameMap plain;
    plain.build(project_with({0x50, 0x70, 0x70, 0x60}, 0));
    EXPECT_EQ(plain.frame_count(), 4);
    EXPECT_FALSE(plain.builds_from_fields());
}

TEST(FrameMap, FlagsThatBreakTheFieldOrderGiveWholePictures) {
    // T0 B0 T0 then T1 B1: frame 1 would pair two top fields.
    FrameMap map;
    map.build(project_with({0x53, 0x62}, 0));
    ASSERT_EQ(map.frame_count(), 2);
    EXPECT_EQ(map.sources(1).top_picture, 0);
    EXPECT_EQ(map.sources(1).bottom_picture, 0);
}

}  // namespace
}  // namespace qz::dgdecode
