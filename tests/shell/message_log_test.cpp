#include "ui/message_log.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using qz::ui::dialog::kMainWindow;
using namespace qz::ui::main_window_ids;

std::vector<std::string> log_items(const qz::ui::Controls& c) {
    std::vector<std::string> items;
    for (int i = 0; i < c.item_count(kMainWindow, kMessageLog); ++i)
        items.push_back(c.item(kMainWindow, kMessageLog, i));
    return items;
}

struct MessageLogTest : ::testing::Test {
    qz::ui::Controls controls;
    qz::ui::MessageLog log{controls};
};

TEST_F(MessageLogTest, PiecesAreNinetyNineCharactersWithContinuationMarks) {
    log.add(std::string(99, 'a'));
    log.add(std::string(100, 'b'));
    log.add(std::string(230, 'c'));
    auto items = log_items(controls);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0], std::string(99, 'a'));
    EXPECT_EQ(items[1], std::string(99, 'b') + " ...");
    EXPECT_EQ(items[2], "b");
    EXPECT_EQ(items[3], std::string(99, 'c') + " ...");
    EXPECT_EQ(items[4], std::string(99, 'c') + " ...");
    EXPECT_EQ(items[5], std::string(32, 'c'));
}

TEST_F(MessageLogTest, TrailingBlanksAndNulsNeverReachTheList) {
    log.add(std::string("done   \0\0  ", 11));
    log.add("      ");
    log.add("");
    // A piece that ends in blanks loses them before the mark.
    log.add(std::string(97, 'x') + "   tail");
    auto items = log_items(controls);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0], "done");
    EXPECT_EQ(items[1], "");
    EXPECT_EQ(items[2], "");
    EXPECT_EQ(items[3], std::string(97, 'x') + " ...");
    EXPECT_EQ(items[4], " tail");
}

TEST_F(MessageLogTest, ClearLeavesAnEmptyLogWhateverTheText) {
    log.add("one");
    log.add_line("ignored text", true);
    EXPECT_EQ(log.line_count(), 0);
    log.add("first again");
    EXPECT_EQ(controls.item(kMainWindow, kMessageLog, 0), "first again");
}

TEST_F(MessageLogTest, PiecesOfConcurrentMessagesNeverInterleave) {
    const std::string a(250, 'a'), b(250, 'b');
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) log.add(a);
    });
    for (int i = 0; i < 200; ++i) log.add(b);
    worker.join();
    auto items = log_items(controls);
    ASSERT_EQ(items.size(), 1200u);
    for (size_t i = 0; i < items.size(); i += 3) {
        char letter = items[i][0];
        EXPECT_EQ(items[i + 1][0], letter);
        EXPECT_EQ(items[i + 2][0], letter);
        EXPECT_EQ(items[i + 2].size(), 52u);
    }
}

}  // namespace
