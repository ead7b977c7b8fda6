// The settings file format as the reader sees it: keywords, columns, words, lists, marks and the
// input checks, on text in memory with a scripted file system.
#include "settings/settings_file_parser.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace qz::settings;

struct FakeFiles : ReaderEnvironment {
    std::set<std::string> existing;
    std::map<std::string, InputOutcome> projects;  // inputs that are not Accepted
    bool file_exists(const std::string& path) override { return existing.count(path) != 0; }
    InputOutcome check_input(const std::string& path) override {
        auto it = projects.find(path);
        return it == projects.end() ? InputOutcome::Accepted : it->second;
    }
};

struct ParserTest : ::testing::Test {
    std::unique_ptr<Settings> record = std::make_unique<Settings>();
    FakeFiles files;
    ReadReport report;

    void read(std::string_view text) {
        TextLineReader lines(text);
        report = parse_settings(lines, *record, files);
    }
    bool given(Keyword k) const { return record->is_given(k); }
    const OptionValues& v() const { return record->values; }
};

// A line padded so that its value starts in column `column`.
std::string at_column(std::string keyword, size_t column, std::string value) {
    keyword.resize(column - 1, ' ');
    return keyword + value;
}

TEST_F(ParserTest, KeywordsIgnoreCaseAndTheLastOccurrenceWins) {
    read("*bitrate 6000\n");
    EXPECT_EQ(v().bitrate, 6000);
    EXPECT_TRUE(given(kBitrate));
    read("*BITRATE 5000\n*Bitrate 7000\n");
    EXPECT_EQ(v().bitrate, 7000);
}

TEST_F(ParserTest, AValueThatIsNoNumberLeavesTheMarkClear) {
    for (const char* line : {"*BITRATE\n", "*BITRATE abc\n", "*BITRATE 5000abc\n", "*BITRATE 50.5\n"}) {
        record->values.bitrate = 4000;
        record->clear_given();
        read(line);
        EXPECT_FALSE(given(kBitrate)) << line;
        EXPECT_EQ(v().bitrate, 4000) << line;
    }
    read("*BITRATE 5000 kbit/s\n");  // only the number needed is looked at
    EXPECT_EQ(v().bitrate, 5000);
}

TEST_F(ParserTest, PrefixesAreTestedInTheFixedOrder) {
    read("*CQ_PFACTOR 1.5\n*CQ_BFACTOR 0.75\n");
    EXPECT_FLOAT_EQ(v().cq_p_factor, 1.5f);
    EXPECT_FLOAT_EQ(v().cq_b_factor, 0.75f);
    EXPECT_FALSE(given(kCq));
    read("*CQ_MAXBITRATE 3.5\n");
    EXPECT_TRUE(given(kCqMaxBitrate));
    EXPECT_TRUE(v().cq_max_bitrate);
    read("*CQX 4\n");  // any other *CQ line is *CQ
    EXPECT_TRUE(given(kCq));
    EXPECT_FLOAT_EQ(v().cq, 4.0f);
    EXPECT_FALSE(v().cq_max_bitrate);
    read("*UNKNOWN 1\n BITRATE 9\n; *BITRATE 9\n");
    EXPECT_EQ(v().bitrate, 4000);
}

TEST_F(ParserTest, NumericFieldsRunFromTheirStartColumnToColumn80) {
    read("*BITRATE6000\n");  // column 9 is skipped: the field starts at column 10
    EXPECT_EQ(v().bitrate, 0);
    read("*CHAPTER2\n10\n20\n");  // *CHAPTER's field starts right after the keyword
    EXPECT_EQ(record->chapters.count, 2);
    record->clear_given();
    read(at_column("*BITRATE", 78, "123") + "\n");
    EXPECT_EQ(v().bitrate, 123);
    record->clear_given();
    read(at_column("*BITRATE", 81, "456") + "\n");
    EXPECT_FALSE(given(kBitrate));
    read("*BITRATE\t7000\n");  // a tab between keyword and value counts as a blank
    EXPECT_EQ(v().bitrate, 7000);
    read("*GOP 12,3\n");
    EXPECT_EQ(v().gop_length, 12);
    EXPECT_EQ(v().gop_b_frames, 3);
}

TEST_F(ParserTest, LimitsAndCorrections) {
    read("*FRAMES 500 100\n");
    EXPECT_EQ(v().first_frame, 500);
    EXPECT_EQ(v().last_frame, 500);
    read("*MASK_SHIFT 7 -3 5\n");
    EXPECT_EQ(v().mask_top, 6);
    EXPECT_EQ(v().mask_bottom, 0);
    EXPECT_EQ(v().mask_shift, 4);
    read("*MASK_SHIFT 2 2 -3\n");
    EXPECT_EQ(v().mask_shift, -4);
    read("*AUTOGOP 25\n");
    EXPECT_EQ(v().autogop, 18);
    read("*AUTOGOP 3\n");
    EXPECT_EQ(v().autogop, 12);
    read("*TIMECODE 30 70 -1 60\n");
    EXPECT_EQ(v().timecode, (std::array<int32_t, 4>{23, 59, 0, 59}));
    read("*MINBRFAC 3\n*BIAS 150\n*WAIT 120\n*LUMGAIN 9\n*AQ -1\n*AVSMEMORY 5000\n*DEADZONE 9 -2\n*CHROMADOWNSAMPLE 4\n");
    EXPECT_FLOAT_EQ(v().min_br_factor, 2.0f);
    EXPECT_EQ(v().bias, 100);
    EXPECT_EQ(v().wait_seconds, 99);
    EXPECT_EQ(v().luminance_gain, 4);
    EXPECT_EQ(v().aq, 0);
    EXPECT_EQ(v().avs_memory_mb, 1024);
    EXPECT_EQ(v().dead_zone_intra, 8);
    EXPECT_EQ(v().dead_zone_non_intra, 0);
    EXPECT_EQ(v().chroma_downsample, 1);
}

TEST_F(ParserTest, ThreeKeywordsAreMarkedBeforeTheirNumberIsRead) {
    read("*AUTOGOP abc\n*AVSMEMORY\n*COLOUR x\n");
    EXPECT_TRUE(given(kAutoGop));
    EXPECT_TRUE(given(kAvsMemory));
    EXPECT_TRUE(given(kColour));
    read("*COLOUR 3\n");
    EXPECT_FALSE(given(kColour));
    EXPECT_EQ(v().colour, 0);
    read("*COLOUR 9\n");
    EXPECT_TRUE(given(kColour));
    EXPECT_EQ(v().colour, 7);
}

TEST_F(ParserTest, WordsAreFoundByPositionThenByOrder) {
    read("*PROFILE best\n");
    EXPECT_EQ(v().profile, 4);
    read("*PROFILE BEST quality\n");
    EXPECT_EQ(v().profile, 4);
    read("*PROFILE GOOD\n");
    EXPECT_EQ(v().profile, 2);
    read("*ASPECT 2.21:1\n");  // found at its start, before the 1:1 inside it
    EXPECT_EQ(v().aspect, 4);
    read("*ASPECT 16:9\n");
    EXPECT_EQ(v().aspect, 3);
    read("*CPU AVX2\n");
    EXPECT_EQ(v().cpu, 7);
    read("*CPU avx\n");
    EXPECT_EQ(v().cpu, 6);
    read("*CPU SSSE3\n");
    EXPECT_EQ(v().cpu, 4);
    read("*CHROMAFORMAT 4:2:2\n");
    EXPECT_EQ(v().chroma_format, 2);
    read("*MPEGLEVEL MP@H-14\n");
    EXPECT_EQ(v().mpeg_level, 2);
    read("*PRIORITY normal\n");
    EXPECT_EQ(v().priority, 2);
    read("*PRIORITY whatever\n");
    EXPECT_EQ(v().priority, 0);
    read("*FRAMELOG         psnr\n");
    EXPECT_TRUE(v().psnr);
    read("*FRAMELOG\n");
    EXPECT_TRUE(given(kFrameLog));
    EXPECT_FALSE(v().psnr);
    // A word must start by the window's last start column.
    record->clear_given();
    read(at_column("*PROFILE", 77, "BEST") + "\n");
    EXPECT_FALSE(given(kProfile));
}

TEST_F(ParserTest, MatrixNames) {
    read("*MATRIX mpegstd\n");
    EXPECT_EQ(record->matrix_number, 99);
    read("*MATRIX qzlow\n");
    EXPECT_EQ(record->matrix_number, 12);
    read("*MATRIX hvsbetter\n");
    EXPECT_EQ(record->matrix_number, 8);
    record->clear_given();
    read("*MATRIX nosuchmatrix\n");
    EXPECT_EQ(record->matrix_number, 1);
    EXPECT_FALSE(given(kMatrix));
}

TEST_F(ParserTest, FlagsAndTheirRecordValues) {
    read("*1PASS\n*NOSMP\n*B3\n*TFF\n*BFF\n*PULLDOWN\n*PROG_SEQ\n*PROGRESSIVE\n");
    EXPECT_TRUE(v().one_pass_vbr);
    EXPECT_FALSE(v().multiprocessing);
    EXPECT_EQ(record->max_b_frames, 3);
    for (Keyword k : {kOnePass, kNoSmp, kB3, kTff, kBff, kPulldown, kProgSeq, kProgressive}) EXPECT_TRUE(given(k)) << k;
}

TEST_F(ParserTest, PathsKeepTheirCaseAndInnerBlanks) {
    files.existing = {"/Video/My Movie.AVS", "/out/x.m2v"};
    read("*INFILE   /Video/My Movie.AVS   \n*OUTFILE /out/x.m2v\n*LOGFILE /log/none.log\n*DBPATH\t/db/\n");
    EXPECT_EQ(record->input_file, "/Video/My Movie.AVS");
    EXPECT_TRUE(given(kInfile));
    EXPECT_TRUE(record->input_exists);
    EXPECT_TRUE(record->output_exists);
    EXPECT_EQ(record->log_file, "/log/none.log");
    EXPECT_TRUE(given(kLogfile));
    EXPECT_FALSE(record->log_exists);
    EXPECT_EQ(record->db_path, "/db/");
    EXPECT_EQ(report.input, InputOutcome::Accepted);

    // The first non-blank character must lie within 99 characters of the field.
    record->clear_given();
    read("*LLPATH " + std::string(98, ' ') + "/ok\n");
    EXPECT_TRUE(given(kLlPath));
    record->clear_given();
    read("*LLPATH " + std::string(99, ' ') + "/far\n");
    EXPECT_FALSE(given(kLlPath));
    read("*LLPATH\n");
    EXPECT_FALSE(given(kLlPath));
}

TEST_F(ParserTest, InputChecksDecideByTheLastInfileLine) {
    files.existing = {"/a.d2v", "/b.d2v", "/c.avs"};
    files.projects = {{"/a.d2v", InputOutcome::SourcesMissing}, {"/b.d2v", InputOutcome::VersionMismatch}};

    record->input_valid = true;
    read("*INFILE /a.d2v\n");
    EXPECT_EQ(report.input, InputOutcome::SourcesMissing);
    EXPECT_TRUE(report.input_rejected);
    EXPECT_EQ(record->input_file, "");
    EXPECT_FALSE(given(kInfile));
    EXPECT_FALSE(record->input_valid);

    read("*INFILE /b.d2v\n");
    EXPECT_EQ(report.input, InputOutcome::VersionMismatch);

    read("*INFILE /missing.avs\n");
    EXPECT_EQ(report.input, InputOutcome::NotFound);
    EXPECT_EQ(record->input_file, "/missing.avs");  // the name stays for the warning
    EXPECT_FALSE(given(kInfile));

    read("*INFILE /a.d2v\n*INFILE /c.avs\n");
    EXPECT_EQ(report.input, InputOutcome::Accepted);
    EXPECT_TRUE(report.input_rejected);
    EXPECT_TRUE(given(kInfile));

    read("*BITRATE 1\n");
    EXPECT_EQ(report.input, InputOutcome::NotNamed);
}

TEST_F(ParserTest, ListsReadAcrossLines) {
    read("*CHAPTER 3\n100 200\n\n300\n*BITRATE 6000\n");
    EXPECT_TRUE(given(kChapter));
    ASSERT_EQ(record->chapters.count, 3);
    EXPECT_EQ(record->chapters.frames[2], 300);
    EXPECT_EQ(v().bitrate, 6000);

    // What remains on a list's last line is skipped.
    read("*ZONE 1\n100 1.5 999 2.0\n*BITRATE 6100\n");
    EXPECT_TRUE(given(kZone));
    EXPECT_EQ(record->zones.count, 1);
    EXPECT_EQ(record->zones.zones[0].start_frame, 100);
    EXPECT_FLOAT_EQ(record->zones.zones[0].factor, 1.5f);
    EXPECT_EQ(v().bitrate, 6100);

    // A count of 0 still consumes the next line, whatever it holds.
    read("*ZONE 0\n*BITRATE 5000\n");
    EXPECT_TRUE(given(kZone));
    EXPECT_EQ(record->zones.count, 0);
    EXPECT_EQ(v().bitrate, 6100);

    // A pan-scan entry holding two numbers takes the third from the next line.
    read("*PANSCAN 540 576 2\n10 -20\n0\n30 40 0\n");
    EXPECT_TRUE(given(kPanScan));
    EXPECT_TRUE(record->panscan.on);
    EXPECT_EQ(v().aspect, 5);
    ASSERT_EQ(record->panscan.count, 2);
    EXPECT_EQ(record->panscan.entries[0].offset, -20);
    EXPECT_EQ(record->panscan.entries[1].frame, 30);
    EXPECT_EQ(record->panscan.display_width, 540);

    std::string matrix = "*CUSTOMMATRIX\n";
    for (int row = 0; row < 16; ++row) {
        for (int col = 0; col < 8; ++col) matrix += std::to_string(row * 8 + col + 1) + " ";
        matrix += "\n";
    }
    read(matrix);
    EXPECT_TRUE(given(kCustomMatrix));
    EXPECT_EQ(record->custom_matrix.intra[63], 64);
    EXPECT_EQ(record->custom_matrix.non_intra[0], 65);
    EXPECT_EQ(record->custom_matrix.non_intra[63], 128);
}

TEST_F(ParserTest, AFailedListKeepsWhatItReadAndNeverSwallowsAKeyword) {
    read("*CHAPTER 3\n100 200\n*BITRATE 6000\n");
    EXPECT_FALSE(given(kChapter));
    EXPECT_EQ(record->chapters.frames[1], 200);
    EXPECT_EQ(v().bitrate, 6000);

    record->clear_given();
    read("*CHAPTER 2\n100 x\n*BITRATE 6100\n");
    EXPECT_FALSE(given(kChapter));
    EXPECT_EQ(v().bitrate, 6100);

    record->clear_given();
    read("*CHAPTER 5\n1 2\n");  // the end of the file
    EXPECT_FALSE(given(kChapter));
    read("*ZONE 0");
    EXPECT_FALSE(given(kZone));

    read("*PANSCAN 540 576 2\n10 20 0\n");
    EXPECT_FALSE(given(kPanScan));
    EXPECT_FALSE(record->panscan.on);
}

TEST_F(ParserTest, ListCountsAreKeptWithinTheirCapacities) {
    std::string text = "*PANSCAN 540 576 6402\n";
    for (int i = 0; i < 6402; ++i) text += std::to_string(i) + " " + std::to_string(i % 100) + " 0\n";
    text += "*BITRATE 4321\n";
    read(text);
    EXPECT_EQ(record->panscan.count, 6400);
    EXPECT_EQ(record->panscan.entries[6399].frame, 6399);
    EXPECT_TRUE(given(kPanScan));
    EXPECT_EQ(v().bitrate, 4321);
    EXPECT_EQ(list_count_lines(report), std::vector<std::string>{"ini file lists 6402 PanScan entries, only the first 6400 loaded"});

    text = "*CHAPTER 640002\n";
    for (int i = 0; i < 640002; ++i) text += std::to_string(i) + "\n";
    text += "*ZONE 6401\n";
    for (int i = 0; i < 6401; ++i) text += std::to_string(i) + " 1.5\n";
    text += "*BITRATE 4322\n";
    read(text);
    EXPECT_EQ(record->chapters.count, 640000);
    EXPECT_EQ(record->chapters.frames[639999], 639999);
    EXPECT_TRUE(given(kChapter));
    EXPECT_EQ(record->zones.count, 6400);
    EXPECT_EQ(record->zones.zones[6399].start_frame, 6399);
    EXPECT_TRUE(given(kZone));
    EXPECT_EQ(v().bitrate, 4322);  // the entries beyond the capacity were read, not taken for keywords
    EXPECT_EQ(list_count_lines(report), (std::vector<std::string>{"ini file lists 640002 chapters, only the first 640000 loaded",
                                                                  "ini file lists 6401 zones, only the first 6400 loaded"}));

    read("*CHAPTER -5\n\n");
    EXPECT_EQ(record->chapters.count, 0);
    EXPECT_TRUE(given(kChapter));
    EXPECT_TRUE(list_count_lines(report).empty());
}

// A list that ends before its declared count keeps exactly the entries found: no phantom chapters
// at frame 0 nor zones "0 0.0" reach the pages, the saved file or the encoder.
TEST_F(ParserTest, AShortListKeepsOnlyTheEntriesFound) {
    read("*CHAPTER 3\n100\n*ZONE 3\n200 1.5\n300\n*PANSCAN 540 576 3\n10 -20 0\n*BITRATE 5000\n");
    ASSERT_EQ(record->chapters.count, 1);
    EXPECT_EQ(record->chapters.frames[0], 100);
    ASSERT_EQ(record->zones.count, 1);  // 300 has no factor: no zone
    EXPECT_EQ(record->zones.zones[0].start_frame, 200);
    EXPECT_FLOAT_EQ(record->zones.zones[0].factor, 1.5f);
    ASSERT_EQ(record->panscan.count, 1);
    EXPECT_EQ(record->panscan.entries[0].offset, -20);
    EXPECT_FALSE(given(kChapter));
    EXPECT_FALSE(given(kZone));
    EXPECT_FALSE(given(kPanScan));
    EXPECT_EQ(v().bitrate, 5000);
    EXPECT_EQ(list_count_lines(report), (std::vector<std::string>{"ini file declares 3 chapters, only 1 found",
                                                                  "ini file declares 3 zones, only 1 found",
                                                                  "ini file declares 3 PanScan entries, only 1 found"}));

    // A value that is no number, and the end of the file, end a list the same way.
    read("*ZONE 1\nx 1.0\n*CHAPTER 1\n");
    EXPECT_EQ(record->zones.count, 0);
    EXPECT_EQ(record->chapters.count, 0);
    EXPECT_EQ(list_count_lines(report), (std::vector<std::string>{"ini file declares 1 chapter, none found",
                                                                  "ini file declares 1 zone, none found"}));
}

TEST_F(ParserTest, LineEndsAndLongLines) {
    read("*BITRATE 6000\r\n*MAXBITRATE 9000\r\n");
    EXPECT_EQ(v().bitrate, 6000);
    EXPECT_EQ(v().max_bitrate, 9000);
    files.existing = {"/x.avs"};
    read("*INFILE /x.avs\r\n");
    EXPECT_EQ(record->input_file, "/x.avs");
    // Only the first 512 characters of a line count: a path is cut there.
    std::string long_path = "/" + std::string(600, 'p');
    read("*LOGFILE " + long_path + "\n*BITRATE 6200\n");
    EXPECT_EQ(record->log_file.size(), 500u);  // the path field is 500 characters
    EXPECT_EQ(v().bitrate, 6200);
}

}  // namespace
