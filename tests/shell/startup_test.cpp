#include "shell/connections.h"
#include "commands/startup.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMainPage;
using qz::ui::dialog::kSettings1Page;
using qz::ui::dialog::kSettings2Page;
using qz::ui::dialog::kMatrixPage;
using qz::ui::dialog::kZonesPage;
using namespace qz::ui::main_window_ids;
using namespace qz::ui::main_page_ids;
using namespace qz::ui::settings1_ids;
using namespace qz::ui::settings2_ids;
using namespace qz::ui::matrix_ids;

using qz::ui::Event;
using qz::ui::EventKind;

int paused_ms = 0;
void record_pause(int ms) { paused_ms += ms; }

TEST(ProcessorCheck, LevelZeroSaysSoPausesAndRequestsTheEnd) {
    auto app = std::make_unique<qz::App>();
    paused_ms = 0;
    EXPECT_EQ(qz::commands::check_processor(*app, {}, record_pause), 0);
    EXPECT_EQ(app->controls.item(kMainWindow, kMessageLog, 0), "no MMX/ISSE detected, aborting...");
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
    EXPECT_NE(ConnectionTable::route({EventKind::FocusLost, kMainPage, kAverageBitrateBox, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::FocusGained, kMainPage, kAverageBitrateBox, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::TextChanged, kMainPage, kAverageBitrateBox, 0}), nullptr);
    // The quantiser box reacts to all three; the bias box gives a hint on entering but not on leaving.
    for (EventKind k : {EventKind::TextChanged, EventKind::FocusGained, EventKind::FocusLost})
        EXPECT_NE(ConnectionTable::route({k, kSettings1Page, kQuantiserBox, 0}), nullptr);
    EXPECT_NE(ConnectionTable::route({EventKind::FocusGained, kSettings2Page, kVbrBiasBox, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::FocusLost, kSettings2Page, kVbrBiasBox, 0}), nullptr);
    // Matrix cells on leaving; the import buttons go to the file commands, not the page.
    EXPECT_NE(ConnectionTable::route({EventKind::FocusLost, kMatrixPage, kLastNonIntraCell, 0}), nullptr);
    EXPECT_NE(ConnectionTable::route({EventKind::Clicked, kMatrixPage, kLoadButton, 0}),
              ConnectionTable::route({EventKind::Clicked, kMatrixPage, kBuiltInRadio, 0}));
    // Ids between the listed ranges are not connected.
    EXPECT_EQ(ConnectionTable::route({EventKind::Clicked, kMainPage, kSaveQzIniButton + 1, 0}), nullptr);
    EXPECT_EQ(ConnectionTable::route({EventKind::Clicked, kZonesPage, qz::ui::chapters_ids::kList, 0}), nullptr);
}

}  // namespace
