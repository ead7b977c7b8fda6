// The preview picture in the window: drawn at the rectangle of its aspect, centred and as large as
// the area allows, and the keys of a focused picture stepping through a real clip as the page's
// navigation buttons and slider do.
#include "commands/input_command.h"
#include "commands/startup.h"
#include "framelists/navigation.h"
#include "framelists/preview_picture.h"
#include "qt/main_window.h"
#include "qt/preview_widget.h"
#include "qt/window_geometry.h"
#include "shell/connections.h"
#include "test_clips.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace qz;
namespace ids = ui::preview_ids;

constexpr int kChapters = ui::dialog::kChaptersPage;

// The events the window sends; the preview pages' navigation goes straight to its handler, so the
// keys are checked against navigation alone, whatever the pages' other handlers do.
class RecordingSink final : public ui::EventSink {
public:
    RecordingSink(App& app, shell::ConnectionTable& table) : app_(app), table_(table) {}
    void handle(const ui::Event& event) override {
        events.push_back(event);
        const bool navigation = event.dialog >= kChapters && (event.id == ids::kSlider || event.id == ids::kCurrentFrame ||
                                                               event.id == ids::kPanScanCurrentFrame ||
                                                               (event.id >= ids::kStepBack && event.id <= ids::kLargeForward));
        if (navigation) framelists::on_navigation(app_, event);
        else table_.handle(event);
    }
    std::vector<ui::Event> events;

private:
    App& app_;
    shell::ConnectionTable& table_;
};

class PreviewWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        testclip::ClipSpec spec;
        spec.path = "clip.m2v";
        spec.width = 352;
        spec.height = 288;
        spec.frames = 300;
        clip_ = dgtest::ensure_clip("gui_preview", spec);
        home_ = fs::temp_directory_path() / ("qz_gui_preview_" + std::to_string(::getpid()));
        fs::remove_all(home_);
        fs::create_directories(home_);
        fs::copy(QZ_DGDECODE_DIR, home_ / "DGDecode");
        commands::StartOptions options;
        options.home_folder = home_.string();
        commands::start_up(*app_, options);
        commands::open_chosen_input(*app_, clip_.d2v);
        ASSERT_TRUE(app_->video.open);
    }
    void TearDown() override { fs::remove_all(home_); }

    // A white frame in the planes, drawn: the picture is then one colour, easy to find.
    void draw_white_frame() {
        std::fill(app_->video.y.begin(), app_->video.y.end(), uint8_t{235});
        std::fill(app_->video.u.begin(), app_->video.u.end(), uint8_t{128});
        std::fill(app_->video.v.begin(), app_->video.v.end(), uint8_t{128});
        ASSERT_TRUE(framelists::show_picture(*app_));
    }

    dgtest::TestClip clip_;
    fs::path home_;
    std::unique_ptr<App> app_ = std::make_unique<App>();
};

bool white(QRgb pixel) { return qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240; }
bool black(QRgb pixel) { return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0; }

TEST_F(PreviewWidgetTest, PaintsThePictureAtItsAspectRectangleCentredInTheArea) {
    draw_white_frame();
    qt::PreviewPicture picture(*app_);
    qt::PreviewWidget area(nullptr);
    area.set_picture(&picture);
    area.picture_changed(app_->controls.pos(kChapters, ids::kPicture));
    // Twice the band every picture lies in (434 x 240 design units): the design area scales by 2.
    area.resize(868, 480);

    struct Case {
        int aspect;
        QRect expected;  // the table's drawn size, doubled, centred on the area
    };
    for (const Case& c : {Case{1, {194, 0, 480, 480}}, Case{2, {114, 0, 640, 480}}, Case{3, {8, 0, 852, 480}},
                          Case{4, {0, 40, 868, 400}}, Case{5, {8, 0, 852, 480}}}) {
        app_->settings.values.aspect = c.aspect;
        EXPECT_EQ(qt::picture_rectangle(c.aspect, area.size()), c.expected) << "aspect " << c.aspect;
        const QImage shot = area.grab().toImage();
        const QRect r = c.expected;
        // Inside each edge, and just outside it where the area is wider or taller than the picture.
        for (QPoint inside : {r.center(), r.topLeft() + QPoint(3, 3), r.bottomRight() - QPoint(3, 3)})
            EXPECT_TRUE(white(shot.pixel(inside))) << "aspect " << c.aspect << " at " << inside.x() << "," << inside.y();
        if (r.left() > 3) {
            EXPECT_TRUE(black(shot.pixel(r.left() - 3, r.center().y()))) << "aspect " << c.aspect;
            EXPECT_TRUE(black(shot.pixel(r.right() + 3, r.center().y()))) << "aspect " << c.aspect;
        }
        if (r.top() > 3) {
            EXPECT_TRUE(black(shot.pixel(r.center().x(), r.top() - 3))) << "aspect " << c.aspect;
            EXPECT_TRUE(black(shot.pixel(r.center().x(), r.bottom() + 3))) << "aspect " << c.aspect;
        }
    }
    app_->settings.values.aspect = 7;  // no such aspect: nothing is drawn
    EXPECT_TRUE(black(area.grab().toImage().pixel(434, 240)));

    framelists::clear_picture(*app_);  // no input: an empty area
    area.picture_changed(app_->controls.pos(kChapters, ids::kPicture));
    app_->settings.values.aspect = 3;
    EXPECT_TRUE(black(area.grab().toImage().pixel(434, 240)));
}

TEST_F(PreviewWidgetTest, KeysOnThePictureStepThroughTheVideoAsTheButtonsDo) {
    shell::ConnectionTable table(*app_);
    RecordingSink sink(*app_, table);
    qt::MainWindow window(*app_, sink);
    window.binding().sync_all();
    window.resize(1000, 640);
    window.show();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("c101_1001"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(5);  // Preview/Chapters
    QApplication::processEvents();
    auto* picture = window.findChild<qt::PreviewWidget*>(QStringLiteral("c108_9900"));
    ASSERT_NE(picture, nullptr);
    picture->setFocus();
    const QImage first = picture->grab().toImage();

    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        int frame;
        ui::Event event;  // the user action the key stands for
    };
    using ui::EventKind;
    const Step steps[] = {
        {Qt::Key_Right, Qt::NoModifier, 1, {EventKind::Clicked, kChapters, ids::kStepForward, 0}},
        {Qt::Key_Right, Qt::ControlModifier, 11, {EventKind::Clicked, kChapters, ids::kSmallForward, 0}},
        {Qt::Key_PageDown, Qt::NoModifier, 111, {EventKind::Clicked, kChapters, ids::kLargeForward, 0}},
        {Qt::Key_Left, Qt::NoModifier, 110, {EventKind::Clicked, kChapters, ids::kStepBack, 0}},
        {Qt::Key_Left, Qt::ControlModifier, 100, {EventKind::Clicked, kChapters, ids::kSmallBack, 0}},
        {Qt::Key_PageUp, Qt::NoModifier, 0, {EventKind::Clicked, kChapters, ids::kLargeBack, 0}},
        {Qt::Key_End, Qt::NoModifier, 299, {EventKind::Slid, kChapters, ids::kSlider, 1000}},
        {Qt::Key_Home, Qt::NoModifier, 0, {EventKind::Slid, kChapters, ids::kSlider, 0}},
    };
    for (const Step& step : steps) {
        sink.events.clear();
        QTest::keyClick(picture, Qt::Key(step.key), step.modifiers);
        ASSERT_FALSE(sink.events.empty()) << step.frame;
        const ui::Event& sent = sink.events.front();
        EXPECT_EQ(sent.kind, step.event.kind) << step.frame;
        EXPECT_EQ(sent.id, step.event.id) << step.frame;
        EXPECT_EQ(sent.value, step.event.value) << step.frame;
        EXPECT_EQ(app_->video.current_frame, step.frame);
        EXPECT_EQ(app_->controls.text(kChapters, ids::kCurrentFrame).find_first_not_of(' '),
                  app_->controls.text(kChapters, ids::kCurrentFrame).size() - std::to_string(step.frame).size());
    }
    // The picture follows: frame 0 again looks as it did, frame 150 does not.
    QApplication::processEvents();
    EXPECT_EQ(picture->grab().toImage(), first);
    QTest::keyClick(picture, Qt::Key_PageDown);
    QApplication::processEvents();
    EXPECT_EQ(app_->video.current_frame, 100);
    EXPECT_NE(picture->grab().toImage(), first);

    // Keys on a page whose navigation is off do nothing: the PanScan page without "4:3 PanScan".
    tabs->setCurrentIndex(7);
    QApplication::processEvents();
    auto* panscan_picture = window.findChild<qt::PreviewWidget*>(QStringLiteral("c110_9900"));
    ASSERT_NE(panscan_picture, nullptr);
    panscan_picture->setFocus();
    sink.events.clear();
    QTest::keyClick(panscan_picture, Qt::Key_Right);
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(app_->video.current_frame, 100);
}

}  // namespace

namespace {

TEST(WindowPlace, IsKeptInItsOwnFileBesideTheProgramAndComesBackOnScreen) {
    const fs::path folder = fs::temp_directory_path() / ("qz_window_place_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string program_folder = folder.string() + "/";

    QWidget window;
    window.resize(700, 500);
    window.move(40, 30);
    ASSERT_TRUE(qt::keep_window_place(window, program_folder));
    EXPECT_TRUE(fs::exists(folder / qt::kWindowFileName));
    EXPECT_FALSE(fs::exists(folder / "QZ.ini")) << "the settings file gets no window keys";
    const std::optional<qt::WindowPlace> kept = qt::read_window_place(program_folder);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->frame, QRect(40, 30, 700, 500));
    EXPECT_FALSE(kept->maximized);

    // A place on a screen that is gone opens the window on the screen there is, at the preferred size.
    ASSERT_TRUE(qt::write_window_place(program_folder, {QRect(50000, 50000, 700, 500), false}));
    QWidget moved;
    qt::restore_window_place(moved, program_folder, QSize(640, 480));
    EXPECT_EQ(moved.size(), QSize(640, 480));
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(moved.geometry()));

    // A damaged file counts as none.
    for (const char* text : {"", "[window]\nx=1\ny=2\nwidth=abc\nheight=400\n", "x=1\ny=2\nwidth=5\nheight=5\n"})
        EXPECT_FALSE(qt::parse_window_place(text)) << text;
    EXPECT_EQ(qt::parse_window_place(qt::window_place_text({QRect(-10, 20, 900, 600), true}))->frame,
              QRect(-10, 20, 900, 600));
    fs::remove_all(folder);
}

}  // namespace
