// The whole program state with the pages at their defaults, driven through the connection table as a
// user would, with a video filled in directly where the tests need one.
#pragma once

#include "input/video_source.h"
#include "pages/main_page.h"
#include "pages/defaults.h"
#include "state/app.h"
#include "shell/connections.h"
#include "commands/window_refresh.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/user_actions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qz::test {

class MainPageTest : public ::testing::Test {
protected:
    // The record holds the 640000-entry chapter list and the frame planes: keep it off the stack.
    std::unique_ptr<App> owned = std::make_unique<App>();
    App& app = *owned;
    ui::Controls& c = app.controls;
    shell::ConnectionTable connections{app};
    ui::UserActions user{app.controls, connections};

    void SetUp() override {
        app.processors.several = true;
        app.processors.count = 4;
        settings::reset_to_defaults(app);
        app.log.clear();
    }

    // As after a successful open: the Video source filled, the input valid, the whole video as the
    // frame range and the pages refreshed.
    void open_video(int width, int height, float frame_rate, int frame_count, int colour_space = input::kYV12) {
        input::VideoSource& v = app.video;
        v.open = true;
        v.width = width;
        v.height = height;
        v.frame_rate = frame_rate;
        v.frame_count = frame_count;
        v.colour_space = colour_space;
        v.kind.is_d2v = true;
        app.settings.input_valid = true;
        settings::reset_to_defaults(app);
        commands::refresh_file_captions(app, commands::RefreshScope::Complete);
        pages::refresh_movie_information(app);
        app.log.clear();
    }

    // The lines written since the last call.
    std::vector<std::string> log() {
        std::vector<std::string> lines;
        for (int i = 0; i < c.item_count(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLog); ++i)
            lines.push_back(c.item(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLog, i));
        app.log.clear();
        return lines;
    }

    void click(int dialog, int id) { ASSERT_EQ(user.click(dialog, id), ui::ActionResult::Done) << dialog << " " << id; }
    // Typing into a Main page number field and leaving it, which runs its check.
    void enter_field(int id, const std::string& text) {
        ASSERT_EQ(user.type(ui::dialog::kMainPage, id, text), ui::ActionResult::Done) << id;
        ASSERT_EQ(user.leave(ui::dialog::kMainPage, id), ui::ActionResult::Done) << id;
    }
    std::string text(int dialog, int id) { return c.text(dialog, id); }
    std::string main_text(int id) { return c.text(ui::dialog::kMainPage, id); }
};

using Lines = std::vector<std::string>;

}  // namespace qz::test
