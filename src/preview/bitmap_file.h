// Bitmap files of preview frames: the name made from the frame number and the path in a folder. The
// file itself is written by whoever holds the bytes (a writer that writes a temporary file beside the
// target and renames it over), so a failed write never leaves half a bitmap under the name.
#pragma once

#include "preview/bitmap_image.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qz::preview {

// The frame number zero-padded to 6 digits, then ".bmp": frame 7 gives "000007.bmp", frame 1234
// "001234.bmp". Larger numbers keep all their digits ("1234567.bmp"), so every frame has its own name
// and no name is cut short.
std::string bitmap_file_name(int32_t frame);

// `folder` followed by the name; a separator is put between them unless the folder ends in one (an
// empty folder gives the bare name).
std::string bitmap_file_path(std::string_view folder, int32_t frame);

// Writes `bytes` to `path` as a whole file; false when that failed.
using FileWriter = std::function<bool(const std::string& path, std::span<const uint8_t> bytes)>;

enum class BitmapFileOutcome {
    written,
    nothing_built,  // the image is empty: no frame has been built
    write_failed,
};

// Hands the image's bytes to `write` under `path`.
BitmapFileOutcome write_bitmap_file(const BitmapImage& image, const std::string& path, const FileWriter& write);

}  // namespace qz::preview
