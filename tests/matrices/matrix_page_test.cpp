#include "commands/matrix_file_command.h"
#include "pages/matrix_page.h"
#include "pages/matrix_selection.h"

#include "matrix_test_util.h"

#include "ui/user_actions.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/ids/matrix_page.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMatrixPage;
using namespace qz::ui::main_window_ids;
using namespace qz::ui::matrix_ids;

using namespace qz;
using namespace qz::matrices;
using namespace qz::matrices::test;
namespace fs = std::filesystem;

// Answers file dialogs from a queue (nothing queued: cancel) and remembers what was asked.
struct FakeDialogs : ui::DialogHost {
    std::deque<std::optional<std::string>> files;
    std::vector<ui::FileDialogRequest> requests;
    ui::Answer message_box(const std::string&, const std::string&, ui::MessageKind) override { return ui::Answer::Yes; }
    std::optional<std::string> file_dialog(const ui::FileDialogRequest& request) override {
        requests.push_back(request);
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    std::optional<std::string> browse_folder(const std::string&) override { return std::nullopt; }
};

// The Matrix page's part of the connection table: the load and save buttons go to the file commands.
struct MatrixPageSink : ui::EventSink {
    App& app;
    explicit MatrixPageSink(App& a) : app(a) {}
    void handle(const ui::Event& e) override {
        if (e.dialog != kMatrixPage) return;
        if (e.id >= kLoadButton && e.id <= kSaveCqmButton) {
            if (e.kind == ui::EventKind::Clicked) run_matrix_file_command(app, e.id);
            return;
        }
        on_matrix_page(app, e);
    }
};

struct MatrixPageTest : ::testing::Test {
    App app;
    FakeDialogs dialogs;
    MatrixPageSink sink{app};
    ui::UserActions user{app.controls, sink};
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qz_matrix_page_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir / "matrix");
        app.dialogs = &dialogs;
        app.paths.matrix_folder = (dir / "matrix").string() + "/";
        // As after a reset: the initial custom pair, MPEG chosen, the custom controls off.
        initialise_custom_matrix(app.settings);
        app.settings.matrix_number = 1;
        apply_matrix_selection(app);
        set_matrix_boxes_enabled(app, false);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    Matrix boxes(int first_id) const {
        Matrix m{};
        for (int i = 0; i < 64; ++i)
            m[static_cast<size_t>(i)] = std::stoi(app.controls.text(kMatrixPage, first_id + i));
        return m;
    }
    std::vector<std::string> log() const {
        std::vector<std::string> lines;
        for (int i = 0; i < app.controls.item_count(kMainWindow, kMessageLog); ++i)
            lines.push_back(app.controls.item(kMainWindow, kMessageLog, i));
        return lines;
    }
    bool grid_enabled(bool expected) const {
        for (int i = 1; i < 64; ++i)
            if (app.controls.enabled(kMatrixPage, intra_cell(i)) != expected) return false;
        for (int i = 0; i < 64; ++i)
            if (app.controls.enabled(kMatrixPage, non_intra_cell(i)) != expected) return false;
        return true;
    }
    bool file_buttons_enabled(bool expected) const {
        return app.controls.enabled(kMatrixPage, kLoadButton) == expected &&
               app.controls.enabled(kMatrixPage, kSaveMtxButton) == expected &&
               app.controls.enabled(kMatrixPage, kSaveCqmButton) == expected;
    }
};

TEST_F(MatrixPageTest, ResetShowsMpegRightAlignedInThreeCharacters) {
    EXPECT_EQ(boxes(kFirstIntraCell), pair_of(1).intra);
    EXPECT_EQ(boxes(kFirstNonIntraCell), pair_of(1).non_intra);
    EXPECT_EQ(app.controls.text(kMatrixPage, kFirstIntraCell), "  8");
    EXPECT_EQ(app.controls.text(kMatrixPage, kLastNonIntraCell), " 33");
    EXPECT_TRUE(grid_enabled(false));
    EXPECT_FALSE(app.controls.enabled(kMatrixPage, kFirstIntraCell));
}

TEST_F(MatrixPageTest, CustomStartsFromTheLastChosenBuiltInPair) {
    ASSERT_EQ(user.pick(kMatrixPage, kBuiltInCombo, "HVSBEST"), ui::ActionResult::Done);
    EXPECT_EQ(app.settings.matrix_number, 9);
    EXPECT_EQ(boxes(kFirstNonIntraCell), pair_of(9).non_intra);
    EXPECT_TRUE(log().empty());

    ASSERT_EQ(user.click(kMatrixPage, kCustomRadio), ui::ActionResult::Done);
    EXPECT_EQ(app.settings.matrix_number, 0);
    EXPECT_EQ(app.settings.custom_matrix.intra, pair_of(9).intra);
    EXPECT_EQ(app.settings.custom_matrix.non_intra, pair_of(9).non_intra);
    EXPECT_EQ(boxes(kFirstIntraCell), pair_of(9).intra);
    EXPECT_FALSE(app.controls.enabled(kMatrixPage, kBuiltInCombo));
    EXPECT_TRUE(file_buttons_enabled(true));
    EXPECT_TRUE(grid_enabled(true));
    EXPECT_FALSE(app.controls.enabled(kMatrixPage, kFirstIntraCell));
    // The log wraps this 100-character line into two pieces.
    EXPECT_EQ(log(), (std::vector<std::string>{"custom matrix activated, load/save your favorite matrix (mtx or cqm "
                                               "format) or create your own matr ...",
                                               "ix"}));
}

TEST_F(MatrixPageTest, LeavingABoxClampsAndRewritesTheCustomValues) {
    user.click(kMatrixPage, kCustomRadio);  // the combo shows MPEG: the custom pair starts as MPEG
    EXPECT_EQ(app.settings.custom_matrix.non_intra, pair_of(1).non_intra);
    struct Case { int id; const char* typed; const char* shown; };
    for (Case c : {Case{intra_cell(9), "", " 16"}, Case{intra_cell(10), "   ", " 16"}, Case{intra_cell(11), "0", "  1"},
                   Case{intra_cell(12), "999", "255"}, Case{kFirstNonIntraCell, "7", "  7"},
                   Case{kLastNonIntraCell, "1234", "123"}, Case{non_intra_cell(1), "ab", " 17"},
                   Case{non_intra_cell(2), " 42 ", " 42"}}) {
        ASSERT_EQ(user.type(kMatrixPage, c.id, c.typed), ui::ActionResult::Done) << c.id;
        ASSERT_EQ(user.leave(kMatrixPage, c.id), ui::ActionResult::Done) << c.id;
        EXPECT_EQ(app.controls.text(kMatrixPage, c.id), c.shown) << c.id << " typed \"" << c.typed << "\"";
    }
    const MatrixPair& custom = app.settings.custom_matrix;
    EXPECT_EQ(custom.intra[9], 16);
    EXPECT_EQ(custom.intra[11], 1);
    EXPECT_EQ(custom.intra[12], 255);
    EXPECT_EQ(custom.non_intra[0], 7);
    EXPECT_EQ(custom.non_intra[63], 123);
    EXPECT_EQ(custom.non_intra[1], 17);  // text that is no number keeps the value
    EXPECT_EQ(custom.intra[0], 8);
    EXPECT_EQ(app.controls.text(kMatrixPage, kFirstIntraCell), "  8");
    // The first intra box cannot be typed into; the intra DC stays 8 whatever its text.
    EXPECT_EQ(user.type(kMatrixPage, kFirstIntraCell, "99"), ui::ActionResult::Ignored);
    app.controls.set_text(kMatrixPage, kFirstIntraCell, " 99");
    user.leave(kMatrixPage, intra_cell(1));
    EXPECT_EQ(app.settings.custom_matrix.intra[0], 8);
}

TEST_F(MatrixPageTest, BuiltInTakesTheComboTextAndLocksTheCustomControls) {
    user.click(kMatrixPage, kCustomRadio);
    ASSERT_EQ(user.click(kMatrixPage, kBuiltInRadio), ui::ActionResult::Done);
    EXPECT_TRUE(app.controls.enabled(kMatrixPage, kBuiltInCombo));
    EXPECT_TRUE(file_buttons_enabled(false));
    EXPECT_TRUE(grid_enabled(false));
    EXPECT_EQ(app.settings.matrix_number, 1);
    EXPECT_EQ(log().back(), "built in matrix activated, just pick one of the matrices in the combo box");

    user.pick(kMatrixPage, kBuiltInCombo, "TEAL1");
    EXPECT_EQ(app.settings.matrix_number, 5);
    // A typed name that is no caption selects nothing until the radio is clicked, then MPEG.
    user.type(kMatrixPage, kBuiltInCombo, "NOT A MATRIX");
    EXPECT_EQ(app.settings.matrix_number, 5);
    user.click(kMatrixPage, kBuiltInRadio);
    EXPECT_EQ(app.settings.matrix_number, 1);
    EXPECT_EQ(boxes(kFirstNonIntraCell), pair_of(1).non_intra);
    // Clicking "custom matrix" with such a text keeps the custom pair as it was.
    MatrixPair before = app.settings.custom_matrix;
    user.click(kMatrixPage, kCustomRadio);
    EXPECT_EQ(app.settings.custom_matrix.non_intra, before.non_intra);
}

TEST_F(MatrixPageTest, AdaptiveMatrixSaysWhichWay) {
    user.click(kMatrixPage, kAdaptiveMatrixCheck);
    user.click(kMatrixPage, kAdaptiveMatrixCheck);
    EXPECT_EQ(log(), (std::vector<std::string>{"adaptive matrix turned on, matrix.dll should be present",
                                               "adaptive matrix turned off"}));
}

TEST_F(MatrixPageTest, ApplyKeepsTheCustomPairLegalWhateverTheNumber) {
    user.pick(kMatrixPage, kBuiltInCombo, "QLB");
    app.settings.custom_matrix.intra[0] = 16;
    app.settings.custom_matrix.intra[1] = 0;
    app.settings.custom_matrix.non_intra[2] = 300;
    app.settings.matrix_number = 50;
    apply_matrix_selection(app);
    EXPECT_EQ(boxes(kFirstIntraCell), pair_of(2).intra);  // the shown pair stays QLB
    EXPECT_EQ(app.settings.custom_matrix.intra[0], 8);
    EXPECT_EQ(app.settings.custom_matrix.intra[1], 1);
    EXPECT_EQ(app.settings.custom_matrix.non_intra[2], 255);

    app.settings.custom_matrix.non_intra[3] = -4;
    app.settings.matrix_number = 0;
    apply_matrix_selection(app);
    EXPECT_EQ(app.controls.text(kMatrixPage, non_intra_cell(3)), "  1");  // the grids show what the encoder gets
    EXPECT_EQ(app.controls.text(kMatrixPage, non_intra_cell(2)), "255");
    app.settings.matrix_number = 99;
    apply_matrix_selection(app);
    EXPECT_EQ(boxes(kFirstIntraCell), initial_custom_matrix().intra);
    EXPECT_EQ(boxes(kFirstNonIntraCell), initial_custom_matrix().non_intra);
}

TEST_F(MatrixPageTest, ImportSelectsTheCustomPairAndBringsItIntoRange) {
    user.click(kMatrixPage, kCustomRadio);
    {
        std::ofstream f(path("wild.mtx"));
        f << "16 0";
        for (int i = 2; i < 64; ++i) f << " 20";
        f << "\n300";
        for (int i = 1; i < 64; ++i) f << " 18";
        f << "\n";
    }
    app.settings.matrix_number = 7;
    dialogs.files.push_back(path("wild.mtx"));
    ASSERT_EQ(user.click(kMatrixPage, kLoadButton), ui::ActionResult::Done);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    const ui::FileDialogRequest& r = dialogs.requests[0];
    EXPECT_FALSE(r.save);
    EXPECT_EQ(r.title, "import matrix file");
    EXPECT_EQ(r.filter_text, "matrix file  (*.mtx, *.cqm)");
    EXPECT_EQ(r.pattern, "*.mtx;*.cqm");
    EXPECT_EQ(r.default_extension, "mtx");
    EXPECT_EQ(r.start_folder, app.paths.matrix_folder);
    EXPECT_EQ(r.start_name, "");

    EXPECT_EQ(log().back(), "matrix file successfully read");
    EXPECT_EQ(app.settings.matrix_number, 0);
    EXPECT_EQ(app.settings.custom_matrix.intra[0], 8);
    EXPECT_EQ(app.settings.custom_matrix.intra[1], 1);
    EXPECT_EQ(app.settings.custom_matrix.non_intra[0], 255);
    EXPECT_EQ(app.controls.text(kMatrixPage, intra_cell(1)), "  1");
    EXPECT_EQ(app.controls.text(kMatrixPage, kFirstNonIntraCell), "255");
    EXPECT_EQ(app.matrix.matrix_file, path("wild.mtx"));

    // A failed read changes nothing but the remembered name, and claims nothing.
    std::ofstream(path("short.cqm"), std::ios::binary) << std::string(100, '\x20');
    MatrixPair before = app.settings.custom_matrix;
    app.settings.matrix_number = 3;
    size_t lines = log().size();
    dialogs.files.push_back(path("short.cqm"));
    user.click(kMatrixPage, kLoadButton);
    EXPECT_EQ(log().size(), lines + 1);
    EXPECT_EQ(log().back(), "error reading matrix file");
    EXPECT_EQ(app.settings.matrix_number, 3);
    EXPECT_EQ(app.settings.custom_matrix.non_intra, before.non_intra);
}

TEST_F(MatrixPageTest, ExportsWriteTheCustomPairOrSayTheyCouldNot) {
    user.pick(kMatrixPage, kBuiltInCombo, "ELK1");
    user.click(kMatrixPage, kCustomRadio);
    dialogs.files.push_back(path("mine.mtx"));
    user.click(kMatrixPage, kSaveMtxButton);
    dialogs.files.push_back(path("mine.cqm"));
    user.click(kMatrixPage, kSaveCqmButton);
    EXPECT_EQ(log().back(), "matrix file successfully written");
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_TRUE(dialogs.requests[0].save);
    EXPECT_EQ(dialogs.requests[0].title, "export matrix file as mtx");
    EXPECT_EQ(dialogs.requests[0].filter_text, "matrix file  (*.mtx)");
    EXPECT_EQ(dialogs.requests[1].title, "export matrix file as cqm");
    EXPECT_EQ(dialogs.requests[1].pattern, "*.cqm");
    EXPECT_EQ(dialogs.requests[1].default_extension, "cqm");
    // The second dialog starts at the first one's file.
    EXPECT_EQ(dialogs.requests[1].start_name, path("mine.mtx"));
    EXPECT_EQ(dialogs.requests[1].start_folder, dir.string() + "/");

    // Both files load back as the same pair.
    for (const char* name : {"mine.mtx", "mine.cqm"}) {
        app.settings.custom_matrix = initial_custom_matrix();
        dialogs.files.push_back(path(name));
        user.click(kMatrixPage, kLoadButton);
        EXPECT_EQ(app.settings.custom_matrix.intra, pair_of(13).intra) << name;
        EXPECT_EQ(app.settings.custom_matrix.non_intra, pair_of(13).non_intra) << name;
    }

    size_t lines = log().size();
    dialogs.files.push_back(path("no/such/folder/x.mtx"));
    user.click(kMatrixPage, kSaveMtxButton);
    ASSERT_EQ(log().size(), lines + 1);
    EXPECT_EQ(log().back(), "error writing matrix file");
}

TEST_F(MatrixPageTest, CancellingChangesNothing) {
    user.click(kMatrixPage, kCustomRadio);
    app.matrix.matrix_file = path("kept.mtx");
    MatrixPair before = app.settings.custom_matrix;
    size_t lines = log().size();
    for (int id : {kLoadButton, kSaveMtxButton, kSaveCqmButton}) user.click(kMatrixPage, id);
    EXPECT_EQ(dialogs.requests.size(), 3u);
    EXPECT_EQ(app.matrix.matrix_file, path("kept.mtx"));
    EXPECT_EQ(app.settings.custom_matrix.intra, before.intra);
    EXPECT_EQ(log().size(), lines);
    EXPECT_FALSE(fs::exists(path("kept.mtx")));

    // A name longer than a matrix file name can be is refused, not cut short.
    dialogs.files.push_back(path(std::string(600, 'm') + ".mtx"));
    user.click(kMatrixPage, kSaveMtxButton);
    EXPECT_EQ(log().back(), "matrix file name too long, at most 512 characters");
    EXPECT_EQ(app.matrix.matrix_file, path("kept.mtx"));
}

}  // namespace
