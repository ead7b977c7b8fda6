// The operating-system services the logic may use. Everything the program needs from the OS goes
// through these functions, so the logic never calls the OS directly and another OS needs only a new
// implementation file beside posix.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qz::platform {

// Full path of the running executable, empty when it cannot be found.
std::string executable_path();

// The platform's path separator ('/' here).
char path_separator();

bool file_exists(const std::string& path);
bool directory_exists(const std::string& path);
// Copies `from` to `to`, replacing `to`. False when either side fails.
bool copy_file(const std::string& from, const std::string& to);
// Deletes a file; false when it did not exist or could not be removed.
bool delete_file(const std::string& path);

// An environment variable, or nothing when it is not set.
std::optional<std::string> environment_variable(const char* name);

// Processors online now (at least 1).
int online_processor_count();

// Raw processor feature words, as the identification instruction reports them.
struct CpuFeatureWords {
    uint32_t leaf1_ecx = 0;
    uint32_t leaf1_edx = 0;
    uint32_t leaf7_ebx = 0;
    uint32_t max_leaf = 0;
};
CpuFeatureWords cpu_feature_words();

void sleep_ms(int milliseconds);

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0;
};
TimeOfDay local_time_of_day();

// Seconds from an arbitrary fixed point; only differences mean anything.
double monotonic_seconds();

// Dynamic libraries. The handle is opaque; nullptr means failure.
using LibraryHandle = void*;
LibraryHandle load_library(const std::string& name_or_path);
// The library of that name when it is already loaded in the process (nothing is loaded otherwise);
// the handle counts as a load of its own and is given back with unload_library.
LibraryHandle loaded_library(const std::string& name_or_path);
void* library_symbol(LibraryHandle library, const char* name);
void unload_library(LibraryHandle library);
// Full path of the file a loaded library came from, empty when unknown.
std::string library_file_path(LibraryHandle library, const char* any_symbol);
// The last loader error text (for logs), empty when none.
std::string last_library_error();

// Processes. A program is started with no arguments from `working_dir`, detached from our
// terminal; wait_process blocks until it ends.
struct ProcessResult {
    bool started = false;
    bool exited_normally = false;  // false when killed by a signal
    int exit_code = -1;
};
using ProcessId = int64_t;
std::optional<ProcessId> start_process(const std::string& program, const std::string& working_dir);
ProcessResult wait_process(ProcessId pid);

}  // namespace qz::platform
