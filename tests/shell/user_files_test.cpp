// The user's files through the whole program: a save that fails (full disk, failing disk) leaves the
// old settings file and matrix file byte for byte and no temporary file; a FIFO, a device or a folder
// chosen as a file is refused at once with its own line; a link chosen as a target is never removed.
#include "commands/matrix_file_command.h"
#include "platform/files.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"
#include "commands/startup.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using qz::ui::dialog::kMainWindow;
using qz::ui::dialog::kMainPage;
using namespace qz::ui::main_window_ids;
using namespace qz::ui::main_page_ids;

namespace fs = std::filesystem;
using namespace qz;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void spill(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::set<std::string> names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

const std::string kOldSettings = "*BITRATE          5000\n*MAXBITRATE       9000\n*AUTOGOP          15\n*TFF\n";
const std::string kOldMatrix = "an old matrix file the user keeps\n";

class UserFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Short, so that every Message log line below stays one line of the log.
        static int test_number = 0;
        folder = fs::temp_directory_path() / ("qz_uf_" + std::to_string(::getpid()) + "_" + std::to_string(++test_number));
        fs::remove_all(folder);
        fs::create_directories(folder);
        start(folder);
        app->log.clear();
    }
    void TearDown() override {
        platform::set_write_faults_for_testing({});
        fs::remove_all(folder);
    }

    void start(const fs::path& home) {
        app = std::make_unique<App>();
        commands::StartOptions options;
        options.home_folder = home.string();
        commands::start_up(*app, options);
    }

    bool logged(const std::string& line) const {
        auto lines = log();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::vector<std::string> log() const {
        std::vector<std::string> lines;
        for (int i = 0; i < app->log.line_count(); ++i)
            lines.push_back(app->controls.item(kMainWindow, kMessageLog, i));
        return lines;
    }

    // A save whose text differs from the old files: another bitrate, chapters, another custom pair.
    void change_everything() {
        app->controls.set_text(kMainPage, kAverageBitrateBox, "6000");
        app->settings.chapters.count = 2000;
        for (int i = 0; i < 2000; ++i) app->settings.chapters.frames[static_cast<size_t>(i)] = 1000 + 25 * i;
        app->settings.custom_matrix.intra.fill(40);
    }

    fs::path folder;
    std::unique_ptr<App> app;
};

TEST_F(UserFilesTest, AFailedSaveKeepsTheOldFilesByteForByteAndLeavesNoTemporary) {
    const fs::path ini = app->settings.default_settings_path;
    const fs::path matrix = folder / "mine.mtx";
    spill(ini, kOldSettings);
    spill(matrix, kOldMatrix);
    const std::set<std::string> before = names_in(folder);
    change_everything();

    struct Fault {
        const char* what;
        platform::WriteFaults faults;
        const char* note;
    };
    const Fault faults[] = {
        {"disk full at once", {0, false, false}, "nothing on disk was changed, the disk is full"},
        {"disk full after 30 bytes", {30, false, false}, "nothing on disk was changed, the disk is full"},
        {"flush fails", {-1, true, false}, "nothing on disk was changed"},
        {"rename fails", {-1, false, true}, "nothing on disk was changed"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        app->log.clear();
        platform::set_write_faults_for_testing(fault.faults);
        EXPECT_FALSE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
        EXPECT_FALSE(app->settings.write_completed);
        EXPECT_FALSE(matrices::export_matrix_file(*app, matrix.string(), matrices::MatrixFileFormat::Mtx));
        platform::set_write_faults_for_testing({});

        EXPECT_EQ(slurp(ini), kOldSettings);
        EXPECT_EQ(slurp(matrix), kOldMatrix);
        EXPECT_EQ(names_in(folder), before);
        EXPECT_EQ(log(), (std::vector<std::string>{"settings file write aborted, error writing file: " + ini.string(),
                                                   fault.note, "error writing matrix file", fault.note}));
    }

    // With room on the disk again the same saves go through, and only then are they reported.
    app->log.clear();
    EXPECT_TRUE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
    EXPECT_TRUE(matrices::export_matrix_file(*app, matrix.string(), matrices::MatrixFileFormat::Mtx));
    EXPECT_EQ(log(), (std::vector<std::string>{"file successfully written", "matrix file successfully written"}));
    EXPECT_NE(slurp(ini).find("*BITRATE          6000\n"), std::string::npos);
    EXPECT_EQ(slurp(matrix).substr(0, 8), "  40  40");
    EXPECT_EQ(names_in(folder), before);
}

// The same on a real file system that is full, where the machine lets us mount a small one.
TEST_F(UserFilesTest, OnAFullFileSystemTheOldFilesStayWhole) {
    const fs::path small = folder / "small";
    fs::create_directories(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here; the injected faults cover the same paths";
    struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{small};

    start(small);
    app->log.clear();
    spill(small / "QZ.ini", kOldSettings);
    spill(small / "mine.mtx", kOldMatrix);
    // Fill the file system to the last byte.
    {
        int filler = ::open((small / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(filler, 0);
        const std::string block(4096, 'f');
        while (::write(filler, block.data(), block.size()) > 0) {
        }
        ::close(filler);
    }
    const std::set<std::string> before = names_in(small);
    change_everything();

    EXPECT_FALSE(settings::write_settings_file(*app, settings::kDefaultSettingsFile));
    EXPECT_FALSE(matrices::export_matrix_file(*app, (small / "mine.mtx").string(), matrices::MatrixFileFormat::Mtx));
    EXPECT_EQ(slurp(small / "QZ.ini"), kOldSettings);
    EXPECT_EQ(slurp(small / "mine.mtx"), kOldMatrix);
    EXPECT_EQ(names_in(small), before);
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "settings file write aborted, error writing file: " + (small / "QZ.ini").string(),
                         "nothing on disk was changed, the disk is full", "error writing matrix file",
                         "nothing on disk was changed, the disk is full"}));

    // The next start reads the old settings, not a truncated file.
    start(small);
    EXPECT_TRUE(logged("QZ.ini successfully processed"));
    EXPECT_EQ(app->controls.text(kMainPage, kAverageBitrateBox), "5000");
}

// Neither read waits for a writer or reads an endless device: each returns at once with its line.
TEST_F(UserFilesTest, AFifoADeviceOrAFolderIsRefusedAtOnce) {
    for (const char* extension : {"ini", "mtx"}) {
        const std::string fifo = (folder / (std::string("fifo.") + extension)).string();
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
        fs::create_symlink("/dev/zero", folder / (std::string("zero.") + extension));
        fs::create_directories(folder / (std::string("folder.") + extension));
    }
    for (const char* name : {"fifo.ini", "zero.ini", "folder.ini"}) {
        SCOPED_TRACE(name);
        app->log.clear();
        app->settings.user_settings_path = (folder / name).string();
        settings::read_settings_file(*app, settings::kUserSettingsFile);
        EXPECT_EQ(log(), std::vector<std::string>{"ini file not read, not a regular file: " + (folder / name).string()});
    }
    const matrices::MatrixPair kept = app->settings.custom_matrix;
    for (const char* name : {"fifo.mtx", "zero.mtx", "folder.mtx"}) {
        SCOPED_TRACE(name);
        app->log.clear();
        EXPECT_FALSE(matrices::import_matrix_file(*app, (folder / name).string()));
        EXPECT_EQ(log(), std::vector<std::string>{"matrix file not read, not a regular file"});
        EXPECT_EQ(app->settings.custom_matrix.intra, kept.intra);
    }

    // QZ.ini itself a FIFO: the start-up goes on with the defaults.
    ASSERT_EQ(::mkfifo((folder / "QZ.ini").c_str(), 0644), 0);
    start(folder);
    EXPECT_TRUE(logged("ini file not read, not a regular file: " + (folder / "QZ.ini").string()));
}

TEST_F(UserFilesTest, ALinkChosenAsTargetIsNeverRemoved) {
    // A link to a device: nothing is written to the device, and the link stays.
    const fs::path to_device = folder / "device.mtx";
    fs::create_symlink("/dev/full", to_device);
    EXPECT_FALSE(matrices::export_matrix_file(*app, to_device.string(), matrices::MatrixFileFormat::Mtx));
    EXPECT_FALSE(matrices::export_matrix_file(*app, to_device.string(), matrices::MatrixFileFormat::Cqm));
    EXPECT_EQ(log(), (std::vector<std::string>{"matrix file not written, not a regular file",
                                               "matrix file not written, not a regular file"}));
    EXPECT_TRUE(fs::is_symlink(to_device));

    // A link to a file, on a full disk: the link and its file stay as they were.
    const fs::path file = folder / "kept.mtx";
    const fs::path link = folder / "link.mtx";
    spill(file, kOldMatrix);
    fs::create_symlink("kept.mtx", link);
    platform::set_write_faults_for_testing({10, false, false});
    EXPECT_FALSE(matrices::export_matrix_file(*app, link.string(), matrices::MatrixFileFormat::Cqm));
    platform::set_write_faults_for_testing({});
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(file), kOldMatrix);

    // Saved through the link: it stays a link, and the file it leads to holds the new pair.
    app->log.clear();
    EXPECT_TRUE(matrices::export_matrix_file(*app, link.string(), matrices::MatrixFileFormat::Cqm));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(file), 128u);
    EXPECT_EQ(names_in(folder), (std::set<std::string>{"device.mtx", "kept.mtx", "link.mtx"}));
}

}  // namespace
