#include "d2v_project.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace qz::dgdecode {
namespace {

namespace fs = std::filesystem;

class D2vProjectText : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("qz_d2v_test_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string touch(const std::string& name) {
        std::ofstream(dir_ / name) << "x";
        return (dir_ / name).string();
    }
    bool parse(const std::string& text, D2vProject& p) {
        error_.clear();
        return parse_d2v_project(text, dir_.string(), p, error_);
    }
    fs::path dir_;
    std::string error_;
};

const char kSettingsAndIndex[] =
    "\nStream_Type=1\nMPEG_Type=2\niDCT_Algorithm=6 (IEEE-1180 Reference)\nYUVRGB_Scale=1\n"
    "Luminance_Filter=0,0\nClipping=8,8,2,4\nAspect_Ratio=16:9\nPicture_Size=720x576\nField_Operation=1\n"
    "Frame_Rate=25000 (25/1)\nLocation=0,0,0,0\n\n"
    "700 5 0 2048 0 1 1 50 70 70 60\r\n"
    "300 5 1 0 0 1 1 70 70 50 60 ff\n\nFINISHED  100.00% VIDEO\n";

TEST_F(D2vProjectText, ReadsFilesSettingsAndTheIndexOfPicturesInDisplayOrder) {
    D2vProject p;
    ASSERT_TRUE(parse("DGIndexProjectFile16\n2\nvts_01_1.vob\r\nsub\\vts_01_2.vob\n" + std::string(kSettingsAndIndex), p))
        << error_;
    EXPECT_EQ(p.version, 16);
    ASSERT_EQ(p.files.size(), 2u);
    EXPECT_EQ(p.files[0], (dir_ / "vts_01_1.vob").string());
    EXPECT_EQ(p.files[1], (dir_ / "sub/vts_01_2.vob").string());
    EXPECT_EQ(p.stream_type, StreamType::program);
    EXPECT_EQ(p.field_operation, 1);
    EXPECT_EQ(p.rate_numerator, 25u);
    EXPECT_EQ(p.rate_denominator, 1u);
    EXPECT_EQ(p.clip_left, 8);
    EXPECT_EQ(p.clip_bottom, 4);
    ASSERT_EQ(p.entries.size(), 2u);
    EXPECT_EQ(p.entries[0].info, 0x700u);
    EXPECT_EQ(p.entries[0].position, 2048);
    EXPECT_EQ(p.entries[0].first_picture, 0);
    EXPECT_EQ(p.entries[0].picture_count, 4);
    EXPECT_EQ(p.entries[1].file, 1);
    EXPECT_EQ(p.entries[1].first_picture, 4);
    EXPECT_EQ(p.entries[1].picture_count, 4);  // the closing ff is no picture
    ASSERT_EQ(p.picture_flags.size(), 8u);
    EXPECT_EQ(picture_type_of_flag(p.picture_flags[0]), 1);
    EXPECT_EQ(picture_type_of_flag(p.picture_flags[1]), 3);
}

TEST_F(D2vProjectText, Version6PutsTheLengthBeforeThePathVersion10OnThePathAlone) {
    EXPECT_EQ(resolve_source_line("19 c:\\vob\\vts_01_1.vob", 6, dir_.string()), "c:/vob/vts_01_1.vob");
    EXPECT_EQ(resolve_source_line("   c:\\vob\\vts_01_1.vob", 10, dir_.string()), "c:/vob/vts_01_1.vob");
    EXPECT_EQ(resolve_source_line("   c:\\vob\\vts_01_1.vob", 16, dir_.string()), "c:/vob/vts_01_1.vob");
    std::string clip = touch("clip.m2v");
    EXPECT_EQ(resolve_source_line("8 clip.m2v", 6, dir_.string()), clip);
    // From version 10 on a path that begins with a number and a blank stays whole, even when the
    // name after the number is a file too.
    std::string monkeys = touch("12 monkeys.m2v");
    std::string other = touch("monkeys.m2v");
    EXPECT_EQ(resolve_source_line("12 monkeys.m2v", 10, dir_.string()), monkeys);
    EXPECT_EQ(resolve_source_line("12 monkeys.m2v", 16, dir_.string()), monkeys);
    EXPECT_EQ(resolve_source_line("12 monkeys.m2v", 6, dir_.string()), other);
    // A version 6 line without its length names no file, and the project is refused with a reason.
    EXPECT_EQ(resolve_source_line("clip.m2v", 6, dir_.string()), "");
    D2vProject p;
    EXPECT_FALSE(parse("DGIndexProjectFile06\n1\nclip.m2v\n\nStream_Type=0\n\n900 0 0 0 0 0 0 d2 ff\n", p));
    EXPECT_EQ(error_, "MPEG file line 1 of the project has no length before its path");
}

TEST_F(D2vProjectText, AProjectFromAnotherMachineFindsItsFilesBesideIt) {
    std::string film = touch("film.m2v");
    EXPECT_EQ(resolve_source_line("D:\\Movies\\film.m2v", 16, dir_.string()), film);
    EXPECT_EQ(resolve_source_line("/home/someone/else/film.m2v", 16, dir_.string()), film);
    EXPECT_EQ(resolve_source_line("/home/someone/else/other.m2v", 16, dir_.string()), "/home/someone/else/other.m2v");
}

TEST_F(D2vProjectText, FrameRatesInTheNewAndTheOldForm) {
    struct Case {
        const char* text;
        unsigned num, den;
    } cases[] = {{"25000 (25/1)", 25, 1},       {"29970 (30000/1001)", 30000, 1001}, {"29970", 30000, 1001},
                 {"23976", 24000, 1001},        {"25000", 25, 1},                     {"59940", 60000, 1001},
                 {"50000", 50, 1},              {"12500", 25, 2},                     {"25000 (0/0)", 25, 1}};
    for (const Case& c : cases) {
        D2vProject p;
        std::string text = "DGIndexProjectFile16\n1\na.m2v\n\nFrame_Rate=" + std::string(c.text) +
                           "\n\n900 0 0 0 0 0 0 d2 ff\n";
        ASSERT_TRUE(parse(text, p)) << error_;
        EXPECT_EQ(p.rate_numerator, c.num) << c.text;
        EXPECT_EQ(p.rate_denominator, c.den) << c.text;
    }
}

TEST_F(D2vProjectText, TransportStreamsNameTheirVideoPid) {
    D2vProject p;
    ASSERT_TRUE(parse("DGIndexProjectFile16\n1\na.ts\n\nStream_Type=2\nMPEG2_Transport_PID=1011,1100,1001\n\n"
                      "900 0 0 0 0 0 0 d2 ff\n",
                      p));
    EXPECT_EQ(p.stream_type, StreamType::transport);
    EXPECT_EQ(p.transport_video_pid, 0x1011);
}

TEST_F(D2vProjectText, BrokenProjectsAreRefusedWithAReason) {
    const char* broken[] = {
        "",
        "DGIndexProjectFile\n1\na.m2v\n\n\n900 0 0 0 0 0 0 d2 ff\n",
        "DGIndexProjectFile16\nmany\na.m2v\n\n\n900 0 0 0 0 0 0 d2 ff\n",
        "DGIndexProjectFile16\n0\n\n\n900 0 0 0 0 0 0 d2 ff\n",
        "DGIndexProjectFile16\n3\na.m2v\n\nStream_Type=0\n\n900 0 0 0 0 0 0 d2 ff\n",
        "DGIndexProjectFile16\n1\na.m2v\n\nStream_Type=0\n\n900 0 1 0 0 0 0 d2 ff\n",
        "DGIndexProjectFile16\n1\na.m2v\n\nStream_Type=0\n\n900 0 0 0 0 0 0 d2 zz ff\n",
        "DGIndexProjectFile16\n1\na.m2v\n\nStream_Type=0\n\n900 0 0 -5 0 0 0 d2 ff\n",
        "DGIndexProjectFile16\n1\na.m2v\n\nStream_Type=0\n\n900 0 0\n",
        "DGIndexProjectFile16\n1\na.m2v\n\nStream_Type=0\n\nFINISHED\n",
        "DGIndexProjectFile16\n1\na.m2v\n\nStream_Type=0\n\n900 0 0 0 0 0 0 ff\n",
    };
    for (const char* text : broken) {
        D2vProject p;
        EXPECT_FALSE(parse(text, p)) << text;
        EXPECT_FALSE(error_.empty()) << text;
    }
}

}  // namespace
}  // namespace qz::dgdecode
