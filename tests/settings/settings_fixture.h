// A program state with the pages in their default state, for the settings tests.
#pragma once

#include "pages/defaults.h"
#include "state/app.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace qz::settings::testing {

class PagesTest : public ::testing::Test {
protected:
    // The record holds the 640000-entry chapter list: keep the state off the stack.
    std::unique_ptr<App> owned = std::make_unique<App>();
    App& app = *owned;
    ui::Controls& c = app.controls;
    Settings& s = app.settings;

    void SetUp() override {
        app.processors.several = true;
        reset_to_defaults(app);
    }

    void give(Keyword keyword) { s.set_given(keyword); }

    // As after a load: SetUp reset the pages, the test sets values and marks as the reader would, and
    // this puts them onto the pages.
    void apply() { apply_record_to_pages(app); }

    void expect_radio(int dialog, int id) {
        EXPECT_TRUE(c.checked(dialog, id)) << dialog << " " << id << " should be selected";
        EXPECT_EQ(c.checked_radio(dialog, id), id) << dialog << " " << id;
    }
    void expect_text(int dialog, int id, const std::string& text) {
        EXPECT_EQ(c.text(dialog, id), text) << dialog << " " << id;
    }
    void expect_spin(int dialog, int id, int min, int max, int pos) {
        EXPECT_EQ(c.range_min(dialog, id), min) << dialog << " " << id;
        EXPECT_EQ(c.range_max(dialog, id), max) << dialog << " " << id;
        EXPECT_EQ(c.pos(dialog, id), pos) << dialog << " " << id;
    }
    void expect_enabled(int dialog, std::initializer_list<int> ids, bool enabled) {
        for (int id : ids) EXPECT_EQ(c.enabled(dialog, id), enabled) << dialog << " " << id;
    }
};

}  // namespace qz::settings::testing
