// Custom matrix pair files: the text format (mtx) and the 128-byte binary format (cqm). Both hold the
// intra matrix first, then the non-intra matrix, each 64 values row-major; nothing is zig-zagged.
// These functions know no program state: the import and export commands bring in the log and the
// Settings record.
#pragma once

#include "matrices/matrix_tables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qz::matrices {

enum class MatrixFileFormat { Mtx, Cqm, Unknown };

// The format by the name's last three characters, whatever their case ("x.MTX" is text).
MatrixFileFormat matrix_file_format(std::string_view path);

enum class MatrixFileStatus {
    Ok,
    UnknownFormat,
    OpenError,
    ReadError,
    NotRegularFile,        // a folder, FIFO or device chosen for reading
    TooLarge,              // far larger than any matrix file
    WriteError,            // the file could not be created
    TargetNotRegularFile,  // a folder, FIFO or device chosen for writing: left alone
    WriteFailed,           // writing failed; the old file stays as it was
    DiskFull,              // the disk filled up; the old file stays as it was
};

// The Message log line for a failure; empty for Ok.
std::string_view matrix_file_message(MatrixFileStatus status);
// The line that follows it when a write failed after it had begun, saying the old file is intact;
// empty otherwise.
std::string_view matrix_file_note(MatrixFileStatus status);

// Reads the text format as it comes, piece by piece, so a file of any size is read in bounded memory.
// Values are decimal integers (an optional sign, then digits) separated by blanks, tabs, commas or
// line ends (LF, CR LF or CR); blank lines are skipped and a UTF-8 byte order mark at the start is
// ignored. The intra matrix is the first 64 values. The non-intra matrix is the next 64 values counted
// from the line after the one holding the 64th intra value: whatever follows that value on its own
// line is ignored, and so is everything after the 128th value. A token that is not an integer, or does
// not fit 32 bits, fails the read.
class MtxParser {
public:
    // False once the parser needs no more input (the pair is complete, or the text failed).
    bool feed(std::string_view text);
    // The pair when 128 values were read without a bad token; the end of input is implied.
    std::optional<MatrixPair> finish();

private:
    enum class State { Between, InToken, SkipLine, Done, Failed };

    void take(char ch);
    void end_token(bool at_line_end);

    State state_ = State::Between;
    bool at_start_ = true;       // for the byte order mark
    int bom_matched_ = 0;
    // The token being read: sign, magnitude (saturated once it no longer fits), and whether it holds
    // a digit and nothing that is not a digit.
    bool negative_ = false;
    bool has_digit_ = false;
    bool bad_char_ = false;
    int64_t magnitude_ = 0;
    int count_ = 0;
    MatrixPair pair_;
};

std::optional<MatrixPair> parse_mtx(std::string_view text);

// 8 lines of 8 intra values, a blank line, 8 lines of 8 non-intra values; each value right-aligned in
// 4 characters, lines ended by LF. A value of 4 or more characters (never a legal one) gets a blank in
// front, so the values stay apart and the file still reads back.
std::string format_mtx(const MatrixPair& pair);

inline constexpr size_t kCqmBytes = 128;

// The first 128 bytes, each unsigned; nothing when there are fewer.
std::optional<MatrixPair> parse_cqm(std::span<const uint8_t> bytes);
// The low 8 bits of every value, intra first.
std::array<uint8_t, kCqmBytes> format_cqm(const MatrixPair& pair);

// Reads the file into `pair`, whose contents are left alone on any failure. No clamping: the values
// are exactly as read. Only a regular file of at most 1 MB is read.
MatrixFileStatus read_matrix_file(const std::string& path, MatrixPair& pair);
// Create or replace the file as a whole: a failed write leaves the old file as it was and removes
// nothing but its own temporary file.
MatrixFileStatus write_mtx_file(const std::string& path, const MatrixPair& pair);
MatrixFileStatus write_cqm_file(const std::string& path, const MatrixPair& pair);

}  // namespace qz::matrices
