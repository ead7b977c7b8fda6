#include "ui/controls.h"
#include "ui/user_actions.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using namespace qz::ui;

TEST(Catalogue, EveryControlIsUniqueAndRadiosHaveGroups) {
    std::set<std::pair<int, int>> seen;
    for (const ControlSpec& c : catalogue()) {
        EXPECT_TRUE(seen.insert({c.dialog, c.id}).second) << c.dialog << " " << c.id;
        EXPECT_TRUE(c.dialog == 101 || (c.dialog >= 103 && c.dialog <= 110)) << c.dialog;
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
    controls.set_text(101, 1004, "bye");
    controls.set_enabled(101, 1002, false);
    EXPECT_EQ(sink.count, 0);
    EXPECT_EQ(user.click(101, 1002), ActionResult::Ignored);
    EXPECT_EQ(user.click(101, 1004), ActionResult::Done);
    EXPECT_EQ(user.type(101, 1004, "x"), ActionResult::WrongKind);
    EXPECT_EQ(user.click(101, 77), ActionResult::UnknownControl);
    EXPECT_EQ(sink.count, 1);
}

}  // namespace
