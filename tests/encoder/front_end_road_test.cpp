// The user's whole road, as the front end drives it: open a D2V project, name the output, make the
// settings DVD compliant, press "encode". The real encoder runs beside the program and its stream must
// play in Debian's ffmpeg.
#include "encoder_harness.h"

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

namespace qz::enctest {
namespace {

std::string run_front_end(const ProgramFolder& home, const std::string& script_text) {
    const fs::path script = home.file("road.script");
    std::ofstream(script) << script_text;
    // The window stays closed: the script driver plays the user's clicks.
    const std::string command = "NUMBER_OF_PROCESSORS=2 '" + std::string(QZ_FRONT_END_EXE) + "' --home '" +
                                home.path().string() + "' --script '" + script.string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

TEST(FrontEndRoadTest, OpenAProjectMakeItDvdCompliantAndEncodeAPlayableStream) {
    ProgramFolder home("front_end_road");
    fs::copy(QZ_DGDECODE_FOLDER, home.file("DGDecode"), fs::copy_options::recursive);
    const std::string project = noise_project(50);
    const std::string stream = home.file("road.m2v").string();

    const std::string output = run_front_end(home, "file " + project + "\n"
                                                   "click 103 1110\n"
                                                   "file " + stream + "\n"
                                                   "click 103 1111\n"
                                                   "click 103 1102\n"
                                                   "click 101 1003\n"
                                                   "quit\n");

    EXPECT_NE(output.find("log: DGDecode successfully initialized"), std::string::npos) << output;
    EXPECT_TRUE(std::regex_search(output, std::regex("log: encoding started at: .+,  finished at: ")))
        << output;
    EXPECT_TRUE(std::regex_search(output, std::regex("log: encoding time: [ 0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}")))
        << output;
    EXPECT_EQ(output.find("error"), std::string::npos) << output;

    // The settings handed over are the DVD-compliant ones the button made.
    const std::string settings = read_text(home.file("QZ.ini"));
    EXPECT_NE(settings.find("*MAXBITRATE"), std::string::npos) << settings;

    auto probe = probe_stream(stream);
    EXPECT_EQ(probe["codec_name"], "mpeg2video");
    EXPECT_EQ(probe["width"], "720");
    EXPECT_EQ(probe["height"], "576");
    EXPECT_EQ(probe["r_frame_rate"], "25/1");
    EXPECT_EQ(probe_frame_count(stream), 50);
    // The working DGDecode copy is removed once the encoder has ended.
    EXPECT_FALSE(fs::exists(home.file("DGDecode.dll")));
}

}  // namespace
}  // namespace qz::enctest
