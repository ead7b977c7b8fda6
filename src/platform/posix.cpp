// POSIX implementation of the platform services.
#include "platform/platform.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

extern char** environ;

namespace qz::platform {

std::string executable_path() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

char path_separator() { return '/'; }

bool file_exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directory_exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool copy_file(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0755);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < got;) {
            ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                ok = false;
                break;
            }
            done += put;
        }
        if (!ok) break;
    }
    ::close(in);
    if (::close(out) != 0) ok = false;
    if (!ok) ::unlink(to.c_str());
    return ok;
}

bool delete_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::optional<std::string> environment_variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

int online_processor_count() {
    long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    return n < 1 ? 1 : static_cast<int>(n);
}

CpuFeatureWords cpu_feature_words() {
    CpuFeatureWords words;
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(0, &a, &b, &c, &d)) words.max_leaf = a;
    if (words.max_leaf >= 1 && __get_cpuid(1, &a, &b, &c, &d)) {
        words.leaf1_ecx = c;
        words.leaf1_edx = d;
    }
    if (words.max_leaf >= 7) {
        __cpuid_count(7, 0, a, b, c, d);
        words.leaf7_ebx = b;
    }
#endif
    return words;
}

void sleep_ms(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

TimeOfDay local_time_of_day() {
    std::time_t now = std::time(nullptr);
    std::tm parts {};
    ::localtime_r(&now, &parts);
    return {parts.tm_hour, parts.tm_min, parts.tm_sec};
}

double monotonic_seconds() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(clock::now().time_since_epoch()).count();
}

LibraryHandle load_library(const std::string& name_or_path) {
    return ::dlopen(name_or_path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

LibraryHandle loaded_library(const std::string& name_or_path) {
    return ::dlopen(name_or_path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
}

void* library_symbol(LibraryHandle library, const char* name) {
    if (!library) return nullptr;
    return ::dlsym(library, name);
}

void unload_library(LibraryHandle library) {
    if (library) ::dlclose(library);
}

std::string library_file_path(LibraryHandle library, const char* any_symbol) {
    void* symbol = library_symbol(library, any_symbol);
    if (!symbol) return {};
    Dl_info info {};
    if (::dladdr(symbol, &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

std::string last_library_error() {
    const char* text = ::dlerror();
    return text ? std::string(text) : std::string();
}

std::optional<ProcessId> start_process(const std::string& program, const std::string& working_dir) {
    // Started in its own session so it is not tied to our terminal. A close-on-exec pipe tells the
    // parent whether exec succeeded, so a program that cannot be started is a failure here and not a
    // process that "ran" and exited with 127.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return std::nullopt;
    pid_t pid = ::fork();
    if (pid < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return std::nullopt;
    }
    if (pid == 0) {
        ::close(report[0]);
        ::setsid();
        int error = 0;
        if (!working_dir.empty() && ::chdir(working_dir.c_str()) != 0) {
            error = errno;
        } else {
            char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
            ::execve(program.c_str(), argv, environ);
            error = errno;
        }
        ssize_t ignored = ::write(report[1], &error, sizeof error);
        (void)ignored;
        ::_exit(127);
    }
    ::close(report[1]);
    int child_error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &child_error, sizeof child_error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got > 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return std::nullopt;
    }
    return static_cast<ProcessId>(pid);
}

ProcessResult wait_process(ProcessId pid) {
    ProcessResult result;
    result.started = true;
    int status = 0;
    for (;;) {
        pid_t done = ::waitpid(static_cast<pid_t>(pid), &status, 0);
        if (done >= 0) break;
        if (errno != EINTR) return result;
    }
    if (WIFEXITED(status)) {
        result.exited_normally = true;
        result.exit_code = WEXITSTATUS(status);
    }
    return result;
}

}  // namespace qz::platform
