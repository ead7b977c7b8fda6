#include "shell/connections.h"
#include "commands/startup.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using qz::ui::Event;
using qz::ui::EventKind;

int paused_ms = 0;
void record_pause(int ms) { paused_ms += ms; }

TEST(ProcessorCheck, LevelZeroSaysSoPausesAndRequestsTheEnd) {
    auto app = std::make_unique<qz::App>();
    paused_ms = 0;
    EXPECT_EQ(qz::commands::check_processor(*app, {}, record_pause), 0);
    EXPECT_EQ(app->controls.item(101, 1006, 0), "no MMX/ISSE detected, aborting...");
    EXPECT_EQ(paused_ms, 5000);
    EXPECT_TRUE(app->end_requested);

    auto fine = std::make_unique<qz::App>();
    qz::platform::CpuFeatureWords sse2;
    sse2.leaf1_edx = 1u << 26;
    EXPECT_EQ(qz::commands::check_processor(*fine, sse2, record_pause), 2);
    EXPECT_EQ(fine->log.line_count(), 0);
    EXPECT_FALSE(fine->end_requested);
}

TEST(ConnectionTable, FocusEventsReachOnlyTheControlsConnectedForThem) {
    using qz::shell::ConnectionTable;
    // Main page bitrate boxes react on leaving only.
    EXPECT_NE(ConnectionTable::route({EventKind::FocusLost, 103, 1123, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::FocusGained, 103, 1123, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::TextChanged, 103, 1123, 0}), nullptr);
    // The quantiser box reacts to all three; the bias box gives a hint on entering but not on leaving.
    for (EventKind k : {EventKind::TextChanged, EventKind::FocusGained, EventKind::FocusLost})
        EXPECT_NE(ConnectionTable::route({k, 104, 1212, 0}), nullptr);
    EXPECT_NE(ConnectionTable::route({EventKind::FocusGained, 105, 1306, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::FocusLost, 105, 1306, 0}), nullptr);
    // Matrix cells on leaving; the import buttons go to the file commands, not the page.
    EXPECT_NE(ConnectionTable::route({EventKind::FocusLost, 107, 2164, 0}), nullptr);
    EXPECT_NE(ConnectionTable::route({EventKind::Clicked, 107, 1504, 0}),
              ConnectionTable::route({EventKind::Clicked, 107, 1501, 0}));
    // Ids between the listed ranges are not connected.
    EXPECT_EQ(ConnectionTable::route({EventKind::Clicked, 103, 1117, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::Clicked, 109, 1604, 0}), nullptr);
}

}  // namespace
