// The few operating-system services the encoder needs beyond the program's platform layer: files
// written under a temporary name and renamed when complete, process niceness, whether a display
// exists, and the shutdown request.
#pragma once

#include <cstdio>
#include <string>

namespace qz::encoder {

// The folder of the running executable, with its trailing separator; empty when unknown.
std::string executable_folder();

// A file being written under a unique temporary name beside its final name. Nothing ever appears
// under the final name until commit() succeeds; a file that is abandoned is removed (it is ours).
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() { abandon(); }

    // Creates "<final>.partial.XXXXXX". False with the reason in `error`.
    bool create(const std::string& final_path, std::string& error);
    std::FILE* file() const { return file_; }
    const std::string& temporary_path() const { return temporary_; }
    const std::string& final_path() const { return final_; }

    // Writes everything or reports the first failure (a full disk, a size limit) in `error`.
    bool write(const void* data, size_t size, std::string& error);
    // Flushes, closes and renames over the final name. False with the reason in `error` (the
    // temporary is then removed).
    bool commit(std::string& error);
    // Closes and removes the temporary, if any.
    void abandon();

private:
    std::FILE* file_ = nullptr;
    std::string temporary_, final_;
};

// True when `path` names a regular file (or nothing follows a symbolic link to one).
bool is_regular_file(const std::string& path);

// True when both paths name one existing file.
bool same_file(const std::string& a, const std::string& b);

// The process's niceness for a priority word: 0 idle, 1 low, 2 normal, 3 high. The text describes
// what was done, for the log.
std::string apply_priority(int priority);

// True when a window could be shown: an X11 or Wayland display is named, or a Qt platform chosen.
bool display_available();

// Shuts the machine down when QZENC_ALLOW_SHUTDOWN=1 is set; otherwise only says why not.
std::string request_shutdown();

// The text of the last system error (errno), for log lines.
std::string system_error_text();

}  // namespace qz::encoder
