// The lines a save writes and the listing shows, built from page values and the record.
#include "settings/settings_file_builder.h"
#include "settings/settings_file_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace qz::settings;

struct BuilderTest : ::testing::Test {
    PageValues page;  // the pages' defaults
    std::unique_ptr<Settings> record = std::make_unique<Settings>();

    std::string file(BuildResult* result = nullptr) {
        TextSink sink;
        BuildResult r = build_settings_lines(page, *record, BuildTarget::File, sink);
        if (result) *result = r;
        return sink.text;
    }
    std::vector<std::string> listing(BuildResult* result = nullptr) {
        ListSink sink;
        BuildResult r = build_settings_lines(page, *record, BuildTarget::Listing, sink);
        if (result) *result = r;
        return sink.lines;
    }
};

std::vector<std::string> keywords_of(const std::vector<std::string>& lines) {
    std::vector<std::string> keywords;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '*') keywords.push_back(line.substr(0, line.find(' ')));
    }
    return keywords;
}

TEST_F(BuilderTest, DefaultsWriteSixLinesWithValuesInColumn19) {
    EXPECT_EQ(file(),
              "*BITRATE          4000\n"
              "*MAXBITRATE       8000\n"
              "*AUTOGOP          15\n"
              "*TFF\n"
              "*INTRAVLC         2\n"
              "*MATRIX           mpeg\n");
}

TEST_F(BuilderTest, NumbersReadFromBoxesAreLimitedAndStored) {
    page.wait = "5";
    EXPECT_EQ(file().find("*WAIT"), std::string::npos);
    page.wait = "120";
    EXPECT_NE(file().find("*WAIT             99\n"), std::string::npos);
    EXPECT_EQ(record->values.wait_seconds, 99);
    page.wait = "abc";  // no number: the record's value is tested and written
    EXPECT_NE(file().find("*WAIT             99\n"), std::string::npos);

    page.min_br_factor = "3";
    EXPECT_NE(file().find("*MINBRFAC         2.00\n"), std::string::npos);
    EXPECT_FLOAT_EQ(record->values.min_br_factor, 2.0f);
    page.min_br_factor_enabled = false;
    EXPECT_EQ(file().find("*MINBRFAC"), std::string::npos);

    page.bias = "250";
    EXPECT_NE(file().find("*BIAS             100\n"), std::string::npos);

    EXPECT_EQ(file().find("*TIMECODE"), std::string::npos);
    page.timecode[0] = "1";
    page.timecode[1] = "2";
    page.timecode[2] = "3";
    page.timecode[3] = "4";
    EXPECT_NE(file().find("*TIMECODE         1  2  3  4\n"), std::string::npos);
    page.timecode[0] = "30";
    page.timecode[3] = "75";
    EXPECT_NE(file().find("*TIMECODE         23  2  3 59\n"), std::string::npos);

    page.mask_top = "4";
    page.mask_bottom = " 2";
    EXPECT_NE(file().find("*MASK_SHIFT       4 2 0\n"), std::string::npos);
    EXPECT_EQ(record->values.mask_top, 4);

    page.autogop = false;
    page.gop_length = "12";
    page.b_frames = "1";
    page.start_frame = "10";
    page.end_frame = "99";
    std::string text = file();
    EXPECT_NE(text.find("*GOP              12 1\n"), std::string::npos);
    EXPECT_NE(text.find("*FRAMES           10 99\n"), std::string::npos);
    EXPECT_EQ(record->values.gop_length, 12);
    EXPECT_EQ(record->values.last_frame, 99);
    page.end_frame = "";  // both boxes must hold integers
    EXPECT_EQ(file().find("*FRAMES"), std::string::npos);
}

TEST_F(BuilderTest, AnInvalidQuantizerEndsTheFileAfterTheB3Step) {
    page.constant_quantization = true;
    page.allow_3_b_frames = true;
    page.quantizer = "abc";
    BuildResult result;
    EXPECT_EQ(file(&result),
              "*MAXBITRATE       8000\n"
              "*AUTOGOP          15\n"
              "*B3\n");
    EXPECT_TRUE(result.cq_aborted);

    page.quantizer = " 4.5";
    page.check_max_bitrate = true;
    page.p_factor = " 1.25";
    std::string text = file(&result);
    EXPECT_FALSE(result.cq_aborted);
    EXPECT_NE(text.find("*CQ_MAXBITRATE    4.5\n*CQ_PFACTOR       1.25\n*TFF\n"), std::string::npos);
    EXPECT_EQ(text.find("*CQ_BFACTOR"), std::string::npos);
}

TEST_F(BuilderTest, ValueFormats) {
    page.autogop_length = "10";
    page.dead_zone = DeadZoneMode::SetValues;
    page.dead_zone_intra = "8";
    page.dead_zone_non_intra = "12";
    page.framelog = true;
    page.psnr = true;
    page.aq = "3";
    page.luminance_gain = "2";
    record->values.colour = 5;
    page.cpu = 7;
    page.priority = 3;
    page.chroma_format = 3;
    page.intra_vlc = "TABLE 15";
    page.mpeg_level = "MP@H-14";
    page.profile = Profile::Fast;
    page.aspect = Aspect::Wide221;
    page.dc_precision = 11;
    page.interlacing = Interlacing::DigitalVideo;
    page.tff = false;
    page.bff = true;
    std::string text = file();
    for (const char* line : {"*AUTOGOP          10\n", "*DEADZONE         8 12\n", "*FRAMELOG         psnr\n",
                             "*AQ               3\n", "*LUMGAIN          2\n", "*COLOUR           5\n",
                             "*CPU              AVX2\n", "*PRIORITY         high\n", "*CHROMAFORMAT     444\n",
                             "*INTRAVLC         1\n", "*MPEGLEVEL        MP@H-14\n", "*PROFILE          fast\n",
                             "*ASPECT           2.21:1\n", "*DC_PREC          11\n", "*DVSOURCE\n*BFF\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST_F(BuilderTest, ListsAndMatrices) {
    record->chapters.count = 2;
    record->chapters.frames[0] = 0;
    record->chapters.frames[1] = 1234;
    record->zones.count = 1;
    record->zones.zones[0] = {150, 1.5f};
    record->panscan.on = true;
    record->panscan.display_width = 540;
    record->panscan.display_height = 576;
    record->panscan.count = 2;
    record->panscan.entries[0] = {100, -20};
    record->panscan.entries[1] = {123456789, 90};
    page.builtin_matrix = false;
    page.custom_matrix = true;
    for (int i = 0; i < 64; ++i) {
        record->custom_matrix.intra[static_cast<size_t>(i)] = i + 8;
        record->custom_matrix.non_intra[static_cast<size_t>(i)] = 16;
    }
    std::string text = file();
    EXPECT_EQ(text.find("*MATRIX"), std::string::npos);
    EXPECT_NE(text.find("*CUSTOMMATRIX\n   8   9  10  11  12  13  14  15\n"), std::string::npos);
    EXPECT_NE(text.find("\n  64  65  66  67  68  69  70  71\n  16  16"), std::string::npos);
    EXPECT_NE(text.find("*CHAPTER          2\n0\n1234\n"), std::string::npos);
    EXPECT_NE(text.find("*ZONE             1\n150        1.5\n"), std::string::npos);
    EXPECT_NE(text.find("*PANSCAN          540 576 2\n100        -20    0\n123456789   90    0\n"), std::string::npos);
}

TEST_F(BuilderTest, PathsFollowTheButtonInTheFileAndTheRecordInTheListing) {
    record->db_path = "/db/";
    record->ll_path = "/ll/";
    EXPECT_EQ(file().find("*DBPATH"), std::string::npos);
    page.db_path_caption = "DB path (set)";
    page.ll_path_caption = "LL path (set)";
    EXPECT_NE(file().find("*DBPATH           /db/\n*LLPATH           /ll/\n"), std::string::npos);
    page.db_path_caption = "DB path (not set)";
    auto lines = listing();
    EXPECT_EQ(lines[0], "*DBPATH           /db/");
    EXPECT_EQ(lines[1], "*LLPATH           /ll/");
}

TEST_F(BuilderTest, TheListingHasItsOwnOrderAndDifferences) {
    page.smp = false;
    page.allow_3_b_frames = true;
    page.mask_top = "2";
    page.lossless = true;
    page.avs_memory = "256";
    page.timecode[0] = "1";
    page.framelog = true;
    page.scene_change = false;
    std::vector<std::string> file_keywords;
    {
        std::string text = file();
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        file_keywords = keywords_of(lines);
    }
    EXPECT_EQ(file_keywords,
              (std::vector<std::string>{"*BITRATE", "*MAXBITRATE", "*NOSMP", "*AUTOGOP", "*B3", "*TFF", "*NOSCD",
                                        "*FRAMELOG", "*MASK_SHIFT", "*AVSMEMORY", "*LOSSLESS", "*TIMECODE",
                                        "*INTRAVLC", "*MATRIX"}));
    EXPECT_EQ(keywords_of(listing()),
              (std::vector<std::string>{"*BITRATE", "*MAXBITRATE", "*AUTOGOP", "*TFF", "*NOSCD", "*NOSMP",
                                        "*FRAMELOG", "*B3", "*TIMECODE", "*MASK_SHIFT", "*AVSMEMORY",
                                        "*LOSSLESS", "*INTRAVLC", "*MATRIX"}));

    // Progressive sequence under 3:2 pulldown: in the file, not in the listing.
    page.interlacing = Interlacing::Progressive;
    page.progressive_sequence = true;
    page.pulldown = true;
    EXPECT_NE(file().find("*PROGRESSIVE\n*PROG_SEQ\n*TFF\n"), std::string::npos);
    auto lines = listing();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "*PROG_SEQ"), 0);

    // Letters in the automatic GOP box: a line with the letters in the file, none in the listing.
    page.autogop_length = "ab";
    EXPECT_NE(file().find("*AUTOGOP          ab\n"), std::string::npos);
    EXPECT_EQ(keywords_of(listing())[2], "*PROGRESSIVE");
    page.autogop_length = " 014";
    EXPECT_EQ(listing()[2], "*AUTOGOP          14");

    // The listing stops at an invalid quantiser too (before *B3, which it shows later).
    page.constant_quantization = true;
    page.quantizer = "";
    BuildResult result;
    lines = listing(&result);
    EXPECT_TRUE(result.cq_aborted);
    EXPECT_EQ(keywords_of(lines), (std::vector<std::string>{"*MAXBITRATE", "*AUTOGOP"}));
}

TEST_F(BuilderTest, TheListingCutsLongNames) {
    record->set_given(kInfile);
    record->input_file = "/" + std::string(299, 'n');
    BuildResult result;
    auto lines = listing(&result);
    EXPECT_EQ(lines[0], "*INFILE           " + record->input_file.substr(0, 127));
    EXPECT_EQ(result.longest_name_line, 18u + 127u);
    EXPECT_EQ(file().substr(0, 18 + 300 + 1), "*INFILE           " + record->input_file + "\n");
}

// A file the writer wrote gives the reader back the same names, paths and lists.
TEST_F(BuilderTest, ListsAndNamesSurviveWriteAndRead) {
    struct AllExist : ReaderEnvironment {
        bool file_exists(const std::string&) override { return true; }
        InputOutcome check_input(const std::string&) override { return InputOutcome::Accepted; }
    } files;
    record->set_given(kInfile);
    record->set_given(kOutfile);
    record->set_given(kLogfile);
    record->input_file = "/videos/A Movie.d2v";
    record->output_file = "/out/movie.m2v";
    record->log_file = "/out/movie.log";
    record->chapters.count = 3;
    record->chapters.frames[0] = 0;
    record->chapters.frames[1] = 1500;
    record->chapters.frames[2] = -7;
    record->zones.count = 2;
    record->zones.zones[0] = {10, 0.5f};
    record->zones.zones[1] = {2000000000, 2.0f};
    record->panscan = {};
    record->panscan.on = true;
    record->panscan.display_width = 528;
    record->panscan.display_height = 480;
    record->panscan.count = 1;
    record->panscan.entries[0] = {77, -99999};
    page.builtin_matrix = false;
    page.custom_matrix = true;
    for (int i = 0; i < 64; ++i) {
        record->custom_matrix.intra[static_cast<size_t>(i)] = 1000 + i;
        record->custom_matrix.non_intra[static_cast<size_t>(i)] = 255 - i;
    }
    std::string text = file();

    auto back = std::make_unique<Settings>();
    TextLineReader lines(text);
    parse_settings(lines, *back, files);
    EXPECT_EQ(back->input_file, record->input_file);
    EXPECT_EQ(back->output_file, record->output_file);
    EXPECT_EQ(back->log_file, record->log_file);
    EXPECT_EQ(back->chapters.count, 3);
    EXPECT_EQ(back->chapters.frames, record->chapters.frames);
    EXPECT_EQ(back->zones.zones[1].start_frame, 2000000000);
    EXPECT_FLOAT_EQ(back->zones.zones[0].factor, 0.5f);
    EXPECT_EQ(back->panscan.entries[0].offset, -99999);
    EXPECT_EQ(back->panscan.display_width, 528);
    EXPECT_EQ(back->custom_matrix.intra, record->custom_matrix.intra);
    EXPECT_EQ(back->custom_matrix.non_intra, record->custom_matrix.non_intra);
    for (Keyword k : {kInfile, kOutfile, kLogfile, kChapter, kZone, kPanScan, kCustomMatrix}) EXPECT_TRUE(back->is_given(k)) << k;
}

}  // namespace
