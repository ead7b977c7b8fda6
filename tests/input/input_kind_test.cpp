// Input kind detection and the D2V project head.
#include "input/input_kind.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace qz::input;
using qz::settings::TextLineReader;

struct HeadTest : ::testing::Test {
    std::set<std::string> existing;
    std::vector<std::string> asked;

    InputKind head(const std::string& text, const std::string& folder = "/p/") {
        TextLineReader lines(text);
        return check_d2v_head(lines, folder, "/prog/DGDecode/", [this](const std::string& path) {
            asked.push_back(path);
            return existing.count(path) != 0;
        });
    }
};

TEST(InputKindTest, ExtensionsCompareWithoutCase) {
    EXPECT_TRUE(has_extension("/Video/Movie.D2V", ".d2v"));
    EXPECT_TRUE(has_extension("/v/clip.Avs   ", ".avs"));
    EXPECT_FALSE(has_extension("/v/clip.avs.bak", ".avs"));
    EXPECT_FALSE(has_extension("vs", ".avs"));
}

TEST(InputKindTest, NamesThatAreNeitherKindEndAtTheExtension) {
    InputKind avs = classify_input("/no/such/clip.AVS", "/prog/DGDecode/");
    EXPECT_TRUE(avs.is_avs);
    EXPECT_FALSE(avs.is_d2v);
    EXPECT_EQ(avs.project_version, 0);
    InputKind other = classify_input("/no/such/clip.avs.bak", "/prog/DGDecode/");
    EXPECT_FALSE(other.is_avs);
    EXPECT_FALSE(other.is_d2v);
    EXPECT_TRUE(other.project_usable);
    EXPECT_TRUE(other.sources_present);
}

TEST_F(HeadTest, SupportedVersionWithAllSourcesPresent) {
    existing = {"/vob/a.vob", "/vob/b.vob"};
    InputKind kind = head("DGIndexProjectFile16\n2\n/vob/a.vob\n   /vob/b.vob  \n\nStream_Type=1\n");
    EXPECT_TRUE(kind.is_d2v);
    EXPECT_TRUE(kind.project_usable);
    EXPECT_EQ(kind.project_version, 16);
    EXPECT_EQ(kind.dgdecode_library, "/prog/DGDecode/DGDecode16.dll");
    EXPECT_EQ(asked, (std::vector<std::string>{"/vob/a.vob", "/vob/b.vob"}));
}

TEST_F(HeadTest, Version6WritesALengthBeforeThePathVersion10OnThePathAlone) {
    existing = {"/vob/vts_01_1.vob"};
    InputKind kind = head("DGIndexProjectFile06\r\n1\r\n0 /vob/vts_01_1.vob\r\n");
    EXPECT_TRUE(kind.project_usable);
    EXPECT_EQ(kind.project_version, 6);
    EXPECT_EQ(kind.dgdecode_library, "/prog/DGDecode/DGDecode06.dll");

    // Version 10 drops only the leading blanks, like every later version.
    kind = head("DGIndexProjectFile10\n1\n   /vob/vts_01_1.vob\n");
    EXPECT_TRUE(kind.project_usable);
    EXPECT_EQ(kind.dgdecode_library, "/prog/DGDecode/DGDecode10.dll");
    existing = {"/p/01 intro.m2v", "/p/intro.m2v"};
    asked.clear();
    EXPECT_TRUE(head("DGIndexProjectFile10\n1\n01 intro.m2v\n").project_usable);
    EXPECT_EQ(asked, (std::vector<std::string>{"/p/01 intro.m2v"}));
    // A length field in a version 10 line is part of the name, which then does not exist.
    existing = {"/vob/vts_01_1.vob"};
    EXPECT_FALSE(head("DGIndexProjectFile10\n1\n1234 /vob/vts_01_1.vob\n").sources_present);
}

TEST_F(HeadTest, UnsupportedVersionsKeepSourcesPresent) {
    for (const char* header : {"DGIndexProjectFile14", "DGIndexProjectFile07", "DGIndexProjectFile99"}) {
        InputKind kind = head(std::string(header) + "\n0\n");
        EXPECT_FALSE(kind.project_usable) << header;
        EXPECT_FALSE(kind.is_d2v) << header;
        EXPECT_TRUE(kind.sources_present) << header;
    }
}

TEST_F(HeadTest, AnUnreadableHeadCountsAsAnUnsupportedVersion) {
    for (const char* text : {"", "DGIndexProjectFile16\n", "DGIndexProjectFile16\nabc\n/x\n",
                             "DGIndexProjectFile16\n\n1\n", "6\n0\n", "DGIndexProjectFileXY\n0\n"}) {
        InputKind kind = head(text);
        EXPECT_FALSE(kind.project_usable) << text;
        EXPECT_FALSE(kind.is_d2v) << text;
        EXPECT_TRUE(kind.sources_present) << text;
    }
}

TEST_F(HeadTest, TheFirstMissingSourceEndsTheCheck) {
    existing = {"/vob/a.vob", "/vob/c.vob"};
    InputKind kind = head("DGIndexProjectFile16\n3\n/vob/a.vob\n/vob/b.vob\n/vob/c.vob\n");
    EXPECT_FALSE(kind.sources_present);
    EXPECT_FALSE(kind.project_usable);
    EXPECT_FALSE(kind.is_d2v);
    EXPECT_EQ(asked.size(), 2u);

    // A project that counts more sources than it lists is missing them.
    EXPECT_FALSE(head("DGIndexProjectFile16\n2\n/vob/a.vob\n").sources_present);
    // None listed: usable as soon as the version is supported.
    EXPECT_TRUE(head("DGIndexProjectFile12\n0\n").project_usable);
}

TEST_F(HeadTest, RelativeSourcesAreTakenFromTheProjectsFolder) {
    existing = {"/projects/Disc 1/VTS_01_1.VOB"};
    EXPECT_TRUE(head("DGIndexProjectFile16\n1\nVTS_01_1.VOB\n", "/projects/Disc 1/").project_usable);
    EXPECT_FALSE(head("DGIndexProjectFile16\n1\nvts_01_1.vob\n", "/projects/Disc 1/").project_usable);
}

TEST(InputKindTest, AProjectOnDiskIsReadWithItsCaseKept) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("qz_input_kind_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(folder / "Sub");
    std::FILE* f = std::fopen((folder / "Sub" / "Movie.M2V").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    const std::string project = (folder / "Movie.D2V").string();
    f = std::fopen(project.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("DGIndexProjectFile16\n1\nSub/Movie.M2V\n\nStream_Type=0\n", f);
    std::fclose(f);

    InputKind kind = classify_input(project, "/prog/DGDecode/");
    EXPECT_TRUE(kind.is_d2v);
    EXPECT_TRUE(kind.project_usable);
    EXPECT_EQ(kind.dgdecode_library, "/prog/DGDecode/DGDecode16.dll");

    InputKind unreadable = classify_input((folder / "None.d2v").string(), "/prog/DGDecode/");
    EXPECT_FALSE(unreadable.is_d2v);
    EXPECT_FALSE(unreadable.project_usable);
    EXPECT_TRUE(unreadable.sources_present);
    fs::remove_all(folder);
}

}  // namespace
