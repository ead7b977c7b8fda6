#include "matrices/matrix_tables.h"

#include <algorithm>

namespace qz::matrices {

namespace {

// ---- Pairs fixed by their names: stored exactly as published ----

// The default intra matrix of ISO/IEC 13818-2 (row 2 holds 34 twice: 29 34 34 38).
constexpr Matrix kIsoIntra = {
    8,  16, 19, 22, 26, 27, 29, 34,  //
    16, 16, 22, 24, 27, 29, 34, 37,  //
    19, 22, 26, 27, 29, 34, 34, 38,  //
    22, 22, 26, 27, 29, 34, 37, 40,  //
    22, 26, 27, 29, 32, 35, 40, 48,  //
    26, 27, 29, 32, 35, 40, 48, 58,  //
    26, 27, 29, 34, 38, 46, 56, 69,  //
    27, 29, 35, 38, 46, 56, 69, 83,
};

constexpr Matrix kMpegNonIntra = {
    16, 17, 18, 19, 20, 21, 22, 23,  //
    17, 18, 19, 20, 21, 22, 23, 24,  //
    18, 19, 20, 21, 22, 23, 24, 25,  //
    19, 20, 21, 22, 23, 24, 26, 27,  //
    20, 21, 22, 23, 25, 26, 27, 28,  //
    21, 22, 23, 24, 26, 27, 28, 30,  //
    22, 23, 24, 26, 27, 28, 30, 31,  //
    23, 24, 25, 27, 28, 30, 31, 33,
};

constexpr Matrix kQlbIntra = {
    8,  16, 19, 22, 26, 27, 29, 34,  //
    16, 16, 22, 24, 27, 29, 34, 37,  //
    19, 22, 26, 27, 29, 34, 37, 39,  //
    22, 22, 26, 27, 29, 34, 38, 42,  //
    22, 26, 27, 29, 32, 36, 40, 50,  //
    26, 27, 29, 32, 36, 40, 50, 61,  //
    26, 27, 29, 35, 40, 50, 59, 75,  //
    27, 29, 35, 40, 50, 59, 75, 89,
};

constexpr Matrix kQlbNonIntra = {
    16, 17, 18, 19, 20, 21, 22, 23,  //
    17, 18, 19, 20, 21, 22, 23, 25,  //
    18, 19, 20, 21, 22, 23, 24, 26,  //
    19, 20, 21, 22, 23, 24, 26, 28,  //
    20, 21, 22, 23, 25, 26, 28, 29,  //
    21, 22, 23, 24, 26, 28, 29, 31,  //
    22, 23, 24, 26, 28, 29, 31, 34,  //
    23, 24, 25, 28, 29, 31, 34, 38,
};

constexpr Matrix kNotchIntra = {
    8,  9,  12, 22, 26, 27, 29, 34,  //
    9,  10, 14, 26, 27, 29, 34, 37,  //
    12, 14, 18, 27, 29, 34, 37, 38,  //
    22, 26, 27, 31, 36, 37, 38, 40,  //
    26, 27, 29, 36, 39, 38, 40, 48,  //
    27, 29, 34, 37, 38, 40, 48, 58,  //
    29, 34, 37, 38, 40, 48, 58, 69,  //
    34, 37, 38, 40, 48, 58, 69, 79,
};

constexpr Matrix kNotchNonIntra = {
    16, 18, 20, 22, 24, 26, 28, 30,  //
    18, 20, 22, 24, 26, 28, 30, 32,  //
    20, 22, 24, 26, 28, 30, 32, 34,  //
    22, 24, 26, 30, 32, 32, 34, 36,  //
    24, 26, 28, 32, 34, 34, 36, 38,  //
    26, 28, 30, 32, 34, 36, 38, 40,  //
    28, 30, 32, 34, 36, 38, 42, 42,  //
    30, 32, 34, 36, 38, 40, 42, 44,
};

constexpr Matrix kQzIntra = {
    8,  9,  13, 20, 23, 27, 29, 34,  //
    9,  11, 16, 23, 26, 29, 34, 39,  //
    12, 16, 21, 25, 28, 33, 39, 45,  //
    15, 20, 25, 28, 33, 38, 44, 52,  //
    19, 24, 28, 33, 38, 43, 51, 60,  //
    23, 27, 32, 38, 42, 49, 58, 68,  //
    27, 31, 37, 42, 48, 57, 67, 77,  //
    30, 36, 41, 47, 55, 65, 76, 87,
};

constexpr Matrix kQzNonIntra = {
    16, 16, 18, 20, 22, 24, 27, 30,  //
    16, 17, 19, 22, 24, 27, 30, 34,  //
    18, 19, 22, 24, 27, 30, 34, 39,  //
    20, 22, 24, 27, 30, 34, 39, 45,  //
    22, 24, 27, 30, 34, 39, 45, 52,  //
    24, 27, 30, 34, 39, 45, 52, 60,  //
    27, 30, 34, 39, 45, 52, 60, 69,  //
    30, 34, 39, 45, 52, 60, 69, 79,
};

constexpr Matrix filled(int32_t value) {
    Matrix m{};
    for (int32_t& v : m) v = value;
    return m;
}

constexpr Matrix kFlat16 = filled(16);

// ---- Pairs of our own design ----
//
// Every designed matrix is computed here at build time from a formula of the row r (vertical
// frequency) and column c (horizontal frequency), or from one of the published matrices above, so
// the formula is the definition. Values are rounded half up, and an intra matrix always gets the DC
// value 8. Three frequency measures are used, each 0 at the DC entry and 1 at (7,7):
//   diagonal(r, c)   = (r + c) / 14                     the zig-zag distance from DC
//   oblique_sq(r, c) = (r^2 + c^2 + r*c) / 147         squared radial frequency, stretched along the
//                                                       diagonals: the eye sees diagonal detail least
//   radial_sq(r, c)  = (r^2 + c^2) / 98                 plain squared radial frequency

constexpr double diagonal(int r, int c) { return (r + c) / 14.0; }
constexpr double oblique_sq(int r, int c) { return (r * r + c * c + r * c) / 147.0; }
constexpr double radial_sq(int r, int c) { return (r * r + c * c) / 98.0; }

constexpr int32_t round_half_up(double x) { return static_cast<int32_t>(x + 0.5); }

template <typename Shape>
constexpr Matrix from_shape(Shape shape) {
    Matrix m{};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) m[static_cast<size_t>(r * 8 + c)] = round_half_up(shape(r, c));
    return m;
}

constexpr Matrix as_intra(Matrix m) {
    m[0] = kIntraDc;
    return m;
}

constexpr double at(const Matrix& m, int r, int c) { return m[static_cast<size_t>(r * 8 + c)]; }

// Keeps the shape of `base` with `slope` times its rise above 16 (values below 16, only the intra
// DC entry here, count as 16): below 1 a flatter matrix for higher bitrates.
constexpr Matrix flattened(const Matrix& base, double slope) {
    return from_shape([&](int r, int c) { return 16.0 + (std::max(at(base, r, c), 16.0) - 16.0) * slope; });
}

// Multiplies `base` by 1 + k * diagonal^power: the higher frequencies are quantised progressively
// harder, for lower bitrates.
constexpr Matrix tilted(const Matrix& base, double k, int power) {
    return from_shape([&](int r, int c) {
        double d = 1.0;
        for (int i = 0; i < power; ++i) d *= diagonal(r, c);
        return at(base, r, c) * (1.0 + k * d);
    });
}

constexpr Matrix with_row_scaled(Matrix m, int row, double factor) {
    for (int c = 0; c < 8; ++c) {
        int32_t& v = m[static_cast<size_t>(row * 8 + c)];
        v = round_half_up(v * factor);
    }
    return m;
}

// TEAL1: the standard intra matrix with a non-intra matrix that follows the intra matrix's shape at
// half its rise above 16, so residual detail is weighted like picture detail but more gently.
constexpr MatrixPair kTeal1 = {kIsoIntra, flattened(kIsoIntra, 0.5)};

// KIRUN1CD: for very low bitrates (a whole film on one CD). The standard pair tilted linearly along
// the diagonal by up to 1.9x, so even middle frequencies give way: (7,7) becomes 158 intra, 63 non-intra.
constexpr MatrixPair kKirun1Cd = {as_intra(tilted(kIsoIntra, 0.9, 1)), tilted(kMpegNonIntra, 0.9, 1)};

// HVS family: a contrast-sensitivity curve 16 * (1 + a * oblique_sq), rising with the square of the
// frequency and faster along the diagonals. All three share the intra curve a = 1.6 (up to 42);
// HVSGOOD quantises row 7, the highest vertical frequencies, 1.25x harder, which saves bits on
// interlaced material where that row carries field-to-field motion more than detail. The non-intra
// curves grow flatter with the quality step: a = 1.0 (GOOD), 0.6 (BETTER), 0.3 (BEST).
constexpr Matrix hvs_curve(double a) {
    return from_shape([a](int r, int c) { return 16.0 * (1.0 + a * oblique_sq(r, c)); });
}
constexpr Matrix kHvsIntra = as_intra(hvs_curve(1.6));
constexpr MatrixPair kHvsGood = {with_row_scaled(kHvsIntra, 7, 1.25), hvs_curve(1.0)};
constexpr MatrixPair kHvsBetter = {kHvsIntra, hvs_curve(0.6)};
constexpr MatrixPair kHvsBest = {kHvsIntra, hvs_curve(0.3)};

// OLUMAT6 and OLUMAT7: for high bitrates. The standard pair (MPEG) kept in shape with its rise above
// 16 cut to 0.6 (OLUMAT6) and 0.4 (OLUMAT7), so fine detail is kept at the cost of more bits.
constexpr MatrixPair kOlumat6 = {as_intra(flattened(kIsoIntra, 0.6)), flattened(kMpegNonIntra, 0.6)};
constexpr MatrixPair kOlumat7 = {as_intra(flattened(kIsoIntra, 0.4)), flattened(kMpegNonIntra, 0.4)};

// QZLOW: the QZ pair for low bitrates, tilted by 1 + 0.6 * diagonal^2: the low frequencies stay as
// in QZ and the high ones rise up to 1.6x ((7,7) becomes 139 intra, 126 non-intra).
constexpr MatrixPair kQzLow = {as_intra(tilted(kQzIntra, 0.6, 2)), tilted(kQzNonIntra, 0.6, 2)};

// ELK family: the standard intra matrix at 0.75 of its rise above 16, shared by ELK2 and ELK3; ELK1
// quantises row 2 0.85x as hard, keeping more of the middle vertical detail. The non-intra matrices
// are the MPEG non-intra matrix at 0.75 (ELK1), 0.5 (ELK2) and 0 (ELK3, flat 16) of its rise: ELK3
// is the high-bitrate end of the family.
constexpr Matrix kElkIntra = as_intra(flattened(kIsoIntra, 0.75));
constexpr MatrixPair kElk1 = {with_row_scaled(kElkIntra, 2, 0.85), flattened(kMpegNonIntra, 0.75)};
constexpr MatrixPair kElk2 = {kElkIntra, flattened(kMpegNonIntra, 0.5)};
constexpr MatrixPair kElk3 = {kElkIntra, kFlat16};

// TIRENO family: built from nothing but the radial frequency, 16 + a * radial_sq intra and
// 16 + b * radial_sq non-intra, steeper with each step for lower bitrates: (a, b) = (40, 10),
// (60, 20), (90, 36); (7,7) becomes 56/26, 76/36 and 106/52.
constexpr Matrix radial_curve(double a) {
    return from_shape([a](int r, int c) { return 16.0 + a * radial_sq(r, c); });
}
constexpr MatrixPair kTireno1 = {as_intra(radial_curve(40)), radial_curve(10)};
constexpr MatrixPair kTireno2 = {as_intra(radial_curve(60)), radial_curve(20)};
constexpr MatrixPair kTireno3 = {as_intra(radial_curve(90)), radial_curve(36)};

constexpr MatrixPair kMpeg = {kIsoIntra, kMpegNonIntra};
constexpr MatrixPair kQlb = {kQlbIntra, kQlbNonIntra};
constexpr MatrixPair kNotch = {kNotchIntra, kNotchNonIntra};
constexpr MatrixPair kQz = {kQzIntra, kQzNonIntra};
constexpr MatrixPair kMpegStandard = {kIsoIntra, kFlat16};

constexpr std::array<BuiltInMatrix, kBuiltInMatrixCount> kBuiltIns = {{
    {1, "MPEG", "mpeg", "MPEG", &kMpeg},
    {2, "QLB", "qlb", "QLB", &kQlb},
    {3, "NOTCH", "notch", "NOTCH", &kNotch},
    {5, "TEAL1", "teal1", "TEAL1", &kTeal1},
    {4, "QZ", "qz", "QZ", &kQz},
    {12, "QZLOW", "qzlow", "QZLOW", &kQzLow},
    {6, "KIRUN1CD", "kirun1cd", "KIRUN1CD", &kKirun1Cd},
    {7, "HVSGOOD", "hvsgood", "HVSGOOD", &kHvsGood},
    {8, "HVSBETTER", "hvsbetter", "HVSBETTER", &kHvsBetter},
    {9, "HVSBEST", "hvsbest", "HVSBEST", &kHvsBest},
    {10, "OLUMAT6", "olumat6", "OLUMAT6", &kOlumat6},
    {11, "OLUMAT7", "olumat7", "OLUMAT7", &kOlumat7},
    {13, "ELK1", "elk1", "ELK1", &kElk1},
    {14, "ELK2", "elk2", "ELK2", &kElk2},
    {15, "ELK3", "elk3", "ELK3", &kElk3},
    {16, "TIRENO1", "tireno1", "TIRENO1", &kTireno1},
    {17, "TIRENO2", "tireno2", "TIRENO2", &kTireno2},
    {18, "TIRENO3", "tireno3", "TIRENO3", &kTireno3},
    {99, "MPEG STANDARD", "mpegstd", "MPEGSTD", &kMpegStandard},
}};

constexpr bool legal_matrix(const Matrix& m) {
    for (int32_t v : m)
        if (v < kMinMatrixValue || v > kMaxMatrixValue) return false;
    return true;
}

constexpr bool all_built_ins_legal() {
    for (const BuiltInMatrix& b : kBuiltIns)
        if (!legal_matrix(b.pair->intra) || !legal_matrix(b.pair->non_intra) || b.pair->intra[0] != kIntraDc)
            return false;
    return true;
}
static_assert(all_built_ins_legal(), "a built-in matrix pair left the legal range");

std::string_view caption_part(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kMatrixCaptionLength));
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

const BuiltInMatrix* find_number(int number) {
    for (const BuiltInMatrix& b : kBuiltIns)
        if (b.number == number) return &b;
    return nullptr;
}

}  // namespace

std::span<const BuiltInMatrix, kBuiltInMatrixCount> built_in_matrices() { return kBuiltIns; }

const MatrixPair* built_in_pair(int number) {
    const BuiltInMatrix* b = find_number(number);
    return b ? b->pair : nullptr;
}

std::optional<int> built_in_number_from_caption(std::string_view text) {
    std::string_view wanted = caption_part(text);
    for (const BuiltInMatrix& b : kBuiltIns)
        if (b.caption == wanted) return b.number;
    return std::nullopt;
}

int matrix_number_from_caption(std::string_view text) {
    return built_in_number_from_caption(text).value_or(kMpegMatrixNumber);
}

std::string_view matrix_file_name(int number) {
    const BuiltInMatrix* b = find_number(number);
    return b ? b->file_name : std::string_view{};
}

std::optional<int> matrix_number_from_reader_word(std::string_view word) {
    for (const BuiltInMatrix& b : kBuiltIns)
        if (b.reader_word == word) return b.number;
    return std::nullopt;
}

MatrixPair initial_custom_matrix() { return kMpegStandard; }

void initialise_custom_matrix(settings::Settings& settings) { settings.custom_matrix = initial_custom_matrix(); }

void make_legal(MatrixPair& pair) {
    for (Matrix* m : {&pair.intra, &pair.non_intra})
        for (int32_t& v : *m) v = std::clamp(v, kMinMatrixValue, kMaxMatrixValue);
    pair.intra[0] = kIntraDc;
}

bool is_legal(const MatrixPair& pair) {
    return legal_matrix(pair.intra) && legal_matrix(pair.non_intra) && pair.intra[0] == kIntraDc;
}

}  // namespace qz::matrices
