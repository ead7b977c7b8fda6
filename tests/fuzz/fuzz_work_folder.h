// A folder of the fuzzer's own under $TMPDIR (or /tmp) for targets that read or write real files:
// made empty by this process, so all it holds was made by this process, and removed with its
// contents when the object goes. A crash or timeout ends the process without that, so the folder of
// the failing input stays behind for a look.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace qz::fuzz {

class WorkFolder {
public:
    explicit WorkFolder(const char* prefix) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "_XXXXXX";
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // Empty when the folder could not be made.
    const std::string& path() const { return path_; }

    // Writes `size` bytes as the file `name` in the folder; its full path, or empty on failure.
    std::string write(const std::string& name, const void* data, size_t size) const {
        if (path_.empty()) return {};
        std::string file_path = path_ + "/" + name;
        std::FILE* file = std::fopen(file_path.c_str(), "wb");
        if (!file) return {};
        bool written = std::fwrite(data, 1, size, file) == size;
        if (std::fclose(file) != 0 || !written) return {};
        return file_path;
    }

private:
    std::string path_;
};

}  // namespace qz::fuzz
