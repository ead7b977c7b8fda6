// The version resource of a Windows executable or library (a PE image), read portably: the fixed
// file version and the product name of the first language listed under \VarFileInfo\Translation.
// A file that is no PE image, or carries no version resource, gives nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qz::input {

// The product name is cut to this many characters.
inline constexpr size_t kMaxProductNameLength = 240;
// Larger files are not read for their version.
inline constexpr size_t kMaxVersionedFileBytes = size_t{256} << 20;

struct FileVersion {
    // From the fixed file information: the high and low words of the most and least significant
    // version double words.
    uint16_t major = 0, minor = 0, build = 0, revision = 0;
    bool has_product_name = false;
    std::string product_name;  // UTF-8; control characters shown as blanks
};

// Reads the version resource of a PE image held in memory. Never reads outside `image`; any
// inconsistency (offsets past the end, loops, truncated blocks) gives nothing or no product name.
std::optional<FileVersion> read_pe_version(std::span<const uint8_t> image);

// The same for a file; nothing when it cannot be read or is larger than kMaxVersionedFileBytes.
std::optional<FileVersion> read_file_version(const std::string& path);

// "product name:  NAME,  file version:  1.2.3.4", the report line of the information buttons.
std::string version_line(const FileVersion& version);

}  // namespace qz::input
