// Line-by-line reading of the text files the program reads (settings files, D2V project heads).
// Every line is cut to its first 512 characters, as the formats define; a line end is LF or CR LF,
// and the last line needs none.
#pragma once

#include "platform/files.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qz::settings {

inline constexpr size_t kLineLength = 512;

class LineReader {
public:
    virtual ~LineReader() = default;
    // The next line without its line end, at most kLineLength characters. The view stays valid until
    // the next call. False at the end of the text or after a read error.
    virtual bool next(std::string_view& line) = 0;
    // A read error ended the text (never true for text in memory).
    virtual bool failed() const { return false; }
};

class TextLineReader final : public LineReader {
public:
    explicit TextLineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) override;

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// Reads an opened file in blocks; the caller owns (and closes) the file. A read that fails or goes past
// the file's size limit ends the text as failed (the file's status tells which).
class FileLineReader final : public LineReader {
public:
    explicit FileLineReader(platform::FileReader& file);
    bool next(std::string_view& line) override;
    bool failed() const override { return failed_; }

private:
    bool refill();

    platform::FileReader& file_;
    std::vector<char> block_;
    size_t pos_ = 0, end_ = 0;
    bool at_end_ = false, failed_ = false;
    std::string joined_;  // a line that crosses a block boundary
};

}  // namespace qz::settings
