// The chapter and zone lists as the pages and the chapter files keep them: every form of chapter file
// the import reads, what it refuses, the 640000 limit, written files that read back the same, and the
// zone factors, order and limit.
#include "settings/chapter_file.h"
#include "settings/chapter_list.h"
#include "settings/zone_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace qz::settings;
using Frames = std::vector<int32_t>;
using Lines = std::vector<std::string>;

Frames frames_of(const ChapterList& list) { return Frames(list.frames.begin(), list.frames.begin() + list.count); }

bool zero_beyond_count(const ChapterList& list) {
    return std::all_of(list.frames.begin() + list.count, list.frames.end(), [](int32_t f) { return f == 0; });
}

struct ChapterFileCase {
    const char* what;
    std::string text;
    bool ok;
    Frames frames;
};

const std::string kFailed = "error reading chapterfile";

TEST(ChapterFileTest, ReadsTheThreeFormsAndRefusesWhatIsNoChapterFile) {
    const ChapterFileCase cases[] = {
        {"as written", "*CHAPTER          3\n100\n200\n300\n", true, {100, 200, 300}},
        {"counted, any case, values on any line between blanks and commas", "  *Chapter 4\n5, 1   3\n\n2\n", true, {1, 2, 3, 5}},
        {"counted, values past the count ignored", "*CHAPTER 2\n7\n4\n1 anything\n", true, {4, 7}},
        {"counted, none", "*CHAPTER          0\n", true, {}},
        {"counted, fewer values than the count", "*CHAPTER          3\n100\n200\n", false, {}},
        {"counted, a value that is no integer", "*CHAPTER 2\n100\n2x0\n", false, {}},
        {"counted, no count", "*CHAPTER\n100\n", false, {}},
        {"counted, a negative count", "*CHAPTER -2\n100\n200\n", false, {}},
        {"plain, the first integer of each line", "100 200\n300\n", true, {100, 300}},
        {"plain, blank lines skipped, text after the number ignored, CR LF and CR ends",
         "  70 first\r\n\r\n   \r\n30, second\r20\n", true, {20, 30, 70}},
        {"plain, equal entries stay", "5\n5\n1\n", true, {1, 5, 5}},
        {"plain, a line that starts with no integer", "100\nchapter two\n", false, {}},
        {"plain, a first line without a number", "chapters\n100\n", false, {}},
        {"plain, a number beyond 32 bits", "100\n4294967296\n", false, {}},
        {"empty", "", false, {}},
        {"XML, frames of 640000 and more skipped",
         "<?xml version=\"1.0\"?>\n<chapters>\n <framenum>50</framenum>\n<framenum>700000</framenum>\n"
         "\t\t<framenum>90</framenum>\n</chapters>\n",
         true, {50, 90}},
        {"XML after a byte order mark, other elements ignored",
         "\xEF\xBB\xBF<?XML version=\"1.0\"?>\n<name>x</name>\n<framenum>12</framenum> <b/>\n", true, {12}},
        {"XML, a blank between the tag and the number", "<?xml?>\n<framenum>50</framenum>\n<framenum> 90</framenum>\n", false, {}},
        {"XML, an empty element", "<?xml?>\n<framenum></framenum>\n", false, {}},
        {"XML, no closing tag within ten characters", "<?xml?>\n<framenum>12345678901</framenum>\n", false, {}},
        {"XML, a number that is no integer", "<?xml?>\n<framenum>1e3</framenum>\n", false, {}},
    };
    auto list = std::make_unique<ChapterList>();
    for (const ChapterFileCase& c : cases) {
        SCOPED_TRACE(c.what);
        // Whatever the list held before, the read replaces it.
        list->count = 3;
        list->frames[0] = 11, list->frames[1] = 22, list->frames[2] = 33, list->frames[5] = 99;
        ChapterFileRead read = parse_chapter_file(c.text, *list);
        EXPECT_EQ(read.ok, c.ok);
        EXPECT_EQ(frames_of(*list), c.frames);
        EXPECT_TRUE(zero_beyond_count(*list));
        Lines expected{c.ok ? std::to_string(c.frames.size()) + " chapters successfully read" : kFailed};
        EXPECT_EQ(read.log_lines, expected);
    }
}

TEST(ChapterFileTest, KeepsTheFirst640000ChaptersOfEveryForm) {
    auto list = std::make_unique<ChapterList>();
    const Lines capped{"more than 640000 chapters detected, chapters > 640000 skipped", "640000 chapters successfully read"};
    std::string values;
    for (int i = 640005; i > 0; --i) values += std::to_string(i) + "\n";

    struct Case {
        const char* what;
        std::string text;
        int32_t last;  // the largest frame kept
    } cases[] = {
        {"plain", values, 640005},
        {"counted", "*CHAPTER   640005\n" + values, 640005},
        {"XML", [] {
             std::string xml = "<?xml?>\n";
             for (int i = 0; i < 640003; ++i) xml += "<framenum>" + std::to_string(i % 640000) + "</framenum>\n";
             return xml;
         }(),
         639999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChapterFileRead read = parse_chapter_file(c.text, *list);
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(read.log_lines, capped);
        ASSERT_EQ(list->count, kChapterCapacity);
        EXPECT_TRUE(std::is_sorted(list->frames.begin(), list->frames.end()));
        EXPECT_EQ(list->frames.back(), c.last);
    }

    // Exactly 640000 counted values are no more than the list holds.
    std::string exact = "*CHAPTER 640000\n";
    for (int i = 0; i < kChapterCapacity; ++i) exact += "1\n";
    EXPECT_EQ(parse_chapter_file(exact, *list).log_lines, Lines{"640000 chapters successfully read"});
}

TEST(ChapterFileTest, AWrittenFileReadsBackAsTheSameList) {
    auto list = std::make_unique<ChapterList>();
    list->count = 2;
    list->frames[0] = 10, list->frames[1] = 30;
    EXPECT_EQ(format_chapter_file(*list), "*CHAPTER          2\n10\n30\n");
    list->count = 0;
    EXPECT_EQ(format_chapter_file(*list), "");

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto again = std::make_unique<ChapterList>();
    for (int round = 0; round < 20; ++round) {
        clear_chapters(*list);
        // Up to the whole capacity now and then; equal and negative entries as a file may bring them.
        const int count = round % 10 == 9 ? kChapterCapacity : static_cast<int>(random() % 2000);
        std::uniform_int_distribution<int32_t> frame(round % 2 ? -50 : 0, round % 3 ? 1000 : INT32_MAX);
        for (int i = 0; i < count; ++i) list->frames[static_cast<size_t>(i)] = frame(random);
        list->count = count;
        sort_chapters(*list);
        ChapterFileRead read = parse_chapter_file(format_chapter_file(*list), *again);
        ASSERT_EQ(read.ok, true);
        ASSERT_EQ(list->count, again->count);
        ASSERT_TRUE(std::equal(list->frames.begin(), list->frames.end(), again->frames.begin()));
    }
}

TEST(ChapterListTest, AddRemoveAndTrimKeepTheListInOrderWithinTheVideo) {
    auto list = std::make_unique<ChapterList>();
    for (int32_t frame : {300, 100, 200}) EXPECT_EQ(add_chapter(*list, frame), ChapterAdd::Added);
    EXPECT_EQ(add_chapter(*list, 200), ChapterAdd::AlreadyListed);
    EXPECT_EQ(frames_of(*list), (Frames{100, 200, 300}));
    EXPECT_EQ(chapter_line_text(100), "     100");

    EXPECT_FALSE(remove_chapter_at(*list, 3));
    EXPECT_TRUE(remove_chapter_at(*list, 1));
    EXPECT_EQ(frames_of(*list), (Frames{100, 300}));
    EXPECT_TRUE(zero_beyond_count(*list));

    // An entry equal to the frame count stays; with no video open only frame 0 does.
    EXPECT_EQ(trim_chapters_beyond(*list, 300), 0);
    EXPECT_EQ(trim_chapters_beyond(*list, 299), 1);
    clear_chapters(*list);
    add_chapter(*list, 0);
    add_chapter(*list, 5);
    EXPECT_EQ(trim_chapters_beyond(*list, 0), 1);
    EXPECT_EQ(frames_of(*list), Frames{0});

    // A full list takes no more; a list loaded in any order is sorted by the next add.
    for (int32_t i = 0; i < kChapterCapacity; ++i) list->frames[static_cast<size_t>(i)] = kChapterCapacity - i;
    list->count = kChapterCapacity;
    EXPECT_EQ(add_chapter(*list, 0), ChapterAdd::ListFull);
    EXPECT_EQ(list->frames[0], kChapterCapacity);
    list->count = 3;
    std::fill(list->frames.begin() + 3, list->frames.end(), 0);
    EXPECT_EQ(add_chapter(*list, 7), ChapterAdd::Added);
    EXPECT_EQ(frames_of(*list), (Frames{7, kChapterCapacity - 2, kChapterCapacity - 1, kChapterCapacity}));
}

TEST(ZoneListTest, FactorsHaveOneDecimalWithinTheirLimits) {
    const std::pair<double, float> cases[] = {
        {0.55, 0.6f}, {0.1, 0.2f}, {7.0, 5.0f}, {0.25, 0.3f}, {1.04, 1.0f},
        {0.14, 0.2f}, {4.96, 5.0f}, {-3.0, 0.2f}, {1e30, 5.0f}, {1.0, 1.0f},
    };
    for (auto [typed, factor] : cases) EXPECT_EQ(zone_factor_from(typed), factor) << typed;
    EXPECT_EQ(zone_factor_from(static_cast<double>(0.55f)), 0.6f);
}

TEST(ZoneListTest, ZonesStayInFrameOrderOnePerFrameWithinTheVideo) {
    auto list = std::make_unique<ZoneList>();
    auto listed = [&] {
        Lines lines;
        for (int i = 0; i < list->count; ++i) lines.push_back(zone_line_text(list->zones[static_cast<size_t>(i)]));
        return lines;
    };
    EXPECT_EQ(set_zone(*list, 900, 0.5f), ZoneSet::Added);
    EXPECT_EQ(set_zone(*list, 100, 1.5f), ZoneSet::Added);
    EXPECT_EQ(set_zone(*list, 500, 2.0f), ZoneSet::Added);
    EXPECT_EQ(set_zone(*list, 900, 0.7f), ZoneSet::Replaced);
    EXPECT_EQ(listed(), (Lines{"     100|1.5", "     500|2.0", "     900|0.7"}));

    EXPECT_TRUE(remove_zone_at(*list, 1));
    EXPECT_FALSE(remove_zone_at(*list, 2));
    EXPECT_EQ(listed(), (Lines{"     100|1.5", "     900|0.7"}));
    EXPECT_EQ(list->zones[2].start_frame, 0);

    EXPECT_EQ(trim_zones_beyond(*list, 900), 0);
    EXPECT_EQ(trim_zones_beyond(*list, 0), 2);
    set_zone(*list, 0, 1.0f);
    set_zone(*list, 10, 1.0f);
    EXPECT_EQ(trim_zones_beyond(*list, 0), 1);
    EXPECT_EQ(listed(), Lines{"       0|1.0"});

    // The 6400 zones the list holds; a 6401st on a new frame is refused, a known frame still changes.
    clear_zones(*list);
    for (int32_t i = kZoneCapacity; i > 0; --i) ASSERT_EQ(set_zone(*list, i * 10, 1.0f), ZoneSet::Added);
    EXPECT_EQ(set_zone(*list, 5, 2.0f), ZoneSet::ListFull);
    EXPECT_EQ(set_zone(*list, 10, 2.0f), ZoneSet::Replaced);
    EXPECT_EQ(list->count, kZoneCapacity);
    EXPECT_EQ(list->zones.front().start_frame, 10);
    EXPECT_EQ(list->zones.front().factor, 2.0f);
    EXPECT_EQ(list->zones.back().start_frame, kZoneCapacity * 10);
}

}  // namespace
