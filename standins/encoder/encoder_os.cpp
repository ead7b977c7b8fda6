#include "encoder_os.h"

#include "platform/platform.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace qz::encoder {

std::string executable_folder() {
    const std::string path = platform::executable_path();
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string system_error_text() { return std::strerror(errno); }

bool TemporaryFile::create(const std::string& final_path, std::string& error) {
    abandon();
    final_ = final_path;
    std::vector<char> name(final_path.begin(), final_path.end());
    const char suffix[] = ".partial.XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = system_error_text();
        return false;
    }
    ::fchmod(fd, 0644);
    temporary_ = name.data();
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        error = system_error_text();
        ::close(fd);
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    return true;
}

bool TemporaryFile::write(const void* data, size_t size, std::string& error) {
    if (!file_) {
        error = "file not open";
        return false;
    }
    errno = 0;
    if (size > 0 && std::fwrite(data, 1, size, file_) != size) {
        error = errno ? system_error_text() : std::string("write failed");
        return false;
    }
    return true;
}

bool TemporaryFile::commit(std::string& error) {
    if (!file_) {
        error = "file not open";
        return false;
    }
    errno = 0;
    const bool flushed = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    if (!flushed) error = system_error_text();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (flushed && !closed) error = system_error_text();
    if (!flushed || !closed) {
        abandon();
        return false;
    }
    if (std::rename(temporary_.c_str(), final_.c_str()) != 0) {
        error = system_error_text();
        abandon();
        return false;
    }
    temporary_.clear();
    return true;
}

void TemporaryFile::abandon() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool is_regular_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool same_file(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string apply_priority(int priority) {
    static const int kNiceness[4] = {19, 10, 0, -5};
    static const char* kNames[4] = {"idle", "low", "normal", "high"};
    if (priority < 0 || priority > 3) priority = 0;
    const int niceness = kNiceness[priority];
    const std::string name = kNames[priority];
    if (niceness == 0) return "priority " + name + ": niceness unchanged";
    if (::setpriority(PRIO_PROCESS, 0, niceness) != 0)
        return "priority " + name + ": niceness " + std::to_string(niceness) + " refused (" + system_error_text() +
               "), running unchanged";
    return "priority " + name + ": niceness " + std::to_string(niceness);
}

bool display_available() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");  // chosen on purpose (offscreen, ...)
    return (x && *x) || (wayland && *wayland) || (platform && *platform);
}

std::string request_shutdown() {
    const char* allowed = std::getenv("QZENC_ALLOW_SHUTDOWN");
    if (!allowed || std::strcmp(allowed, "1") != 0)
        return "shutdown requested, not carried out: QZENC_ALLOW_SHUTDOWN=1 is not set";
    char program[] = "systemctl";
    char command[] = "poweroff";
    char* argv[] = {program, command, nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0)
        return "shutdown requested, but systemctl could not be started";
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "shutdown requested and started";
    return "shutdown requested, but systemctl poweroff failed";
}

}  // namespace qz::encoder
