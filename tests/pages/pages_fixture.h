// The program state with every page at its defaults, driven through the same user actions and
// connection table as the window and the script driver, for the settings pages' tests.
#pragma once

#include "pages/defaults.h"
#include "pages/page_states.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "state/app.h"
#include "shell/connections.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/ids/settings1_page.h"
#include "ui/user_actions.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qz::pages::testing {

// Answers the folder browser and the file dialogs from queues (nothing queued: cancel) and remembers
// the folder browser's titles.
struct FolderDialogs : ui::DialogHost {
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> titles;
    ui::Answer message_box(const std::string&, const std::string&, ui::MessageKind) override { return ui::Answer::Yes; }
    std::optional<std::string> file_dialog(const ui::FileDialogRequest&) override {
        if (files.empty()) return std::nullopt;
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }
    std::optional<std::string> browse_folder(const std::string& title) override {
        titles.push_back(title);
        if (folders.empty()) return std::nullopt;
        std::optional<std::string> folder = folders.front();
        folders.pop_front();
        return folder;
    }
};

class SettingsPagesTest : public ::testing::Test {
protected:
    // The record holds the 640000-entry chapter list: keep the state off the stack.
    std::unique_ptr<App> owned = std::make_unique<App>();
    App& app = *owned;
    ui::Controls& c = app.controls;
    FolderDialogs dialogs;
    shell::ConnectionTable connections{app};
    ui::UserActions user{app.controls, connections};

    void SetUp() override {
        app.dialogs = &dialogs;
        app.processors.several = true;
        app.cpu_level = 7;
        settings::reset_to_defaults(app);
        settings::refresh_listing(app);
    }

    // As "autogop" switched off on the Main page: the GOP boxes and spins of Settings 1 usable.
    void use_fixed_gop() { settings::show_automatic_gop(app, false); }

    // An opened video as the input bridges leave it, with the whole video as the frame range.
    void open_video(int width, int height, int frames, bool avisynth_script = true) {
        app.video.open = true;
        app.video.width = width;
        app.video.height = height;
        app.video.frame_count = frames;
        app.video.frame_rate = 25.0f;
        app.video.kind.is_avs = avisynth_script;
        app.video.kind.is_d2v = !avisynth_script;
        app.settings.input_valid = true;
        settings::show_frame_range(app, 0, frames - 1);
    }

    std::vector<std::string> log() const { return items(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLog); }
    void clear_log() { app.log.clear(); }
    std::vector<std::string> items(int dialog, int id) const {
        std::vector<std::string> lines;
        for (int i = 0; i < c.item_count(dialog, id); ++i) lines.push_back(c.item(dialog, id, i));
        return lines;
    }
    std::vector<std::string> listing() const { return items(ui::dialog::kSettings1Page, ui::settings1_ids::kListing); }
    // The listing line that starts with `keyword` (followed by a blank or nothing), or "" when none.
    std::string listed(const std::string& keyword) const {
        for (const std::string& line : listing())
            if (line.compare(0, keyword.size(), keyword) == 0 && (line.size() == keyword.size() || line[keyword.size()] == ' '))
                return line;
        return "";
    }

    // Typing into a box that is checked when left: the user moves on afterwards.
    void type_and_leave(int dialog, int id, const std::string& text) {
        user.enter(dialog, id);
        user.type(dialog, id, text);
        user.leave(dialog, id);
    }

    void expect_enabled(int dialog, std::initializer_list<int> ids, bool enabled) const {
        for (int id : ids) EXPECT_EQ(c.enabled(dialog, id), enabled) << dialog << " " << id;
    }
};

using Lines = std::vector<std::string>;

}  // namespace qz::pages::testing
