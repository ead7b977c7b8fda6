#include "ui/dialog_host.h"

namespace qz::ui {

std::string with_default_extension(const std::string& path, const std::string& extension) {
    if (path.empty() || extension.empty()) return path;
    size_t name_start = path.find_last_of("/\\");
    name_start = name_start == std::string::npos ? 0 : name_start + 1;
    if (path.find('.', name_start) != std::string::npos) return path;
    if (name_start == path.size()) return path;  // a folder, not a file name
    return path + "." + extension;
}

std::string folder_of(const std::string& path) {
    size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

}  // namespace qz::ui
