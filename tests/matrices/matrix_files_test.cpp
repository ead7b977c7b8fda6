#include "matrices/matrix_files.h"

#include "matrix_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace qz::matrices;
using namespace qz::matrices::test;
namespace fs = std::filesystem;

std::string data_file(const std::string& name) {
    return std::string(QZ_TEST_DATA) + "/matrices/" + name;
}

std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A pair whose every value is different, so a swapped or shifted value shows.
MatrixPair numbered_pair() {
    MatrixPair p;
    for (size_t i = 0; i < 64; ++i) {
        p.intra[i] = static_cast<int32_t>(i + 1);
        p.non_intra[i] = static_cast<int32_t>(i + 101);
    }
    return p;
}

std::string values_text(int first, int count, const char* separator) {
    std::string s;
    for (int v = first; v < first + count; ++v) s += std::to_string(v) + (v + 1 < first + count ? separator : "");
    return s;
}

struct MatrixFilesTest : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qz_matrix_files_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }
};

TEST(MtxText, WriterKeepsTheGoldenLayout) {
    const std::string golden = read_text(data_file("mpeg.mtx"));
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(format_mtx(*built_in_pair(1)), golden);
    EXPECT_EQ(parse_mtx(golden).value().intra, built_in_pair(1)->intra);
}

TEST(MtxText, NonIntraValuesStartOnTheLineAfterTheSixtyFourthValue) {
    const MatrixPair expected = numbered_pair();
    // 64 on one line, 64 on the next.
    auto two_lines = parse_mtx(values_text(1, 64, " ") + "\n" + values_text(101, 64, " ") + "\n");
    ASSERT_TRUE(two_lines);
    EXPECT_EQ(two_lines->intra, expected.intra);
    EXPECT_EQ(two_lines->non_intra, expected.non_intra);
    // All 128 on one line: the rest of the 64th value's line is skipped, so the file runs short.
    EXPECT_FALSE(parse_mtx(values_text(1, 64, " ") + " " + values_text(101, 64, " ") + "\n"));
    // One value per line, blank lines anywhere, no final line end, and anything after the 128th value.
    auto one_per_line = parse_mtx("\n\n" + values_text(1, 64, "\n") + "\n\n\n" + values_text(101, 64, "\n\n") +
                                  " trailing words, not numbers");
    ASSERT_TRUE(one_per_line);
    EXPECT_EQ(one_per_line->non_intra, expected.non_intra);
    // The 64th value ending its line with CR alone still lets the next line count.
    EXPECT_TRUE(parse_mtx(values_text(1, 64, " ") + "\r" + values_text(101, 64, " ")));
}

TEST(MtxText, BadTokensAndShortFilesFail) {
    const std::string good_tail = "\n" + values_text(101, 64, " ");
    for (const std::string& bad_intra : {values_text(1, 63, " ") + " 12a", values_text(1, 63, " ") + " 1.5",
                                         values_text(1, 63, " ") + " 99999999999", values_text(1, 63, " ") + " -",
                                         values_text(1, 63, " ") + " +-4", std::string("\xEF\xBB") + values_text(1, 64, " ")}) {
        EXPECT_FALSE(parse_mtx(bad_intra + good_tail)) << bad_intra;
    }
    EXPECT_FALSE(parse_mtx(""));
    EXPECT_FALSE(parse_mtx(values_text(1, 64, " ")));
    EXPECT_FALSE(parse_mtx(values_text(1, 64, " ") + "\n" + values_text(101, 63, " ")));
    EXPECT_FALSE(parse_mtx(values_text(1, 64, " ") + "\n" + values_text(101, 63, " ") + " x12"));
}

TEST(MtxText, ValuesAreKeptAsReadWithTheirSign) {
    std::string text = "\xEF\xBB\xBF" "0 300 -5 +7 2147483647 -2147483648 " + values_text(7, 58, ",") + "\n" +
                       values_text(101, 64, "\t");
    auto read = parse_mtx(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->intra[0], 0);
    EXPECT_EQ(read->intra[1], 300);
    EXPECT_EQ(read->intra[2], -5);
    EXPECT_EQ(read->intra[3], 7);
    EXPECT_EQ(read->intra[4], 2147483647);
    EXPECT_EQ(read->intra[5], -2147483647 - 1);
    EXPECT_EQ(read->non_intra[63], 164);
}

TEST(MtxText, FedInPiecesReadsTheSame) {
    const std::string text = read_text(data_file("mixed_separators.mtx"));
    MtxParser parser;
    for (char ch : text) parser.feed(std::string_view(&ch, 1));
    auto read = parser.finish();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->intra, numbered_pair().intra);
    EXPECT_EQ(read->non_intra, numbered_pair().non_intra);
    EXPECT_EQ(parse_mtx(text)->non_intra, numbered_pair().non_intra);
}

TEST(MtxText, WiderValuesStayApartAndReadBack) {
    MatrixPair p = numbered_pair();
    p.intra[0] = 1000;
    p.intra[1] = -100;
    p.intra[2] = -100;
    p.non_intra[7] = 123456;
    std::string text = format_mtx(p);
    auto read = parse_mtx(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->intra, p.intra);
    EXPECT_EQ(read->non_intra, p.non_intra);
    // Legal values always keep the 32-character lines.
    EXPECT_EQ(format_mtx(numbered_pair()).size(), 17u * 33u - 32u);
}

TEST(CqmBinary, FirstHundredTwentyEightBytesUnsigned) {
    std::string bytes(200, '\x10');
    bytes[0] = '\x10';
    bytes[63] = '\xFF';
    bytes[64] = '\x00';
    auto read = parse_cqm(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->intra[0], 16);
    EXPECT_EQ(read->intra[63], 255);
    EXPECT_EQ(read->non_intra[0], 0);
    EXPECT_FALSE(parse_cqm(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), 127)));

    MatrixPair wide = numbered_pair();
    wide.intra[0] = 0x1FF;
    EXPECT_EQ(format_cqm(wide)[0], 0xFF);
    EXPECT_EQ(format_cqm(wide)[64], 101);
}

TEST(MatrixFileFormatTest, ByTheLastThreeCharactersWhateverTheCase) {
    EXPECT_EQ(matrix_file_format("/a/b.mtx"), MatrixFileFormat::Mtx);
    EXPECT_EQ(matrix_file_format("/a/B.MTX"), MatrixFileFormat::Mtx);
    EXPECT_EQ(matrix_file_format("c.CqM"), MatrixFileFormat::Cqm);
    EXPECT_EQ(matrix_file_format("c.txt"), MatrixFileFormat::Unknown);
    EXPECT_EQ(matrix_file_format("tx"), MatrixFileFormat::Unknown);
    EXPECT_EQ(matrix_file_format(""), MatrixFileFormat::Unknown);
}

TEST_F(MatrixFilesTest, EveryBuiltInPairRoundTripsThroughBothFormats) {
    for (const BuiltInMatrix& b : built_in_matrices()) {
        for (const char* name : {"pair.mtx", "pair.cqm"}) {
            const std::string file = path(name);
            MatrixFileStatus written = matrix_file_format(file) == MatrixFileFormat::Mtx ? write_mtx_file(file, *b.pair)
                                                                                         : write_cqm_file(file, *b.pair);
            ASSERT_EQ(written, MatrixFileStatus::Ok) << b.caption << " " << name;
            MatrixPair read;
            ASSERT_EQ(read_matrix_file(file, read), MatrixFileStatus::Ok) << b.caption << " " << name;
            EXPECT_EQ(read.intra, b.pair->intra) << b.caption << " " << name;
            EXPECT_EQ(read.non_intra, b.pair->non_intra) << b.caption << " " << name;
        }
    }
    EXPECT_EQ(fs::file_size(path("pair.cqm")), 128u);
    // Writing over a longer file leaves exactly the new content.
    write_bytes(path("long.mtx"), std::string(5000, '9'));
    ASSERT_EQ(write_mtx_file(path("long.mtx"), numbered_pair()), MatrixFileStatus::Ok);
    EXPECT_EQ(read_text(path("long.mtx")), format_mtx(numbered_pair()));
}

TEST_F(MatrixFilesTest, FailuresLeaveThePairAndSayWhy) {
    const MatrixPair before = numbered_pair();
    auto expect_failure = [&](const std::string& file, MatrixFileStatus status, const char* message) {
        MatrixPair pair = before;
        EXPECT_EQ(read_matrix_file(file, pair), status) << file;
        EXPECT_EQ(matrix_file_message(status), message);
        EXPECT_EQ(pair.intra, before.intra) << file;
        EXPECT_EQ(pair.non_intra, before.non_intra) << file;
    };
    write_bytes(path("matrix.txt"), format_mtx(*built_in_pair(2)));
    expect_failure(path("matrix.txt"), MatrixFileStatus::UnknownFormat, "unknown format matrix file");
    expect_failure(path("missing.cqm"), MatrixFileStatus::OpenError, "error opening matrix file");
    expect_failure(path("missing.mtx"), MatrixFileStatus::OpenError, "error opening matrix file");
    write_bytes(path("short.cqm"), std::string(127, '\x10'));
    expect_failure(path("short.cqm"), MatrixFileStatus::ReadError, "error reading matrix file");
    write_bytes(path("one_line.mtx"), values_text(1, 128, " ") + "\n");
    expect_failure(path("one_line.mtx"), MatrixFileStatus::ReadError, "error reading matrix file");
    write_bytes(path("empty.mtx"), "");
    expect_failure(path("empty.mtx"), MatrixFileStatus::ReadError, "error reading matrix file");
    fs::create_directories(path("folder.mtx"));
    expect_failure(path("folder.mtx"), MatrixFileStatus::NotRegularFile, "matrix file not read, not a regular file");
    write_bytes(path("huge.cqm"), std::string((1u << 20) + 1, '\x10'));
    expect_failure(path("huge.cqm"), MatrixFileStatus::TooLarge, "matrix file not read, larger than 1 MB");

    EXPECT_EQ(write_mtx_file(path("no/such/folder/x.mtx"), before), MatrixFileStatus::WriteError);
    EXPECT_EQ(write_cqm_file(path("folder.mtx"), before), MatrixFileStatus::TargetNotRegularFile);
    EXPECT_EQ(matrix_file_message(MatrixFileStatus::WriteError), "error writing matrix file");
}

TEST_F(MatrixFilesTest, UpperCaseNamesAndOutOfRangeValuesReadAsGiven) {
    write_bytes(path("LOUD.MTX"), "0 " + values_text(2, 62, " ") + " 300\n" + values_text(101, 64, " "));
    MatrixPair pair;
    ASSERT_EQ(read_matrix_file(path("LOUD.MTX"), pair), MatrixFileStatus::Ok);
    EXPECT_EQ(pair.intra[0], 0);
    EXPECT_EQ(pair.intra[63], 300);
}

}  // namespace
