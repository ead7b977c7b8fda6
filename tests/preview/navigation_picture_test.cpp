// The preview pages' picture of a real MPEG-2 clip opened as a user opens it: what navigation draws is
// FFmpeg's own decode of the frame converted by the studio-range formula written independently in
// ffmpeg_reference.cpp; the marks show on the picture and never reach the fetched frame, so the same
// frame always gives the same bytes; a fetch that fails moves nothing.
#include "commands/input_command.h"
#include "commands/startup.h"
#include "ffmpeg_reference.h"
#include "input/dgdecode_bridge.h"
#include "framelists/navigation.h"
#include "framelists/preview_picture.h"
#include "test_clips.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace qz;
namespace ids = ui::preview_ids;

constexpr int kChapters = ui::dialog::kChaptersPage;

class PreviewPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        testclip::ClipSpec spec;
        spec.path = "clip.m2v";
        spec.frames = 30;
        clip_ = dgtest::ensure_clip("framelists_picture", spec);
        home_ = fs::temp_directory_path() / ("qz_preview_picture_" + std::to_string(::getpid()));
        fs::remove_all(home_);
        fs::create_directories(home_);
        fs::copy(QZ_DGDECODE_DIR, home_ / "DGDecode");
        app_ = std::make_unique<App>();
        commands::StartOptions options;
        options.home_folder = home_.string();
        commands::start_up(*app_, options);
        commands::open_chosen_input(*app_, clip_.d2v);
        ASSERT_TRUE(app_->video.open);
    }
    void TearDown() override { fs::remove_all(home_); }

    std::vector<uint8_t> picture() const { return {app_->bitmap.bytes().begin(), app_->bitmap.bytes().end()}; }
    int revision() const { return app_->controls.pos(kChapters, ids::kPicture); }
    std::string caption() const { return app_->controls.text(kChapters, ids::kPicture); }

    dgtest::TestClip clip_;
    fs::path home_;
    std::unique_ptr<App> app_;
};

TEST_F(PreviewPictureTest, NavigationDrawsWhatFfmpegDecodesConvertedByTheFormula) {
    EXPECT_EQ(caption(), "720x576 frame 0") << "an opened input shows its first frame";
    for (int n : {13, 29, 0}) {  // a B picture, the last one, and back to the first I picture
        const int before = revision();
        ASSERT_TRUE(framelists::go_to_frame(*app_, n, 0));
        EXPECT_EQ(revision(), before + 1);
        EXPECT_EQ(caption(), "720x576 frame " + std::to_string(n));
        const previewtest::Bgr expected =
            previewtest::convert_bt601_studio(previewtest::decode_mpeg2_frame(clip_.streams.at(0), n));
        const previewtest::Bgr drawn = previewtest::decode_bmp(app_->bitmap.bytes());
        ASSERT_EQ(drawn.width, 720);
        ASSERT_EQ(drawn.height, 576);
        EXPECT_TRUE(drawn.pixels == expected.pixels) << "frame " << n;
    }
}

TEST_F(PreviewPictureTest, MarksShowOnThePictureAndTheSameFrameGivesTheSameBytes) {
    ASSERT_TRUE(framelists::go_to_frame(*app_, 13, 0));
    const std::vector<uint8_t> plain = picture();
    const previewtest::Bgr plain_read = previewtest::decode_bmp(plain);

    // Top and bottom 8 lines masked, and the 4:3 window moved 10 pixels right from frame 13 on.
    settings::OptionValues& values = app_->settings.values;
    values.mask_top = values.mask_bottom = 8;
    app_->settings.panscan.on = true;
    app_->panscan_offsets.assign(30, 0);
    for (size_t frame = 13; frame < 30; ++frame) app_->panscan_offsets[frame] = 160;
    ASSERT_TRUE(framelists::show_picture(*app_));
    const previewtest::Bgr marked = previewtest::decode_bmp(app_->bitmap.bytes());
    ASSERT_EQ(marked.width, 720);
    const int left_margin = 90 + 10, right_margin = 90 - 10;
    int changed_at_window_edges = 0;
    for (int y = 0; y < 576; ++y) {
        for (int x = 0; x < 720; ++x) {
            const size_t at = 3 * (size_t(y) * 720 + size_t(x));
            const bool masked = y < 8 || y >= 576 - 8;
            const bool margin = x < left_margin || x >= 720 - right_margin;
            const bool same = std::equal(&marked.pixels[at], &marked.pixels[at] + 3, &plain_read.pixels[at]);
            if (masked) {
                EXPECT_EQ(marked.pixels[at] | marked.pixels[at + 1] | marked.pixels[at + 2], 0) << x << "," << y;
            } else if (!margin) {
                ASSERT_TRUE(same) << "inside the window " << x << "," << y;
            } else if (!same && (x == left_margin - 1 || x == 720 - right_margin)) {
                ++changed_at_window_edges;
            }
        }
    }
    EXPECT_GT(changed_at_window_edges, 500) << "the window's black borders sit at its offset";

    // The marks went into the picture only: without them the frame's bytes come back unchanged, and
    // fetching the frame again gives them once more.
    values.mask_top = values.mask_bottom = 0;
    app_->settings.panscan.on = false;
    ASSERT_TRUE(framelists::show_picture(*app_));
    EXPECT_TRUE(picture() == plain);
    ASSERT_TRUE(framelists::go_to_frame(*app_, 29, 0));
    EXPECT_FALSE(picture() == plain);
    ASSERT_TRUE(framelists::go_to_frame(*app_, 13, 0));
    EXPECT_TRUE(picture() == plain);
}

TEST_F(PreviewPictureTest, AFailedFetchMovesNothingAndAClosedInputLeavesNoPicture) {
    ASSERT_TRUE(framelists::go_to_frame(*app_, 20, 0));
    const std::vector<uint8_t> shown = picture();
    const int shown_revision = revision();
    // The library is gone under the open project: every fetch fails.
    input::dg_unload_library(app_->bridges.dgdecode);
    const size_t log_lines = static_cast<size_t>(app_->log.line_count());
    EXPECT_FALSE(framelists::go_to_frame(*app_, 25, 0));
    EXPECT_GT(static_cast<size_t>(app_->log.line_count()), log_lines) << "the failure is reported";
    EXPECT_EQ(app_->video.current_frame, 20);
    EXPECT_EQ(revision(), shown_revision);
    EXPECT_TRUE(picture() == shown);
    for (int page : ui::dialog::kPreviewPages) EXPECT_EQ(app_->controls.pos(page, ids::kSlider), 667) << page;
    EXPECT_EQ(app_->controls.text(kChapters, ids::kCurrentFrame), "      20");
    // The user's own slider and box go back to the frame the picture still shows.
    app_->controls.set_pos(ui::dialog::kZonesPage, ids::kSlider, 900);
    framelists::on_navigation(*app_, {ui::EventKind::Slid, ui::dialog::kZonesPage, ids::kSlider, 900});
    app_->controls.set_text(kChapters, ids::kCurrentFrame, "25");
    framelists::on_navigation(*app_, {ui::EventKind::TextChanged, kChapters, ids::kCurrentFrame, 0});
    EXPECT_EQ(app_->video.current_frame, 20);
    EXPECT_EQ(revision(), shown_revision);
    for (int page : ui::dialog::kPreviewPages) EXPECT_EQ(app_->controls.pos(page, ids::kSlider), 667) << page;
    EXPECT_EQ(app_->controls.text(kChapters, ids::kCurrentFrame), "      20");

    commands::open_chosen_input(*app_, (home_ / "gone.d2v").string());
    EXPECT_EQ(caption(), "");
    EXPECT_TRUE(app_->bitmap.bytes().empty());
    EXPECT_FALSE(framelists::build_picture(*app_)) << "\"create bitmap\" has nothing to write";
    for (int page : ui::dialog::kPreviewPages) EXPECT_EQ(app_->controls.pos(page, ids::kSlider), 0) << page;
}

}  // namespace
