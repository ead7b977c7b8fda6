#include "encoder_log.h"

#include <cstdio>

namespace qz::encoder {

void EncoderLog::line(std::string_view text) {
    std::string out(text);
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stderr);
    if (file_.file()) {
        std::string error;
        // A log that cannot be written must not stop the encode; standard error still has it.
        if (!file_failed_ && (!file_.write(out.data(), out.size(), error) || std::fflush(file_.file()) != 0)) {
            file_failed_ = true;
            std::fprintf(stderr, "log file %s: %s\n", path_.c_str(), error.c_str());
        }
    } else {
        pending_ += out;
    }
}

bool EncoderLog::open(const std::string& path) {
    std::string error;
    path_ = path;
    if (!file_.create(path, error)) {
        std::fprintf(stderr, "can't create log file %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    file_failed_ = !file_.write(pending_.data(), pending_.size(), error);
    pending_.clear();
    return !file_failed_;
}

bool EncoderLog::close() {
    if (!file_.file()) return false;
    std::string error;
    if (!file_.commit(error)) {
        std::fprintf(stderr, "can't write log file %s: %s\n", path_.c_str(), error.c_str());
        return false;
    }
    return true;
}

}  // namespace qz::encoder
