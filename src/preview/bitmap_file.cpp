#include "preview/bitmap_file.h"

#include "platform/platform.h"

#include <cstdio>

namespace qz::preview {

std::string bitmap_file_name(int32_t frame) {
    char name[24];
    std::snprintf(name, sizeof name, "%06d.bmp", int(frame));
    return name;
}

std::string bitmap_file_path(std::string_view folder, int32_t frame) {
    std::string path(folder);
    const char separator = platform::path_separator();
    if (!path.empty() && path.back() != separator) path += separator;
    return path + bitmap_file_name(frame);
}

BitmapFileOutcome write_bitmap_file(const BitmapImage& image, const std::string& path, const FileWriter& write) {
    if (image.bytes().empty()) return BitmapFileOutcome::nothing_built;
    return write(path, image.bytes()) ? BitmapFileOutcome::written : BitmapFileOutcome::write_failed;
}

}  // namespace qz::preview
