// Drives the real window under the offscreen platform and checks that widget actions reach the same
// handlers, with the same results, as the headless driver's actions.
#include "shell/connections.h"
#include "commands/startup.h"
#include "qt/main_window.h"
#include "qt/qt_dialog_host.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/settings1_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMainPage;
using qz::ui::dialog::kSettings1Page;
using namespace qz::ui::main_window_ids;
using namespace qz::ui::main_page_ids;
using namespace qz::ui::settings1_ids;

std::vector<std::string> log_lines(const qz::App& app) {
    std::vector<std::string> lines;
    for (int i = 0; i < app.log.line_count(); ++i) lines.push_back(app.controls.item(kMainWindow, kMessageLog, i));
    return lines;
}

// One started program: the window or, without it, the headless actions.
struct Program {
    std::unique_ptr<qz::App> app = std::make_unique<qz::App>();
    qz::shell::ConnectionTable connections{*app};

    explicit Program(const std::string& home) {
        qz::commands::StartOptions options;
        options.home_folder = home;
        qz::commands::start_up(*app, options);
    }
};

class GuiSmokeTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::filesystem::temp_directory_path() / ("qz_gui_" + std::to_string(::getpid()));
        std::filesystem::create_directories(home_);
    }
    void TearDown() override { std::filesystem::remove_all(home_); }

    template <typename W>
    static W* find(QWidget& window, int dialog, int id) {
        auto* w = window.findChild<W*>(QStringLiteral("c%1_%2").arg(dialog).arg(id));
        EXPECT_NE(w, nullptr) << dialog << " " << id;
        return w;
    }

    std::filesystem::path home_;
};

TEST_F(GuiSmokeTest, WidgetActionsMatchTheHeadlessDriver) {
    Program windowed(home_.string());
    qz::qt::MainWindow window(*windowed.app, windowed.connections);
    qz::qt::QtDialogHost dialogs(&window);
    windowed.app->dialogs = &dialogs;
    window.binding().sync_all();
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();

    Program headless(home_.string());
    qz::ui::UserActions actions(headless.app->controls, headless.connections);

    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("c101_1001"));
    ASSERT_NE(tabs, nullptr);
    for (int tab = 1; tab <= 8; ++tab) {
        tabs->setCurrentIndex(tab - 1);
        actions.tab(tab);
        EXPECT_EQ(windowed.app->controls.selected_tab(), tab);
    }
    tabs->setCurrentIndex(1);
    actions.tab(2);

    find<QRadioButton>(window, kSettings1Page, kInterlacedRadio)->click();
    actions.click(kSettings1Page, kInterlacedRadio);
    find<QCheckBox>(window, kMainPage, kClosedGopsCheck)->click();
    actions.click(kMainPage, kClosedGopsCheck);
    find<QRadioButton>(window, kSettings1Page, kDeadZoneValuesRadio)->click();
    actions.click(kSettings1Page, kDeadZoneValuesRadio);

    for (auto [dialog, id] : std::vector<std::pair<int, int>>{{kSettings1Page, kAutoDetectRadio},
                                                              {kSettings1Page, kInterlacedRadio},
                                                              {kMainPage, kClosedGopsCheck},
                                                              {kSettings1Page, kDeadZoneOffRadio},
                                                              {kSettings1Page, kDeadZoneAutoRadio},
                                                              {kSettings1Page, kDeadZoneValuesRadio},
                                                              {kSettings1Page, kDeadZoneIntraBox}}) {
        EXPECT_EQ(windowed.app->controls.checked(dialog, id), headless.app->controls.checked(dialog, id)) << id;
        EXPECT_EQ(windowed.app->controls.enabled(dialog, id), headless.app->controls.enabled(dialog, id)) << id;
    }
    // The widgets show the model.
    EXPECT_TRUE(find<QRadioButton>(window, kSettings1Page, kInterlacedRadio)->isChecked());
    EXPECT_FALSE(find<QRadioButton>(window, kSettings1Page, kAutoDetectRadio)->isChecked());
    EXPECT_EQ(log_lines(*windowed.app), log_lines(*headless.app));

    windowed.app->dialogs = nullptr;
}

TEST_F(GuiSmokeTest, ModelChangesReachTheWidgetsThroughOnePath) {
    Program program(home_.string());
    qz::qt::MainWindow window(*program.app, program.connections);
    window.binding().sync_all();
    program.app->controls.set_text(kMainPage, kAverageBitrateBox, "6000");
    program.app->controls.set_enabled(kMainPage, kAverageBitrateBox, true);
    program.app->log.add("hello from the model");
    QApplication::processEvents();
    auto* bitrate = find<QLineEdit>(window, kMainPage, kAverageBitrateBox);
    EXPECT_EQ(bitrate->text(), "6000");
    EXPECT_TRUE(bitrate->isEnabled());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
