#include "ui/script_driver.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using qz::ui::dialog::kMainWindow;
using namespace qz::ui::main_window_ids;

using namespace qz::ui;

// Records the events a script produces, so the tests see exactly what reaches the handlers.
struct RecordingSink : EventSink {
    std::vector<Event> events;
    void handle(const Event& e) override { events.push_back(e); }
};

struct ScriptRun {
    int status = 0;
    std::string out, err;
};

struct ScriptDriverTest : ::testing::Test {
    Controls controls;
    RecordingSink sink;

    ScriptRun run(const std::string& script) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        ScriptRun r;
        {
            ScriptDriver driver(controls, sink, out, err);
            std::istringstream in(script);
            r.status = driver.run(in, {});
        }
        r.out = read_all(out);
        r.err = read_all(err);
        return r;
    }

    static std::string read_all(std::FILE* f) {
        std::string text;
        std::rewind(f);
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
        return text;
    }
};

TEST_F(ScriptDriverTest, ErrorsStopTheScriptWithTheLineNumber) {
    for (auto [script, line] : std::vector<std::pair<std::string, std::string>>{
             {"frobnicate 1 2\n", "error: 1: "},
             {"# comment\n\nclick 102 1001\n", "error: 3: "},
             {"click 101 4242\n", "error: 1: "},
             {"slide 101 1004 3\n", "error: 1: "},
             {"tab 9\n", "error: 1: "},
             {"click 101\n", "error: 1: "},
         }) {
        ScriptRun r = run(script);
        EXPECT_EQ(r.status, 2) << script;
        EXPECT_EQ(r.err.rfind(line, 0), 0u) << script << " gave " << r.err;
    }
}

TEST_F(ScriptDriverTest, DisabledControlsAreIgnoredAndTheScriptGoesOn) {
    controls.set_enabled(kMainWindow, kAboutButton, false);
    ScriptRun r = run("click 101 1002\nshow 101 1002\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 23), "ignored: click 101 1002");
    EXPECT_NE(r.out.find("show: 101 1002 kind=button enabled=0"), std::string::npos);
}

TEST_F(ScriptDriverTest, TabSelectsAndTheImplicitQuitPressesExit) {
    ScriptRun r = run("tab 6\nshow 101 1001\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("pos=6"), std::string::npos);
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].kind, EventKind::TabChanged);
    EXPECT_EQ(sink.events[0].value, 6);
    EXPECT_EQ(sink.events[1].id, kExitButton);  // the exit button at the end
}

TEST_F(ScriptDriverTest, LogLinesArePrintedAsTheyAreAdded) {
    ScriptRun r = run("tab 2\n");
    EXPECT_EQ(r.out, "");
    controls.add_item(kMainWindow, kMessageLog, "not printed: the driver is gone");
    ScriptDriver driver(controls, sink, stdout, stderr);
    testing::internal::CaptureStdout();
    controls.add_item(kMainWindow, kMessageLog, "hello");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "log: hello\n");
}

TEST_F(ScriptDriverTest, DialogAnswersComeFromTheQueues) {
    ScriptDriver driver(controls, sink, stdout, stderr);
    EXPECT_EQ(driver.message_box("QZ message", "overwrite?", MessageKind::Question), Answer::Yes);
    EXPECT_FALSE(driver.file_dialog({}).has_value());
    std::istringstream in("answer no\nfile /tmp/out\nfile\nfile /tmp/a name.m2v\n");
    ScriptHooks hooks;
    hooks.end_requested = [] { return false; };
    // The script only queues answers; the exit click at its end is not connected here.
    ASSERT_EQ(driver.run(in, hooks), 0);
    EXPECT_EQ(driver.message_box("QZ message", "overwrite?", MessageKind::Question), Answer::No);
    FileDialogRequest save;
    save.save = true;
    save.default_extension = "m2v";
    EXPECT_EQ(driver.file_dialog(save).value(), "/tmp/out.m2v");
    EXPECT_FALSE(driver.file_dialog(save).has_value());
    EXPECT_EQ(driver.file_dialog(save).value(), "/tmp/a name.m2v");
}

}  // namespace
