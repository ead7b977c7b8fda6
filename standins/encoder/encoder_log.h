// The encoder's log: every line goes to standard error at once and to the log file. Lines written
// before the log file is known (reading the settings file) are kept and written first. The log
// file is written under a temporary name and renamed when the run ends, like every file we write.
#pragma once

#include "encoder_os.h"

#include <string>
#include <string_view>

namespace qz::encoder {

class EncoderLog {
public:
    void line(std::string_view text);
    void warning(std::string_view text) { line("WARNING: " + std::string(text)); ++warnings_; }
    void error(std::string_view text) { line("ERROR: " + std::string(text)); ++errors_; }

    // Starts the log file `path` (under a temporary name); false when it cannot be created, in
    // which case the lines go on to standard error only.
    bool open(const std::string& path);
    // Renames the log file to its name. False when that failed.
    bool close();

    int warnings() const { return warnings_; }
    int errors() const { return errors_; }
    const std::string& path() const { return path_; }

private:
    TemporaryFile file_;
    std::string path_;
    std::string pending_;  // lines before the file was opened
    bool file_failed_ = false;
    int warnings_ = 0, errors_ = 0;
};

}  // namespace qz::encoder
