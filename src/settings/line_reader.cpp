#include "settings/line_reader.h"

#include <algorithm>
#include <cstring>

namespace qz::settings {

namespace {

constexpr size_t kBlockSize = 64 * 1024;

// Drops the CR of a CR LF line end, then cuts to the line length.
std::string_view shape_line(std::string_view whole) {
    if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
    return whole.substr(0, kLineLength);
}

}  // namespace

bool TextLineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = shape_line(text_.substr(pos_, end - pos_));
    pos_ = end + 1;
    return true;
}

FileLineReader::FileLineReader(platform::FileReader& file) : file_(file), block_(kBlockSize) {}

bool FileLineReader::refill() {
    if (at_end_) return false;
    size_t got = file_.read(block_.data(), block_.size());
    pos_ = 0;
    end_ = got;
    if (got == 0) {
        at_end_ = true;
        failed_ = file_.status() != platform::ReadStatus::Ok;
        return false;
    }
    return true;
}

bool FileLineReader::next(std::string_view& line) {
    if (failed_) return false;
    if (pos_ == end_ && !refill()) return false;
    const char* start = block_.data() + pos_;
    if (const void* nl = std::memchr(start, '\n', end_ - pos_)) {
        // The usual case: the whole line lies in the block.
        size_t length = static_cast<size_t>(static_cast<const char*>(nl) - start);
        pos_ += length + 1;
        line = shape_line(std::string_view(start, length));
        return true;
    }
    // The line runs past the block: keep its first characters (one more than the line length, so a
    // CR right after them is still recognised) and skip the rest up to the line end.
    joined_.clear();
    size_t total = 0;
    bool last_was_cr = false;
    for (;;) {
        if (pos_ == end_ && !refill()) {
            if (failed_) return false;
            break;
        }
        const char* from = block_.data() + pos_;
        size_t available = end_ - pos_;
        const void* nl = std::memchr(from, '\n', available);
        size_t length = nl ? static_cast<size_t>(static_cast<const char*>(nl) - from) : available;
        if (joined_.size() <= kLineLength) joined_.append(from, std::min(length, kLineLength + 1 - joined_.size()));
        if (length > 0) last_was_cr = from[length - 1] == '\r';
        total += length;
        pos_ += length;
        if (nl) {
            ++pos_;
            break;
        }
    }
    std::string_view kept(joined_);
    if (last_was_cr && total == kept.size()) kept.remove_suffix(1);  // the CR of a CR LF line end
    line = kept.substr(0, kLineLength);
    return true;
}

}  // namespace qz::settings
