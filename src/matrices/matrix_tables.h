// The quantiser matrix choices: nineteen built-in pairs by name and number, the custom pair's
// initial contents, and the legal range every pair sent to the encoder keeps.
// Every matrix here is 64 values in row-major order (row r, column c at r*8+c); nothing is zig-zagged.
#pragma once

#include "settings/settings_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qz::matrices {

using Matrix = std::array<int32_t, 64>;
using settings::MatrixPair;

inline constexpr int kMatrixValues = 64;
inline constexpr int32_t kMinMatrixValue = 1;
inline constexpr int32_t kMaxMatrixValue = 255;
inline constexpr int32_t kIntraDc = 8;  // the first intra value, fixed in use

inline constexpr int kCustomMatrixNumber = 0;
inline constexpr int kMpegMatrixNumber = 1;
inline constexpr int kMpegStandardMatrixNumber = 99;
inline constexpr int kBuiltInMatrixCount = 19;
// The combo's text is compared over this many characters, trailing blanks ignored.
inline constexpr size_t kMatrixCaptionLength = 20;

struct BuiltInMatrix {
    int number;                   // what the Settings record holds
    std::string_view caption;     // the combo item
    std::string_view file_name;   // the settings file's `*MATRIX` word as written (lower case)
    std::string_view reader_word; // the same word as the settings reader accepts it (upper case)
    const MatrixPair* pair;
};

// The nineteen built-in pairs in the order the Matrix page's combo lists them.
std::span<const BuiltInMatrix, kBuiltInMatrixCount> built_in_matrices();

// The built-in pair of `number` (1 to 18 or 99); nothing for any other number, custom included.
const MatrixPair* built_in_pair(int number);

// The number of the combo caption `text` (its first 20 characters, trailing blanks ignored);
// nothing when it names no built-in pair.
std::optional<int> built_in_number_from_caption(std::string_view text);
// As above, but a text that names nothing selects MPEG (1).
int matrix_number_from_caption(std::string_view text);

// The settings-file word of a built-in number, empty for any other number.
std::string_view matrix_file_name(int number);
// The built-in number the settings reader's upper-case word names; nothing for an unknown word.
std::optional<int> matrix_number_from_reader_word(std::string_view word);

// The custom pair a new Settings record starts with: the standard MPEG-2 default intra matrix and a
// flat non-intra matrix of 16 (the same values as MPEG STANDARD).
MatrixPair initial_custom_matrix();
void initialise_custom_matrix(settings::Settings& settings);

// Every value brought into 1 to 255, then the intra DC value set to 8: the pair is then legal.
void make_legal(MatrixPair& pair);
bool is_legal(const MatrixPair& pair);

}  // namespace qz::matrices
