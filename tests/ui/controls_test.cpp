#include "ui/controls.h"
#include "ui/user_actions.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMainPage;
using qz::ui::dialog::kPanScanPage;
using namespace qz::ui::main_window_ids;

using namespace qz::ui;

TEST(Catalogue, EveryControlIsUniqueAndRadiosHaveGroups) {
    std::set<std::pair<int, int>> seen;
    for (const ControlSpec& c : catalogue()) {
        EXPECT_TRUE(seen.insert({c.dialog, c.id}).second) << c.dialog << " " << c.id;
        EXPECT_TRUE(c.dialog == kMainWindow || (c.dialog >= kMainPage && c.dialog <= kPanScanPage)) << c.dialog;
        if (c.kind == Kind::Radio) {
            EXPECT_NE(c.radio_group, 0) << c.dialog << " " << c.id;
        }
        if (c.kind == Kind::TrackBar || c.kind == Kind::UpDown) {
            EXPECT_LE(c.range_min, c.range_max) << c.id;
        }
    }
}

struct NullSink : EventSink {
    int count = 0;
    void handle(const Event&) override { ++count; }
};

TEST(UserActions, ProgrammaticChangesFireNothingUserActionsFireOnce) {
    Controls controls;
    NullSink sink;
    UserActions user(controls, sink);
    controls.set_text(kMainWindow, kExitButton, "bye");
    controls.set_enabled(kMainWindow, kAboutButton, false);
    EXPECT_EQ(sink.count, 0);
    EXPECT_EQ(user.click(kMainWindow, kAboutButton), ActionResult::Ignored);
    EXPECT_EQ(user.click(kMainWindow, kExitButton), ActionResult::Done);
    EXPECT_EQ(user.type(kMainWindow, kExitButton, "x"), ActionResult::WrongKind);
    EXPECT_EQ(user.click(kMainWindow, 77), ActionResult::UnknownControl);
    EXPECT_EQ(sink.count, 1);
}

}  // namespace
