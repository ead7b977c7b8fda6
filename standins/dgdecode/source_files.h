// The MPEG files of a project read as one stream: VOB sets and split recordings continue from one
// file into the next, and index positions are (file, offset) pairs within that whole.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace qz::dgdecode {

class SourceFiles {
public:
    SourceFiles() = default;
    SourceFiles(const SourceFiles&) = delete;
    SourceFiles& operator=(const SourceFiles&) = delete;
    ~SourceFiles() { close(); }

    // Opens every file; false (with the file named in `error`) when one cannot be read.
    bool open(const std::vector<std::string>& paths, std::string& error);
    void close();

    int64_t total_size() const { return starts_.empty() ? 0 : starts_.back(); }
    // Where a file begins in the joined stream.
    int64_t start_of(int file) const { return starts_[size_t(file)]; }
    int64_t size_of(int file) const { return starts_[size_t(file) + 1] - starts_[size_t(file)]; }
    int file_count() const { return int(files_.size()); }
    // Reads up to `size` bytes at `position` of the joined stream, across file ends. Returns the
    // bytes read: 0 at the end, -1 on a read error.
    int64_t read(int64_t position, uint8_t* buffer, int64_t size);

private:
    std::vector<std::FILE*> files_;
    std::vector<int64_t> starts_;  // file_count + 1 values: each start, then the total
    int current_ = -1;             // the file whose read position is known
    int64_t current_offset_ = -1;
};

}  // namespace qz::dgdecode
