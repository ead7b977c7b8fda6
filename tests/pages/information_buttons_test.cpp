// The three information buttons against program folders made for each test, and the Avisynth lookup
// against the stand-in library on the loader's path.
#include "main_page_fixture.h"

#include "input/avisynth_lookup.h"
#include "pe_image_builder.h"
#include "platform/program_paths.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using qz::ui::dialog::kMainPage;
using namespace qz::ui::main_page_ids;

using namespace qz;
using namespace qz::test;
namespace fs = std::filesystem;

class InformationTest : public MainPageTest {
protected:
    fs::path home;

    void SetUp() override {
        MainPageTest::SetUp();
        home = fs::temp_directory_path() / ("qz_information_" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home / "DGDecode");
        app.paths = platform::build_program_paths((home / "qzgui").string(), '/');
    }
    void TearDown() override { fs::remove_all(home); }

    void write_file(const fs::path& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

TEST_F(InformationTest, DgdecodeInfoListsTheProjectVersionsFound) {
    click(kMainPage, kDgdecodeInfoButton);
    EXPECT_EQ(log(), (Lines{"---- DGDecode info ----", "DGDecode NOT found"}));

    write_file(home / "DGDecode" / "DGDecode16.dll", {});
    click(kMainPage, kDgdecodeInfoButton);
    EXPECT_EQ(log(), (Lines{"---- DGDecode info ----", "DGDecode decoder found, valid project versions:   16"}));

    write_file(home / "DGDecode" / "DGDecode06.dll", {});
    write_file(home / "DGDecode" / "DGDecode12.dll", {});
    write_file(home / "DGDecode" / "DGDecode14.dll", {});  // no project version reads it
    write_file(home / "DGDecode.dll", {});                 // the encoder's working copy is no build
    click(kMainPage, kDgdecodeInfoButton);
    EXPECT_EQ(log(),
              (Lines{"---- DGDecode info ----", "DGDecode decoder found, valid project versions:   6  12  16"}));
}

TEST_F(InformationTest, EncoderInfoWithAndWithoutItsVersion) {
    click(kMainPage, kEncoderInfoButton);
    EXPECT_EQ(log(), (Lines{"---- QZenc info ----", "QZ encoder:  " + (home / "").string() + "QZenc_028.exe NOT found"}));

    const std::string encoder = (home / "QZenc_028.exe").string();
    write_file(encoder, {0x7F, 'E', 'L', 'F', 2, 1, 1});  // a Linux build carries no version resource
    click(kMainPage, kEncoderInfoButton);
    EXPECT_EQ(log(), (Lines{"---- QZenc info ----", "QZenc found: " + encoder}));

    PeSpec spec;
    spec.version = {0, 28, 0, 2};
    write_file(encoder, build_pe(spec));
    click(kMainPage, kEncoderInfoButton);
    EXPECT_EQ(log(), (Lines{"---- QZenc info ----", "QZenc found: " + encoder,
                            "product name:  QZenc,  file version:  0.28.0.2"}));
}

// Runs as its own test with the stand-in's folder on LD_LIBRARY_PATH and in QZ_AVS_STANDIN_DIR.
TEST_F(InformationTest, AvisynthInfoFindsTheLibraryOnTheLoaderPath) {
    const char* folder = std::getenv("QZ_AVS_STANDIN_DIR");
    if (!folder) GTEST_SKIP() << "needs the Avisynth stand-in on the loader's path";
    const std::string library = std::string(folder) + "/libavisynth.so";

    click(kMainPage, kAvisynthInfoButton);
    EXPECT_EQ(log(), (Lines{"---- Avisynth info ----", "Avisynth.dll found:  " + library + "  (not loaded)"}));
    EXPECT_EQ(app.avisynth_lookup_status, input::kAvisynthLoadable);
    EXPECT_EQ(app.avisynth_library_path, library);
    EXPECT_TRUE(app.avisynth_installed);

    // The lookup gave its load back: only a load of our own makes the library "loaded".
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << ::dlerror();
    click(kMainPage, kAvisynthInfoButton);
    EXPECT_EQ(log(), (Lines{"---- Avisynth info ----", "Avisynth.dll found:  " + library + "  (loaded)"}));
    EXPECT_EQ(app.avisynth_lookup_status, input::kAvisynthAlreadyLoaded);
    ::dlclose(handle);
    EXPECT_EQ(input::find_avisynth_library().status, input::kAvisynthLoadable);
}

TEST_F(InformationTest, AvisynthInfoWithoutTheLibrary) {
    if (std::getenv("QZ_AVS_STANDIN_DIR")) GTEST_SKIP() << "the stand-in is on the loader's path";
    if (input::find_avisynth_library().status != input::kAvisynthNotFound) GTEST_SKIP() << "Avisynth is installed";
    app.avisynth_installed = true;
    click(kMainPage, kAvisynthInfoButton);
    EXPECT_EQ(log(), (Lines{"---- Avisynth info ----", "Avisynth.dll not found", "please install Avisynth"}));
    EXPECT_EQ(app.avisynth_lookup_status, input::kAvisynthNotFound);
    EXPECT_FALSE(app.avisynth_installed);
    EXPECT_EQ(app.avisynth_library_path, "");
}

}  // namespace
