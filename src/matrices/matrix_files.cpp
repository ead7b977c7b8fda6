#include "matrices/matrix_files.h"

#include "platform/files.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace qz::matrices {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
// Large enough to tell every value that does not fit 32 bits, small enough never to overflow.
constexpr int64_t kMagnitudeCeiling = int64_t{1} << 40;
// 128 values in the text format take a few hundred bytes; a file far larger is no matrix file.
constexpr uint64_t kMaxMatrixFileBytes = 1u << 20;

bool is_line_end(char ch) { return ch == '\n' || ch == '\r'; }
bool is_separator(char ch) { return ch == ' ' || ch == '\t' || ch == ',' || ch == '\f' || ch == '\v' || is_line_end(ch); }
char lower(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

void append_value(std::string& out, int32_t value) {
    char field[16];
    int n = std::snprintf(field, sizeof field, "%4d", value);
    if (n >= 4 && field[0] != ' ') out += ' ';
    out += field;
}

MatrixFileStatus read_status(platform::ReadStatus status) {
    switch (status) {
        case platform::ReadStatus::Ok: return MatrixFileStatus::Ok;
        case platform::ReadStatus::NotFound:
        case platform::ReadStatus::CannotOpen: return MatrixFileStatus::OpenError;
        case platform::ReadStatus::NotRegularFile: return MatrixFileStatus::NotRegularFile;
        case platform::ReadStatus::TooLarge: return MatrixFileStatus::TooLarge;
        case platform::ReadStatus::ReadFailed: break;
    }
    return MatrixFileStatus::ReadError;
}

// The new content goes to the user's file only as a whole (platform/files.h): a failed write leaves
// the old file and never removes the chosen path.
MatrixFileStatus write_whole_file(const std::string& path, std::string_view bytes) {
    switch (platform::write_file_atomically(path, bytes)) {
        case platform::WriteStatus::Ok: return MatrixFileStatus::Ok;
        case platform::WriteStatus::TargetNotRegularFile: return MatrixFileStatus::TargetNotRegularFile;
        case platform::WriteStatus::CannotCreate: return MatrixFileStatus::WriteError;
        case platform::WriteStatus::DiskFull: return MatrixFileStatus::DiskFull;
        case platform::WriteStatus::WriteFailed:
        case platform::WriteStatus::ReplaceFailed: break;
    }
    return MatrixFileStatus::WriteFailed;
}

MatrixFileStatus read_cqm_file(const platform::FileContents& file, MatrixPair& pair) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(file.bytes.data());
    std::optional<MatrixPair> read = parse_cqm(std::span<const uint8_t>(bytes, file.bytes.size()));
    if (!read) return MatrixFileStatus::ReadError;
    pair = *read;
    return MatrixFileStatus::Ok;
}

MatrixFileStatus read_mtx_file(const platform::FileContents& file, MatrixPair& pair) {
    std::optional<MatrixPair> read = parse_mtx(file.bytes);
    if (!read) return MatrixFileStatus::ReadError;
    pair = *read;
    return MatrixFileStatus::Ok;
}

}  // namespace

MatrixFileFormat matrix_file_format(std::string_view path) {
    if (path.size() < 3) return MatrixFileFormat::Unknown;
    std::string ext;
    for (char ch : path.substr(path.size() - 3)) ext += lower(ch);
    if (ext == "mtx") return MatrixFileFormat::Mtx;
    if (ext == "cqm") return MatrixFileFormat::Cqm;
    return MatrixFileFormat::Unknown;
}

std::string_view matrix_file_message(MatrixFileStatus status) {
    switch (status) {
        case MatrixFileStatus::Ok: return {};
        case MatrixFileStatus::UnknownFormat: return "unknown format matrix file";
        case MatrixFileStatus::OpenError: return "error opening matrix file";
        case MatrixFileStatus::ReadError: return "error reading matrix file";
        case MatrixFileStatus::NotRegularFile: return "matrix file not read, not a regular file";
        case MatrixFileStatus::TooLarge: return "matrix file not read, larger than 1 MB";
        case MatrixFileStatus::TargetNotRegularFile: return "matrix file not written, not a regular file";
        case MatrixFileStatus::WriteError:
        case MatrixFileStatus::WriteFailed:
        case MatrixFileStatus::DiskFull: return "error writing matrix file";
    }
    return {};
}

std::string_view matrix_file_note(MatrixFileStatus status) {
    switch (status) {
        case MatrixFileStatus::WriteFailed: return "nothing on disk was changed";
        case MatrixFileStatus::DiskFull: return "nothing on disk was changed, the disk is full";
        default: return {};
    }
}

// ---- Text format reader ----

bool MtxParser::feed(std::string_view text) {
    for (char ch : text) {
        if (state_ == State::Done || state_ == State::Failed) break;
        take(ch);
    }
    return state_ != State::Done && state_ != State::Failed;
}

void MtxParser::take(char ch) {
    if (at_start_) {
        if (ch == kByteOrderMark[bom_matched_]) {
            if (++bom_matched_ == 3) at_start_ = false;
            return;
        }
        at_start_ = false;
        // A mark begun but not finished: those bytes belong to no integer.
        if (bom_matched_ > 0) {
            state_ = State::Failed;
            return;
        }
    }
    switch (state_) {
        case State::SkipLine:
            if (is_line_end(ch)) state_ = State::Between;
            return;
        case State::Between:
            if (is_separator(ch)) return;
            state_ = State::InToken;
            negative_ = false;
            has_digit_ = false;
            bad_char_ = false;
            magnitude_ = 0;
            if (ch == '+' || ch == '-') {
                negative_ = ch == '-';
                return;
            }
            break;
        case State::InToken:
            if (is_separator(ch)) {
                end_token(is_line_end(ch));
                return;
            }
            break;
        case State::Done:
        case State::Failed:
            return;
    }
    if (ch >= '0' && ch <= '9') {
        has_digit_ = true;
        magnitude_ = std::min(magnitude_ * 10 + (ch - '0'), kMagnitudeCeiling);
    } else {
        bad_char_ = true;
    }
}

void MtxParser::end_token(bool at_line_end) {
    int64_t value = negative_ ? -magnitude_ : magnitude_;
    if (!has_digit_ || bad_char_ || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        state_ = State::Failed;
        return;
    }
    Matrix& target = count_ < kMatrixValues ? pair_.intra : pair_.non_intra;
    target[static_cast<size_t>(count_ % kMatrixValues)] = static_cast<int32_t>(value);
    ++count_;
    if (count_ == 2 * kMatrixValues)
        state_ = State::Done;
    else if (count_ == kMatrixValues && !at_line_end)
        state_ = State::SkipLine;  // the non-intra values start on the next line
    else
        state_ = State::Between;
}

std::optional<MatrixPair> MtxParser::finish() {
    if (state_ == State::InToken) end_token(true);
    if (state_ != State::Done) return std::nullopt;
    return pair_;
}

std::optional<MatrixPair> parse_mtx(std::string_view text) {
    MtxParser parser;
    parser.feed(text);
    return parser.finish();
}

// ---- Text format writer ----

std::string format_mtx(const MatrixPair& pair) {
    std::string out;
    out.reserve(17 * 34);
    for (const Matrix* m : {&pair.intra, &pair.non_intra}) {
        if (m == &pair.non_intra) out += '\n';
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) append_value(out, (*m)[static_cast<size_t>(r * 8 + c)]);
            out += '\n';
        }
    }
    return out;
}

// ---- Binary format ----

std::optional<MatrixPair> parse_cqm(std::span<const uint8_t> bytes) {
    if (bytes.size() < kCqmBytes) return std::nullopt;
    MatrixPair pair;
    for (size_t i = 0; i < kMatrixValues; ++i) {
        pair.intra[i] = bytes[i];
        pair.non_intra[i] = bytes[kMatrixValues + i];
    }
    return pair;
}

std::array<uint8_t, kCqmBytes> format_cqm(const MatrixPair& pair) {
    std::array<uint8_t, kCqmBytes> bytes{};
    for (size_t i = 0; i < kMatrixValues; ++i) {
        bytes[i] = static_cast<uint8_t>(pair.intra[i] & 0xFF);
        bytes[kMatrixValues + i] = static_cast<uint8_t>(pair.non_intra[i] & 0xFF);
    }
    return bytes;
}

// ---- Files ----

MatrixFileStatus read_matrix_file(const std::string& path, MatrixPair& pair) {
    MatrixFileFormat format = matrix_file_format(path);
    if (format == MatrixFileFormat::Unknown) return MatrixFileStatus::UnknownFormat;
    platform::FileContents file = platform::read_regular_file(path, kMaxMatrixFileBytes);
    if (file.status != platform::ReadStatus::Ok) return read_status(file.status);
    return format == MatrixFileFormat::Cqm ? read_cqm_file(file, pair) : read_mtx_file(file, pair);
}

MatrixFileStatus write_mtx_file(const std::string& path, const MatrixPair& pair) {
    return write_whole_file(path, format_mtx(pair));
}

MatrixFileStatus write_cqm_file(const std::string& path, const MatrixPair& pair) {
    std::array<uint8_t, kCqmBytes> bytes = format_cqm(pair);
    return write_whole_file(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace qz::matrices
