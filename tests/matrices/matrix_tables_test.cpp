#include "matrices/matrix_tables.h"

#include "matrix_test_util.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace qz::matrices;
using namespace qz::matrices::test;

const Matrix kIsoDefaultIntra = matrix_from_rows(
    "8 16 19 22 26 27 29 34 / 16 16 22 24 27 29 34 37 / 19 22 26 27 29 34 34 38 / 22 22 26 27 29 34 37 40 / "
    "22 26 27 29 32 35 40 48 / 26 27 29 32 35 40 48 58 / 26 27 29 34 38 46 56 69 / 27 29 35 38 46 56 69 83");

enum : int { kMpeg = 1, kQlb, kNotch, kQz, kTeal1, kKirun1Cd, kHvsGood, kHvsBetter, kHvsBest, kOlumat6, kOlumat7,
             kQzLow, kElk1, kElk2, kElk3, kTireno1, kTireno2, kTireno3, kMpegStd = 99 };

int value_at(const Matrix& m, int r, int c) { return m[static_cast<size_t>(r * 8 + c)]; }

// Rows other than `row` equal, and `row` itself different in every column.
void expect_differ_only_in_row(const Matrix& a, const Matrix& b, int row) {
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            if (r == row)
                EXPECT_NE(value_at(a, r, c), value_at(b, r, c)) << "row " << r << " column " << c;
            else
                EXPECT_EQ(value_at(a, r, c), value_at(b, r, c)) << "row " << r << " column " << c;
        }
}

TEST(MatrixTables, ComboOrderNumbersAndNames) {
    const std::vector<std::string> captions = {"MPEG", "QLB", "NOTCH", "TEAL1", "QZ", "QZLOW", "KIRUN1CD",
                                               "HVSGOOD", "HVSBETTER", "HVSBEST", "OLUMAT6", "OLUMAT7", "ELK1",
                                               "ELK2", "ELK3", "TIRENO1", "TIRENO2", "TIRENO3", "MPEG STANDARD"};
    const std::vector<int> numbers = {1, 2, 3, 5, 4, 12, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 99};
    const std::vector<std::string> names = {"mpeg", "qlb", "notch", "teal1", "qz", "qzlow", "kirun1cd",
                                            "hvsgood", "hvsbetter", "hvsbest", "olumat6", "olumat7", "elk1",
                                            "elk2", "elk3", "tireno1", "tireno2", "tireno3", "mpegstd"};
    auto all = built_in_matrices();
    ASSERT_EQ(all.size(), 19u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].caption, captions[i]);
        EXPECT_EQ(all[i].number, numbers[i]);
        EXPECT_EQ(matrix_file_name(numbers[i]), names[i]);
        std::string word;
        for (char ch : names[i]) word += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(matrix_number_from_reader_word(word), numbers[i]) << word;
        EXPECT_EQ(matrix_number_from_caption(captions[i]), numbers[i]);
        EXPECT_EQ(built_in_pair(numbers[i]), all[i].pair);
    }
    for (int nothing : {0, 19, 50, 98, 100, -1}) {
        EXPECT_EQ(built_in_pair(nothing), nullptr) << nothing;
        EXPECT_TRUE(matrix_file_name(nothing).empty()) << nothing;
    }
    EXPECT_FALSE(matrix_number_from_reader_word("mpeg"));
    EXPECT_FALSE(matrix_number_from_reader_word("MPEG STANDARD"));
}

TEST(MatrixTables, CaptionsMatchWholeOverTwentyCharactersElseMpeg) {
    EXPECT_EQ(matrix_number_from_caption("QZ"), 4);
    EXPECT_EQ(matrix_number_from_caption("QZLOW"), 12);
    EXPECT_EQ(matrix_number_from_caption("MPEG STANDARD       "), 99);
    EXPECT_EQ(matrix_number_from_caption("HVSBEST" + std::string(13, ' ') + "tail beyond twenty"), 9);
    for (const char* nothing : {"", "MPEG STAND", "hvsbest", " QLB", "ELK", "TIRENO4"}) {
        EXPECT_FALSE(built_in_number_from_caption(nothing)) << nothing;
        EXPECT_EQ(matrix_number_from_caption(nothing), 1) << nothing;
    }
}

TEST(MatrixTables, PublishedPairsAreKeptExactly) {
    const Matrix flat = matrix_filled(16);
    EXPECT_EQ(pair_of(kMpeg).intra, kIsoDefaultIntra);
    EXPECT_EQ(pair_of(kMpeg).non_intra,
              matrix_from_rows("16 17 18 19 20 21 22 23 / 17 18 19 20 21 22 23 24 / 18 19 20 21 22 23 24 25 / "
                               "19 20 21 22 23 24 26 27 / 20 21 22 23 25 26 27 28 / 21 22 23 24 26 27 28 30 / "
                               "22 23 24 26 27 28 30 31 / 23 24 25 27 28 30 31 33"));
    EXPECT_EQ(pair_of(kQlb).intra,
              matrix_from_rows("8 16 19 22 26 27 29 34 / 16 16 22 24 27 29 34 37 / 19 22 26 27 29 34 37 39 / "
                               "22 22 26 27 29 34 38 42 / 22 26 27 29 32 36 40 50 / 26 27 29 32 36 40 50 61 / "
                               "26 27 29 35 40 50 59 75 / 27 29 35 40 50 59 75 89"));
    EXPECT_EQ(pair_of(kQlb).non_intra,
              matrix_from_rows("16 17 18 19 20 21 22 23 / 17 18 19 20 21 22 23 25 / 18 19 20 21 22 23 24 26 / "
                               "19 20 21 22 23 24 26 28 / 20 21 22 23 25 26 28 29 / 21 22 23 24 26 28 29 31 / "
                               "22 23 24 26 28 29 31 34 / 23 24 25 28 29 31 34 38"));
    EXPECT_EQ(pair_of(kNotch).intra,
              matrix_from_rows("8 9 12 22 26 27 29 34 / 9 10 14 26 27 29 34 37 / 12 14 18 27 29 34 37 38 / "
                               "22 26 27 31 36 37 38 40 / 26 27 29 36 39 38 40 48 / 27 29 34 37 38 40 48 58 / "
                               "29 34 37 38 40 48 58 69 / 34 37 38 40 48 58 69 79"));
    EXPECT_EQ(pair_of(kNotch).non_intra,
              matrix_from_rows("16 18 20 22 24 26 28 30 / 18 20 22 24 26 28 30 32 / 20 22 24 26 28 30 32 34 / "
                               "22 24 26 30 32 32 34 36 / 24 26 28 32 34 34 36 38 / 26 28 30 32 34 36 38 40 / "
                               "28 30 32 34 36 38 42 42 / 30 32 34 36 38 40 42 44"));
    EXPECT_EQ(pair_of(kQz).intra,
              matrix_from_rows("8 9 13 20 23 27 29 34 / 9 11 16 23 26 29 34 39 / 12 16 21 25 28 33 39 45 / "
                               "15 20 25 28 33 38 44 52 / 19 24 28 33 38 43 51 60 / 23 27 32 38 42 49 58 68 / "
                               "27 31 37 42 48 57 67 77 / 30 36 41 47 55 65 76 87"));
    EXPECT_EQ(pair_of(kQz).non_intra,
              matrix_from_rows("16 16 18 20 22 24 27 30 / 16 17 19 22 24 27 30 34 / 18 19 22 24 27 30 34 39 / "
                               "20 22 24 27 30 34 39 45 / 22 24 27 30 34 39 45 52 / 24 27 30 34 39 45 52 60 / "
                               "27 30 34 39 45 52 60 69 / 30 34 39 45 52 60 69 79"));
    EXPECT_EQ(pair_of(kTeal1).intra, kIsoDefaultIntra);
    EXPECT_EQ(pair_of(kElk3).non_intra, flat);
    EXPECT_EQ(pair_of(kMpegStd).intra, kIsoDefaultIntra);
    EXPECT_EQ(pair_of(kMpegStd).non_intra, flat);

    MatrixPair initial = initial_custom_matrix();
    EXPECT_EQ(initial.intra, kIsoDefaultIntra);
    EXPECT_EQ(initial.non_intra, flat);
}

TEST(MatrixTables, EveryPairIsLegalAndTheSharedIntraMatricesHold) {
    for (const BuiltInMatrix& b : built_in_matrices()) EXPECT_TRUE(is_legal(*b.pair)) << b.caption;

    EXPECT_EQ(pair_of(kHvsBetter).intra, pair_of(kHvsBest).intra);
    expect_differ_only_in_row(pair_of(kHvsGood).intra, pair_of(kHvsBetter).intra, 7);
    EXPECT_EQ(pair_of(kElk2).intra, pair_of(kElk3).intra);
    expect_differ_only_in_row(pair_of(kElk1).intra, pair_of(kElk2).intra, 2);

    // No two designed pairs came out the same.
    std::set<std::pair<Matrix, Matrix>> distinct;
    for (const BuiltInMatrix& b : built_in_matrices()) distinct.insert({b.pair->intra, b.pair->non_intra});
    EXPECT_EQ(distinct.size(), 19u);
}

// Each family is ordered the way its names promise: the low-bitrate members quantise the high
// frequencies harder than their base, the quality steps flatten.
TEST(MatrixTables, DesignedPairsFollowTheirPurpose) {
    auto at_least_everywhere = [](const Matrix& harder, const Matrix& softer) {
        for (size_t i = 1; i < 64; ++i)
            if (harder[i] < softer[i]) return false;
        return true;
    };
    auto corner = [](const MatrixPair& p) { return std::pair{value_at(p.intra, 7, 7), value_at(p.non_intra, 7, 7)}; };

    EXPECT_TRUE(at_least_everywhere(pair_of(kQzLow).intra, pair_of(kQz).intra));
    EXPECT_TRUE(at_least_everywhere(pair_of(kQzLow).non_intra, pair_of(kQz).non_intra));
    EXPECT_GT(corner(pair_of(kQzLow)), corner(pair_of(kQz)));
    EXPECT_TRUE(at_least_everywhere(pair_of(kKirun1Cd).intra, pair_of(kMpeg).intra));
    EXPECT_TRUE(at_least_everywhere(pair_of(kKirun1Cd).non_intra, pair_of(kMpeg).non_intra));
    EXPECT_GT(corner(pair_of(kKirun1Cd)), corner(pair_of(kMpeg)));

    for (auto [harder, softer] : {std::pair{kTireno3, kTireno2}, std::pair{kTireno2, kTireno1},
                                  std::pair{kOlumat6, kOlumat7}, std::pair{kMpeg, kOlumat6}}) {
        EXPECT_TRUE(at_least_everywhere(pair_of(harder).intra, pair_of(softer).intra)) << harder;
        EXPECT_TRUE(at_least_everywhere(pair_of(harder).non_intra, pair_of(softer).non_intra)) << harder;
        EXPECT_GT(corner(pair_of(harder)), corner(pair_of(softer))) << harder;
    }
    for (auto [harder, softer] : {std::pair{kHvsGood, kHvsBetter}, std::pair{kHvsBetter, kHvsBest},
                                  std::pair{kElk1, kElk2}, std::pair{kElk2, kElk3}}) {
        EXPECT_TRUE(at_least_everywhere(pair_of(harder).non_intra, pair_of(softer).non_intra)) << harder;
        EXPECT_GT(value_at(pair_of(harder).non_intra, 7, 7), value_at(pair_of(softer).non_intra, 7, 7)) << harder;
    }
}

TEST(MatrixTables, MakeLegalClampsThenFixesTheIntraDc) {
    MatrixPair p = initial_custom_matrix();
    p.intra[0] = 16;
    p.intra[5] = 0;
    p.intra[63] = 300;
    p.non_intra[0] = -7;
    p.non_intra[9] = 256;
    EXPECT_FALSE(is_legal(p));
    make_legal(p);
    EXPECT_TRUE(is_legal(p));
    EXPECT_EQ(p.intra[0], 8);
    EXPECT_EQ(p.intra[5], 1);
    EXPECT_EQ(p.intra[63], 255);
    EXPECT_EQ(p.non_intra[0], 1);
    EXPECT_EQ(p.non_intra[9], 255);
    EXPECT_EQ(p.non_intra[1], 16);
}

}  // namespace
