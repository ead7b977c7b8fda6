#include "source_files.h"

#include <algorithm>

namespace qz::dgdecode {

bool SourceFiles::open(const std::vector<std::string>& paths, std::string& error) {
    close();
    starts_.push_back(0);
    for (const std::string& path : paths) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            error = "cannot open the MPEG file " + path;
            close();
            return false;
        }
        files_.push_back(f);
        if (fseeko(f, 0, SEEK_END) != 0) {
            error = "cannot read the MPEG file " + path;
            close();
            return false;
        }
        off_t size = ftello(f);
        if (size < 0) {
            error = "cannot read the MPEG file " + path;
            close();
            return false;
        }
        starts_.push_back(starts_.back() + int64_t(size));
    }
    return true;
}

void SourceFiles::close() {
    for (std::FILE* f : files_) std::fclose(f);
    files_.clear();
    starts_.clear();
    current_ = -1;
    current_offset_ = -1;
}

int64_t SourceFiles::read(int64_t position, uint8_t* buffer, int64_t size) {
    if (position < 0 || files_.empty()) return position < 0 ? -1 : 0;
    int64_t done = 0;
    while (done < size && position < total_size()) {
        int file = int(std::upper_bound(starts_.begin(), starts_.end(), position) - starts_.begin()) - 1;
        int64_t offset = position - starts_[size_t(file)];
        int64_t left_in_file = starts_[size_t(file) + 1] - position;
        int64_t want = std::min(size - done, left_in_file);
        std::FILE* f = files_[size_t(file)];
        if (file != current_ || offset != current_offset_) {
            if (fseeko(f, off_t(offset), SEEK_SET) != 0) return done > 0 ? done : -1;
        }
        size_t got = std::fread(buffer + done, 1, size_t(want), f);
        current_ = file;
        current_offset_ = offset + int64_t(got);
        if (got == 0) {
            current_ = -1;
            return done > 0 ? done : (std::ferror(f) ? -1 : 0);
        }
        done += int64_t(got);
        position += int64_t(got);
    }
    return done;
}

}  // namespace qz::dgdecode
