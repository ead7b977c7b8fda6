// The encoder as the front end runs it: a program folder with "QZ.ini", the executable started
// with no arguments, then the stream read back by ffprobe and by our own header reader.
#include "encoder_harness.h"
#include "matrices/matrix_tables.h"
#include "stream_reader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

namespace qz::enctest {
namespace {

// One settings line as the front end writes it: the keyword padded to 18 characters.
std::string line(const std::string& keyword, const std::string& value = "") {
    std::string text = keyword;
    if (!value.empty()) {
        text.resize(std::max<size_t>(18, keyword.size() + 1), ' ');
        text += value;
    }
    return text + "\n";
}

std::string files(const ProgramFolder& home, const std::string& input) {
    return line("*INFILE", input) + line("*OUTFILE", home.file("out.m2v").string()) + line("*LOGFILE", home.file("out.log").string());
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A DVD settings file on a 720x576 25 fps source of noise: the rate must stay within the VBV at
// MAXBITRATE, the header must say what the settings asked, chapters must start closed GOPs.
TEST(EncoderTest, DvdSettingsOnPalNoiseStayWithinMaxBitrateWithChaptersAsClosedGops) {
    ProgramFolder home("dvd");
    const std::string project = noise_project(100);
    home.write_settings(files(home, project) + line("*BITRATE", "8500") + line("*MAXBITRATE", "9800") + line("*ASPECT", "16:9") +
                        line("*GOP", "12 2") + line("*DC_PREC", "10") + line("*PRIORITY", "normal") +
                        line("*CHAPTER", "3") + "31\n57\n58\n");
    const RunResult run = home.run();
    ASSERT_EQ(run.exit_code, 0) << run.log;
    EXPECT_TRUE(contains(run.log, "pass 1:")) << run.log;
    EXPECT_TRUE(contains(run.log, "pass 2:")) << run.log;
    EXPECT_TRUE(contains(run.log, "peak bitrate")) << run.log;

    const std::string out = home.file("out.m2v").string();
    const auto probe = probe_stream(out);
    EXPECT_EQ(probe.at("codec_name"), "mpeg2video");
    EXPECT_EQ(probe.at("display_aspect_ratio"), "16:9");
    EXPECT_EQ(probe.at("r_frame_rate"), "25/1");
    EXPECT_EQ(probe.at("profile"), "Main");
    EXPECT_EQ(probe.at("level"), "8");
    EXPECT_EQ(probe.at("max_bitrate"), "9800000");
    EXPECT_EQ(probe.at("buffer_size"), "1835008");
    EXPECT_EQ(probe_frame_count(out), 100);

    const StreamInfo s = read_stream(out);
    ASSERT_TRUE(s.ok) << s.error;
    EXPECT_EQ(s.sequence.aspect_code, 3);
    EXPECT_EQ(s.sequence.frame_rate_code, 3);
    EXPECT_EQ(s.sequence.bit_rate_value, 24500);
    EXPECT_EQ(s.sequence.vbv_buffer_size_value, 112);
    EXPECT_TRUE(s.ends_with_sequence_end);
    ASSERT_EQ(s.pictures.size(), 100u);
    for (const PictureInfo& p : s.pictures) EXPECT_EQ(p.dc_precision, 2) << "DC precision 10 bits";

    // The decoder's buffer never runs dry at 9800 kbit/s, and no second of pictures needs more
    // than MAXBITRATE plus what the buffer held.
    EXPECT_EQ(vbv_underflow(s, 9800000.0, 1835008.0, 25.0), -1);
    const auto order = display_order(s);
    double busiest_second = 0, total = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        total += double(order[i]->bytes) * 8;
        if (i + 25 > order.size()) continue;
        double bits = 0;
        for (size_t j = i; j < i + 25; ++j) bits += double(order[j]->bytes) * 8;
        busiest_second = std::max(busiest_second, bits);
    }
    EXPECT_LE(busiest_second, 9800000.0);
    const double average = total * 25.0 / 100.0;
    EXPECT_GT(average, 6000000.0) << "noise must ask for more than the average, or the limit was never tested";
    EXPECT_LT(average, 9800000.0);

    // Chapters 31, 57 and 58 start GOPs whose I picture opens a closed GOP; 58 follows 57 at once.
    for (int chapter : {0, 31, 57, 58}) {
        const PictureInfo* p = order[size_t(chapter)];
        EXPECT_EQ(p->type, 'I') << "frame " << chapter;
        ASSERT_GE(p->gop, 0);
        const GopInfo& gop = s.gops[size_t(p->gop)];
        EXPECT_TRUE(gop.closed) << "frame " << chapter;
        EXPECT_EQ(p->temporal_reference, 0) << "nothing shown before the chapter's I picture in its GOP";
    }
    // GOP length 12: no GOP holds more pictures.
    for (size_t g = 0; g < s.gops.size(); ++g) {
        const int begin = s.gops[g].picture_index;
        const int end = g + 1 < s.gops.size() ? s.gops[g + 1].picture_index : int(s.pictures.size());
        EXPECT_LE(end - begin, 12);
    }
}

// A custom matrix pair, 4:2:2, interlaced bottom field first, the colour description, the time
// code and table 14 from an Avisynth script; unhonoured settings are named.
TEST(EncoderTest, ScriptEncodeCarriesMatricesFieldOrderChromaColourAndTimecode) {
    ProgramFolder home("script");
    const std::string script = write_script(home.path(), "clip.avs",
                                            "a = BlankClip(length=20, width=720, height=576, pixel_type=\"YV16\", fps=25, color=$204060)\n"
                                            "b = BlankClip(length=20, width=720, height=576, pixel_type=\"YV16\", fps=25, color=$C0A080)\n"
                                            "Dissolve(a, b, 10)\n");
    std::ostringstream matrix;
    std::array<int, 64> intra{}, non_intra{};
    for (int i = 0; i < 64; ++i) {
        intra[size_t(i)] = i == 0 ? 8 : 9 + (i * 7) % 60;
        non_intra[size_t(i)] = 16 + (i * 5) % 40;
    }
    for (const auto* m : {&intra, &non_intra})
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) matrix << " " << (*m)[size_t(r * 8 + c)];
            matrix << "\n";
        }
    home.write_settings(files(home, script) + line("*BITRATE", "6000") + line("*MAXBITRATE", "15000") + line("*1PASS") +
                        line("*ASPECT", "4:3") + line("*INTERLACED") + line("*BFF") + line("*CHROMAFORMAT", "422") +
                        line("*COLOUR", "5") + line("*TIMECODE", "1  2  3  4") + line("*INTRAVLC", "0") +
                        line("*ADAPTIVEMATRIX") + line("*LOSSLESS") + line("*PREVIEW") + line("*SHUTDOWN") + line("*NOSEQ_ENDCODE") + line("*PRIORITY", "normal") +
                        line("*CUSTOMMATRIX") + matrix.str());
    const RunResult run = home.run();
    ASSERT_EQ(run.exit_code, 0) << run.log;
    EXPECT_TRUE(contains(run.log, "not honoured: *ADAPTIVEMATRIX")) << run.log;
    EXPECT_TRUE(contains(run.log, "not honoured: *LOSSLESS")) << run.log;
    EXPECT_TRUE(contains(run.log, "not honoured: *PREVIEW")) << run.log;
    EXPECT_TRUE(contains(run.log, "shutdown requested, not carried out")) << run.log;

    const std::string out = home.file("out.m2v").string();
    const auto probe = probe_stream(out);
    EXPECT_EQ(probe.at("profile"), "4:2:2");
    EXPECT_EQ(probe.at("pix_fmt"), "yuv422p");
    EXPECT_EQ(probe.at("display_aspect_ratio"), "4:3");
    EXPECT_EQ(probe.at("color_primaries"), "bt470bg");
    EXPECT_EQ(probe.at("field_order"), "bb");
    EXPECT_EQ(probe_frame_count(out), 30);

    const StreamInfo s = read_stream(out);
    ASSERT_TRUE(s.ok) << s.error;
    ASSERT_TRUE(s.sequence.intra_loaded);
    ASSERT_TRUE(s.sequence.non_intra_loaded);
    EXPECT_EQ(s.sequence.intra, intra);
    EXPECT_EQ(s.sequence.non_intra, non_intra);
    EXPECT_EQ(s.sequence.chroma_format, 2);
    EXPECT_FALSE(s.sequence.progressive_sequence);
    EXPECT_TRUE(s.sequence.has_display);
    EXPECT_EQ(s.sequence.colour_primaries, 5);
    EXPECT_EQ(s.sequence.video_format, 1) << "PAL";
    EXPECT_FALSE(s.ends_with_sequence_end);
    ASSERT_FALSE(s.gops.empty());
    EXPECT_EQ(s.gops[0].hours, 1);
    EXPECT_EQ(s.gops[0].minutes, 2);
    EXPECT_EQ(s.gops[0].seconds, 3);
    EXPECT_EQ(s.gops[0].pictures, 4);
    for (const PictureInfo& p : s.pictures) {
        EXPECT_FALSE(p.top_field_first);
        EXPECT_FALSE(p.progressive_frame);
        EXPECT_FALSE(p.intra_vlc) << "table 14";
        EXPECT_TRUE(p.alternate_scan);
        EXPECT_EQ(p.picture_structure, 3) << "frame pictures";
    }
}

// Soft 3:2 pulldown of a 23.976 fps film: the stream plays at 29.97 with the 2:3 cadence of
// field flags in display order and drop-frame time codes. The 4:3 pan-scan window rides along:
// its size in the sequence display extension, each picture's offset in one offset per field shown.
TEST(EncoderTest, PulldownOfFilmPlaysAt2997WithTheCadence) {
    ProgramFolder home("pulldown");
    home.write_settings(files(home, film_project(48)) + line("*BITRATE", "5000") + line("*MAXBITRATE", "8000") + line("*1PASS") +
                        line("*PULLDOWN") + line("*GOP", "12 2") + line("*PRIORITY", "normal") +
                        line("*PANSCAN", "540 480 2") + "0        160    0\n24      -320    0\n");
    const RunResult run = home.run();
    ASSERT_EQ(run.exit_code, 0) << run.log;
    const std::string out = home.file("out.m2v").string();
    const auto probe = probe_stream(out);
    // ffprobe's average is the displayed rate; its "r_frame_rate" counts repeated fields (60000/1001).
    EXPECT_EQ(probe.at("avg_frame_rate"), "30000/1001");
    EXPECT_EQ(probe_frame_count(out), 48);

    const StreamInfo s = read_stream(out);
    ASSERT_TRUE(s.ok) << s.error;
    EXPECT_EQ(s.sequence.frame_rate_code, 4);
    EXPECT_FALSE(s.sequence.progressive_sequence);
    const bool tff[4] = {true, false, false, true}, rff[4] = {true, false, true, false};
    const auto order = display_order(s);
    ASSERT_EQ(order.size(), 48u);
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i]->top_field_first, tff[i % 4]) << "picture " << i;
        EXPECT_EQ(order[i]->repeat_first_field, rff[i % 4]) << "picture " << i;
        EXPECT_TRUE(order[i]->progressive_frame);
        EXPECT_EQ(order[i]->panscan_offsets, rff[i % 4] ? 3 : 2) << "picture " << i;
        EXPECT_EQ(order[i]->first_horizontal_offset, i < 24 ? 160 : -320) << "picture " << i;
    }
    EXPECT_EQ(s.sequence.aspect_code, 3);
    EXPECT_TRUE(s.sequence.has_display);
    EXPECT_EQ(s.sequence.display_width, 540);
    EXPECT_EQ(s.sequence.display_height, 480);
    // A GOP's time code counts the video frames (two fields each) shown before its first picture.
    ASSERT_GE(s.gops.size(), 3u);
    for (size_t g = 0; g < s.gops.size(); ++g) {
        int64_t first = INT64_MAX;
        for (const PictureInfo& p : s.pictures)
            if (p.gop == int(g)) first = std::min(first, p.display_index);
        int fields = 0;
        for (int64_t i = 0; i < first; ++i) fields += order[size_t(i)]->repeat_first_field ? 3 : 2;
        EXPECT_TRUE(s.gops[g].drop_frame);
        EXPECT_EQ(s.gops[g].minutes * 1800 + s.gops[g].seconds * 30 + s.gops[g].pictures, fields / 2) << "GOP " << g;
    }
}

// Constant quantisation: I at the quantiser, P and B scaled by their factors, a zone of 0.5 doubling
// every quantiser from its frame; the frame log names each source frame with its PSNR; the mask
// paints the top and bottom lines black as the preview shows them.
TEST(EncoderTest, ConstantQuantiserFollowsFactorsZonesAndMask) {
    ProgramFolder home("cq");
    home.write_settings(files(home, film_project(48)) + line("*FRAMES", "10 39") + line("*CQ", "4") + line("*CQ_PFACTOR", "1.5") +
                        line("*CQ_BFACTOR", "2") + line("*ZONE", "1") + "25 0.5\n" + line("*FRAMELOG", "psnr") +
                        line("*MASK_SHIFT", "32 48 0") + line("*PRIORITY", "normal"));
    const RunResult run = home.run();
    ASSERT_EQ(run.exit_code, 0) << run.log;
    std::istringstream frames(read_text(home.file("out_framelog.txt")));
    std::string text;
    int lines = 0;
    while (std::getline(frames, text)) {
        int frame = 0;
        char type = 0;
        double q = 0, y = 0;
        ASSERT_EQ(std::sscanf(text.c_str(), "%d %c %*d bits q %lf PSNR Y %lf", &frame, &type, &q, &y), 4) << text;
        const double expected = 4.0 * (type == 'P' ? 1.5 : type == 'B' ? 2.0 : 1.0) * (frame >= 25 ? 2.0 : 1.0);
        EXPECT_NEAR(q, expected, 0.01) << text;
        EXPECT_GT(y, 20.0) << text;
        EXPECT_GE(frame, 10);
        EXPECT_LE(frame, 39);
        ++lines;
    }
    EXPECT_EQ(lines, 30);
    // The first picture decoded: rows 0..31 and 432..479 black (luma 16), the middle not.
    const std::string raw = home.file("first.y").string();
    ASSERT_EQ(std::system(("ffmpeg -v error -y -i '" + home.file("out.m2v").string() +
                           "' -frames:v 1 -f rawvideo -pix_fmt yuv420p '" + raw + "'").c_str()),
              0);
    const std::string luma = read_text(raw);
    ASSERT_EQ(luma.size(), 720u * 480u * 3u / 2u);
    auto row_mean = [&](int row) {
        double sum = 0;
        for (int x = 0; x < 720; ++x) sum += uint8_t(luma[size_t(row) * 720 + size_t(x)]);
        return sum / 720;
    };
    for (int row : {0, 31, 432, 479}) EXPECT_NEAR(row_mean(row), 16.0, 3.0) << "row " << row;
    EXPECT_GT(row_mean(200), 40.0);
}

#if QZ_ENCODER_WINDOW
// With a display the progress window is shown (here on Qt's offscreen platform) with the preview,
// and the encoder still ends on its own after *WAIT seconds.
TEST(EncoderTest, ProgressWindowShowsThePreviewAndCloses) {
    ProgramFolder home("window");
    home.write_settings(files(home, film_project(48)) + line("*1PASS") + line("*PREVIEW") + line("*WAIT", "0") +
                        line("*PRIORITY", "normal"));
    const RunResult run = home.run("out.log", 0, "offscreen");
    ASSERT_EQ(run.exit_code, 0) << run.log;
    EXPECT_TRUE(contains(run.log, "progress window shown with the preview, closing 0 s after the end")) << run.log;
    EXPECT_FALSE(contains(run.log, "not honoured: *PREVIEW")) << run.log;
    EXPECT_EQ(probe_frame_count(home.file("out.m2v").string()), 48);
}
#endif

TEST(EncoderTest, BadInputsEndWithALogLineAndAnExitCode) {
    {
        ProgramFolder home("no_settings");
        const RunResult run = home.run("QZenc.log");
        EXPECT_EQ(run.exit_code, 1);
        EXPECT_TRUE(contains(run.log, "ERROR: QZ.ini not found")) << run.log;
    }
    {
        ProgramFolder home("no_input");
        home.write_settings(files(home, home.file("missing.d2v").string()));
        const RunResult run = home.run();
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_TRUE(contains(run.log, "ERROR: input file not found")) << run.log;
    }
    {
        ProgramFolder home("no_dgdecode");
        home.remove_dgdecode();
        home.write_settings(files(home, film_project(48)));
        const RunResult run = home.run();
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_TRUE(contains(run.log, "ERROR: DGDecode.dll NOT found")) << run.log;
    }
    {
        ProgramFolder home("bad_script");
        home.write_settings(files(home, write_script(home.path(), "bad.avs", "BlankClip(width=\n")));
        const RunResult run = home.run();
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_TRUE(contains(run.log, "ERROR: can't process the AVS file")) << run.log;
    }
    {
        ProgramFolder home("no_output_folder");
        home.write_settings(line("*INFILE", film_project(48)) + line("*OUTFILE", home.file("none/out.m2v").string()) +
                            line("*LOGFILE", home.file("out.log").string()) + line("*1PASS"));
        const RunResult run = home.run();
        EXPECT_EQ(run.exit_code, 3);
        EXPECT_TRUE(contains(run.log, "ERROR: can't create the output file")) << run.log;
    }
    {
        // A full disk: every write beyond 200 kB fails. Nothing may remain under the output's name
        // or as a partial file.
        ProgramFolder home("full_disk");
        home.write_settings(files(home, noise_project(100)) + line("*1PASS") + line("*BITRATE", "8000") +
                            line("*MAXBITRATE", "9800"));
        const RunResult run = home.run("out.log", 200 * 1024);
        EXPECT_EQ(run.exit_code, 3);
        EXPECT_TRUE(contains(run.log, "ERROR: can't write")) << run.log;
        for (const auto& entry : fs::directory_iterator(home.path()))
            EXPECT_FALSE(contains(entry.path().filename().string(), "out.m2v")) << entry.path();
    }
}

}  // namespace
}  // namespace qz::enctest
