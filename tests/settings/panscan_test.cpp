// The pan-scan list and its files: what a written file reads back as, what reading keeps of a file,
// and the per-frame offsets the preview draws from.
#include "settings/panscan_file.h"
#include "settings/panscan_list.h"
#include "shell/connections.h"
#include "state/app.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"
#include "ui/user_actions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace qz::settings {
bool operator==(const PanScanEntry& a, const PanScanEntry& b) { return a.frame == b.frame && a.offset == b.offset; }
void PrintTo(const PanScanEntry& e, std::ostream* out) { *out << "{" << e.frame << ", " << e.offset << "}"; }
}  // namespace qz::settings

namespace {

using namespace qz::settings;
namespace fs = std::filesystem;

// The list is 51 kB: kept off the stack.
std::unique_ptr<PanScanList> new_list() { return std::make_unique<PanScanList>(); }

std::vector<PanScanEntry> positions(const PanScanList& list) {
    return std::vector<PanScanEntry>(list.entries.begin(), list.entries.begin() + list.count);
}

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct PanScanFileTest : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qz_panscan_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
};

// Random lists built through the list operations, in any order of adds, come back from their file
// as they were; the known list has its fixed-field bytes.
TEST_F(PanScanFileTest, AWrittenFileReadsBackAsTheSameList) {
    auto known = new_list();
    set_panscan_position(*known, 50, -160);
    set_panscan_position(*known, 0, 160);
    const std::string file = (dir / "known.txt").string();
    ASSERT_EQ(write_panscan_file(file, *known), PanScanFileStatus::Ok);
    EXPECT_EQ(read_text(file), "       0     160  0\n      50    -160  0\n");

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 20; ++round) {
        auto list = new_list();
        const int adds = std::uniform_int_distribution<int>(1, round == 0 ? kPanScanCapacity + 100 : 300)(random);
        std::uniform_int_distribution<int32_t> frame(0, 999999), offset(-1440, 1440), huge(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
        for (int i = 0; i < adds; ++i) set_panscan_position(*list, frame(random), i % 50 == 0 ? huge(random) : offset(random));
        for (int i = 1; i < list->count; ++i) ASSERT_LT(list->entries[size_t(i - 1)].frame, list->entries[size_t(i)].frame);

        const std::string path = (dir / "list.txt").string();
        ASSERT_EQ(write_panscan_file(path, *list), PanScanFileStatus::Ok);
        auto back = new_list();
        const PanScanRead read = read_panscan_file(path, 1920, *back);  // 1920: offsets not limited
        ASSERT_EQ(read.status, PanScanFileStatus::Ok);
        EXPECT_EQ(read.positions, list->count);
        ASSERT_EQ(positions(*back), positions(*list));
    }
}

TEST(PanScanText, ReadingHoldsOffsetsWithinTheWidthAndRefusesBadLines) {
    auto list = new_list();
    const std::string text = "\xEF\xBB\xBF" "100,-1600,0\r\n\n  200  1600  0  anything after the third\r  300\t5\t0";
    ASSERT_EQ(parse_panscan_text(text, 720, *list).status, PanScanFileStatus::Ok);
    EXPECT_EQ(positions(*list), (std::vector<PanScanEntry>{{100, -1440}, {200, 1440}, {300, 5}}));
    ASSERT_EQ(parse_panscan_text(text, 704, *list).status, PanScanFileStatus::Ok);
    EXPECT_EQ(list->entries[0].offset, -1312);
    ASSERT_EQ(parse_panscan_text(text, 1920, *list).status, PanScanFileStatus::Ok);
    EXPECT_EQ(list->entries[0].offset, -1600);

    // A line that is not three integers: the list ends up empty, all of it.
    for (const char* bad : {"100 -1600 0\n200 16\n", "100 -1600 0\n200 16 x\n", "100 -1600 0\n99999999999 0 0\n"}) {
        set_panscan_position(*list, 7, 7);
        EXPECT_EQ(parse_panscan_text(bad, 720, *list).status, PanScanFileStatus::ReadError) << bad;
        EXPECT_EQ(list->count, 0);
        EXPECT_EQ(list->entries[0], (PanScanEntry{}));
    }

    // More positions than the list holds: the first 6400 are kept, every line counted.
    std::string long_text;
    for (int i = 0; i <= kPanScanCapacity; ++i) long_text += std::to_string(i) + " 16 0\n";
    const PanScanRead read = parse_panscan_text(long_text, 720, *list);
    EXPECT_EQ(read.status, PanScanFileStatus::Ok);
    EXPECT_EQ(read.positions, kPanScanCapacity + 1);
    EXPECT_EQ(list->count, kPanScanCapacity);
    EXPECT_EQ(list->entries[kPanScanCapacity - 1].frame, kPanScanCapacity - 1);
}

TEST(PanScanList, EachFrameGetsTheOffsetOfTheLastPositionNotAfterIt) {
    auto list = new_list();
    set_panscan_position(*list, 50, -160);
    set_panscan_position(*list, 0, 160);
    std::vector<int16_t> table(100, 99);
    fill_panscan_offsets(*list, table);
    for (size_t f = 0; f < table.size(); ++f) ASSERT_EQ(table[f], f < 50 ? 160 : -160) << "frame " << f;

    // Before the first position 0; a file's list in any order draws as the ordered one; positions
    // beyond the video and offsets beyond 16 bits do not reach past the table or wrap.
    auto unordered = new_list();
    unordered->count = 4;
    unordered->entries[0] = {500, 7};
    unordered->entries[1] = {30, 100000};
    unordered->entries[2] = {10, -16};
    unordered->entries[3] = {30, 48};
    fill_panscan_offsets(*unordered, table);
    for (size_t f = 0; f < table.size(); ++f) ASSERT_EQ(table[f], f < 10 ? 0 : f < 30 ? -16 : 48) << "frame " << f;
    unordered->count = 2;
    fill_panscan_offsets(*unordered, table);
    EXPECT_EQ(table[99], 32767);
}

TEST(PanScanList, UpdatesKeepOnePositionPerFrameWithinTheCapacity) {
    auto list = new_list();
    for (int32_t f = 0; f < kPanScanCapacity; ++f) ASSERT_EQ(set_panscan_position(*list, kPanScanCapacity - f, f), PanScanSet::Added);
    EXPECT_EQ(set_panscan_position(*list, 0, 1), PanScanSet::Full);
    EXPECT_EQ(list->count, kPanScanCapacity);
    EXPECT_EQ(list->entries[0].frame, 1);
    EXPECT_EQ(set_panscan_position(*list, 1, -16), PanScanSet::Replaced);
    EXPECT_EQ(list->entries[0].offset, -16);

    EXPECT_FALSE(remove_panscan_position(*list, kPanScanCapacity));
    EXPECT_TRUE(remove_panscan_position(*list, 0));
    EXPECT_EQ(list->entries[0].frame, 2);
    EXPECT_EQ(list->entries[kPanScanCapacity - 1], (PanScanEntry{}));
    // A video of 6000 frames: positions at frames 6001 to 6400 go, 6000 stays.
    EXPECT_EQ(trim_panscan_list(*list, 6000), 400);
    EXPECT_EQ(list->entries[size_t(list->count - 1)].frame, 6000);
}

// What the preview draws from follows the page: each position holds from its frame on.
TEST(PanScanPage, ThePerFrameOffsetsFollowTheList) {
    auto owned = std::make_unique<qz::App>();
    qz::App& app = *owned;
    qz::shell::ConnectionTable connections{app};
    qz::ui::UserActions user{app.controls, connections};
    app.video.open = true;
    app.video.width = 720;
    app.video.frame_count = 100;
    constexpr int page = qz::ui::dialog::kPanScanPage;
    namespace ids = qz::ui::panscan_ids;
    // The frame box as the navigation leaves it; no frame is fetched here.
    auto add = [&](const char* frame, const char* offset) {
        app.controls.set_text(page, qz::ui::preview_ids::kPanScanCurrentFrame, frame);
        user.type(page, ids::kHorizontal, offset);
        user.click(page, ids::kAdd);
    };
    add("50", "-160");
    add("0", "160");
    ASSERT_EQ(app.panscan_offsets.size(), 100u);
    for (size_t f = 0; f < 100; ++f) ASSERT_EQ(app.panscan_offsets[f], f < 50 ? 160 : -160) << "frame " << f;
    user.row(page, ids::kList, 0);
    user.click(page, ids::kRemove);
    EXPECT_EQ(app.panscan_offsets[0], 0);
    EXPECT_EQ(app.panscan_offsets[99], -160);
    user.click(page, ids::kClear);
    EXPECT_EQ(app.panscan_offsets, std::vector<int16_t>(100, 0));
}

}  // namespace
