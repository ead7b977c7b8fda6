// The Chapters and Zones pages and the chapter file commands as a user drives them, where the script
// scenario cannot look: the files on disk, the dialogs asked for, a full disk, a full zone list and
// the bitmap snapshot.
#include "platform/files.h"
#include "preview/bitmap_image.h"
#include "settings/chapter_list.h"
#include "settings/zone_list.h"
#include "shell/connections.h"
#include "state/app.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/ids/preview_pages.h"
#include "ui/user_actions.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace qz;
using Lines = std::vector<std::string>;
constexpr int kChapters = ui::dialog::kChaptersPage;
constexpr int kZones = ui::dialog::kZonesPage;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void spill(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Answers the file dialogs from a queue (nothing queued: cancel) and keeps what each one asked.
struct QueuedDialogs : ui::DialogHost {
    std::deque<std::optional<std::string>> files;
    std::vector<ui::FileDialogRequest> asked;
    ui::Answer message_box(const std::string&, const std::string&, ui::MessageKind) override { return ui::Answer::Yes; }
    std::optional<std::string> file_dialog(const ui::FileDialogRequest& request) override {
        asked.push_back(request);
        if (files.empty()) return std::nullopt;
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }
    std::optional<std::string> browse_folder(const std::string&) override { return std::nullopt; }
};

class ListPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int test_number = 0;
        folder = fs::temp_directory_path() / ("qz_lp_" + std::to_string(::getpid()) + "_" + std::to_string(++test_number));
        fs::remove_all(folder);
        fs::create_directories(folder);
        app.dialogs = &dialogs;
        app.paths.program_folder = folder.string() + "/";
        app.settings.input_valid = true;
        app.video.frame_count = 1000;
    }
    void TearDown() override {
        platform::set_write_faults_for_testing({});
        fs::remove_all(folder);
    }

    Lines log() const { return items(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLog); }
    Lines items(int dialog, int id) const {
        Lines lines;
        for (int i = 0; i < app.controls.item_count(dialog, id); ++i) lines.push_back(app.controls.item(dialog, id, i));
        return lines;
    }
    void add_chapters(std::initializer_list<int> frames) {
        for (int frame : frames) {
            user.type(kChapters, ui::preview_ids::kCurrentFrame, std::to_string(frame));
            user.click(kChapters, ui::chapters_ids::kAdd);
        }
    }

    std::unique_ptr<App> owned = std::make_unique<App>();  // the record is too large for the stack
    App& app = *owned;
    QueuedDialogs dialogs;
    shell::ConnectionTable connections{app};
    ui::UserActions user{app.controls, connections};
    fs::path folder;
};

TEST_F(ListPagesTest, ChapterFilesGoThroughTheirDialogsAndAFailedWriteKeepsTheOldFile) {
    using namespace ui::chapters_ids;
    // Nothing to export: no dialog at all.
    user.click(kChapters, kExport);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(log(), Lines{"no chapters in list"});

    add_chapters({300, 100, 200});
    const fs::path file = folder / "chapters.txt";
    spill(file, "an old chapter file\n");
    app.log.clear();
    platform::set_write_faults_for_testing({0, false, false});
    dialogs.files.push_back(file.string());
    user.click(kChapters, kExport);
    platform::set_write_faults_for_testing({});
    EXPECT_EQ(slurp(file), "an old chapter file\n");
    dialogs.files.push_back(file.string());
    user.click(kChapters, kExport);
    EXPECT_EQ(slurp(file), "*CHAPTER          3\n100\n200\n300\n");
    EXPECT_EQ(log(), (Lines{"error writing chapter file", "nothing on disk was changed, the disk is full", "chapter file written"}));

    ASSERT_EQ(dialogs.asked.size(), 2u);
    const ui::FileDialogRequest& exported = dialogs.asked.back();
    EXPECT_TRUE(exported.save);
    EXPECT_EQ(exported.title, "export chapter file");
    EXPECT_EQ(exported.filter_text, "text file    (*.txt)");
    EXPECT_EQ(exported.pattern, "*.txt");
    EXPECT_EQ(exported.default_extension, "txt");
    EXPECT_EQ(exported.start_name, file.string());

    // A cancelled import changes neither the list nor the name; the import dialog offers XML lists.
    user.click(kChapters, kClear);
    add_chapters({5});
    app.log.clear();
    user.click(kChapters, kImport);
    const ui::FileDialogRequest& imported = dialogs.asked.back();
    EXPECT_FALSE(imported.save);
    EXPECT_EQ(imported.title, "import chapter file");
    EXPECT_EQ(imported.filter_text, "text file    (*.txt, *.eds_chpt)");
    EXPECT_EQ(imported.pattern, "*.txt;*.eds_chpt");
    EXPECT_EQ(app.chapter_file, file.string());
    EXPECT_EQ(items(kChapters, kList), Lines{"       5"});

    // A name that leads to no file costs no chapters; a file that is no chapter file empties the list.
    const fs::path other = folder / "other.txt";
    dialogs.files.push_back(other.string());
    user.click(kChapters, kImport);
    fs::create_directory(folder / "a folder.txt");
    dialogs.files.push_back((folder / "a folder.txt").string());
    user.click(kChapters, kImport);
    EXPECT_EQ(items(kChapters, kList), Lines{"       5"});
    spill(other, "*CHAPTER 3\n1\n2\n");
    dialogs.files.push_back(other.string());
    user.click(kChapters, kImport);
    EXPECT_EQ(app.settings.chapters.count, 0);
    EXPECT_TRUE(items(kChapters, kList).empty());

    // Chapters beyond the open video are dropped and counted.
    spill(other, "2000\n10\n1000\n1001\n");
    dialogs.files.push_back(other.string());
    user.click(kChapters, kImport);
    EXPECT_EQ(items(kChapters, kList), (Lines{"      10", "    1000"}));
    EXPECT_EQ(app.chapter_file, other.string());
    EXPECT_EQ(log(), (Lines{"error opening chapter file", "chapter file not read, not a regular file",
                            "error reading chapterfile", "4 chapters successfully read",
                            "WARNING, 2 chapters removed, out of range"}));
}

TEST_F(ListPagesTest, AFullZoneListRefusesANewZoneAndSaysSo) {
    using namespace ui::zones_ids;
    app.video.frame_count = 100000;
    for (int32_t i = 0; i < settings::kZoneCapacity; ++i) settings::set_zone(app.settings.zones, i * 10, 1.0f);
    user.type(kZones, ui::preview_ids::kCurrentFrame, "7005");
    user.type(kZones, kFactor, "2");
    user.click(kZones, kSetZone);
    EXPECT_EQ(app.settings.zones.count, settings::kZoneCapacity);
    EXPECT_EQ(app.settings.zones.zones.back().start_frame, (settings::kZoneCapacity - 1) * 10);
    // A known frame still takes the new factor.
    user.type(kZones, ui::preview_ids::kCurrentFrame, "30");
    user.click(kZones, kSetZone);
    EXPECT_EQ(app.settings.zones.zones[3].factor, 2.0f);
    EXPECT_EQ(app.controls.item(kZones, kList, 3), "      30|2.0");
    EXPECT_EQ(log(), (Lines{"zone list full, 6400 zones, zone not added", "zone added to list"}));
}

TEST_F(ListPagesTest, CreateBitmapWritesTheCurrentPictureNamedByItsFrame) {
    using ui::zones_ids::kCreateBitmap;
    user.click(kZones, kCreateBitmap);  // nothing built yet

    // A small grey frame as navigation would have built it.
    std::vector<uint8_t> luma(16 * 8, 128), chroma(8 * 4, 128);
    ASSERT_TRUE(app.bitmap.build({luma.data(), chroma.data(), chroma.data(), 16, 8}, {}, 0));
    app.video.current_frame = 7;
    user.click(kZones, kCreateBitmap);
    const fs::path written = folder / "000007.bmp";
    const auto bytes = app.bitmap.bytes();
    EXPECT_EQ(slurp(written), std::string(bytes.begin(), bytes.end()));

    app.paths.program_folder = (folder / "gone").string() + "/";
    user.click(kZones, kCreateBitmap);
    EXPECT_EQ(log(), (Lines{"bitmap creation failed, can't open bitmap file", "bitmap created:   " + written.string(),
                            "bitmap creation failed, can't open bitmap file"}));
}

}  // namespace
