#include "input/pe_version.h"

#include "platform/files.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace qz::input {

namespace {

constexpr uint32_t kVersionResourceType = 16;  // RT_VERSION
constexpr uint32_t kSubdirectoryFlag = 0x80000000u;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BDu;
constexpr size_t kFixedInfoBytes = 52;
constexpr size_t kDataDirectoryResource = 2;

// Little-endian reads that fail instead of reading past the end.
class Bytes {
public:
    Bytes() = default;
    explicit Bytes(std::span<const uint8_t> data) : data_(data) {}

    size_t size() const { return data_.size(); }
    bool has(size_t offset, size_t length) const { return offset <= data_.size() && length <= data_.size() - offset; }

    bool u16(size_t offset, uint16_t& out) const {
        if (!has(offset, 2)) return false;
        out = static_cast<uint16_t>(data_[offset] | data_[offset + 1] << 8);
        return true;
    }
    bool u32(size_t offset, uint32_t& out) const {
        if (!has(offset, 4)) return false;
        out = static_cast<uint32_t>(data_[offset]) | static_cast<uint32_t>(data_[offset + 1]) << 8 |
              static_cast<uint32_t>(data_[offset + 2]) << 16 | static_cast<uint32_t>(data_[offset + 3]) << 24;
        return true;
    }
    // The bytes from `offset` on, at most `length` of them; `offset` must be inside (or at the end).
    Bytes from(size_t offset, size_t length) const {
        if (offset > data_.size()) return {};
        return Bytes(data_.subspan(offset, std::min(length, data_.size() - offset)));
    }

private:
    std::span<const uint8_t> data_;
};

// The PE headers, enough to find the resource directory and turn addresses into file bytes.
class PeImage {
public:
    bool open(Bytes file) {
        file_ = file;
        uint16_t mz = 0;
        uint32_t pe_offset = 0, signature = 0;
        if (!file.u16(0, mz) || mz != 0x5A4D || !file.u32(0x3C, pe_offset)) return false;
        if (!file.u32(pe_offset, signature) || signature != 0x00004550) return false;
        const size_t coff = size_t{pe_offset} + 4;
        uint16_t optional_size = 0, magic = 0;
        if (!file.u16(coff + 2, section_count_) || !file.u16(coff + 16, optional_size)) return false;
        const size_t optional = coff + 20;
        if (!file.u16(optional, magic)) return false;
        size_t count_field = 0;
        if (magic == 0x10B) count_field = 92;        // PE32
        else if (magic == 0x20B) count_field = 108;  // PE32+
        else return false;
        uint32_t directory_count = 0;
        if (!file.u32(optional + count_field, directory_count) || directory_count <= kDataDirectoryResource)
            return false;
        const size_t resource_field = count_field + 4 + 8 * kDataDirectoryResource;
        if (resource_field + 8 > optional_size) return false;
        if (!file.u32(optional + resource_field, resource_rva_) || resource_rva_ == 0) return false;
        sections_ = optional + optional_size;
        return true;
    }

    uint32_t resource_rva() const { return resource_rva_; }

    // The file bytes from a relative virtual address to the end of its section's stored data; empty
    // when no section stores that address.
    Bytes at_rva(uint32_t rva) const {
        for (size_t i = 0; i < section_count_; ++i) {
            const size_t header = sections_ + 40 * i;
            uint32_t virtual_size = 0, virtual_address = 0, raw_size = 0, raw_offset = 0;
            if (!file_.u32(header + 8, virtual_size) || !file_.u32(header + 12, virtual_address) ||
                !file_.u32(header + 16, raw_size) || !file_.u32(header + 20, raw_offset))
                return {};
            const uint32_t extent = virtual_size ? virtual_size : raw_size;
            if (rva < virtual_address || rva - virtual_address >= extent) continue;
            const uint32_t delta = rva - virtual_address;
            if (delta >= raw_size) return {};  // uninitialised data: not in the file
            const size_t offset = size_t{raw_offset} + delta;
            if (!file_.has(offset, 0)) return {};
            return file_.from(offset, raw_size - delta);
        }
        return {};
    }

private:
    Bytes file_;
    uint16_t section_count_ = 0;
    size_t sections_ = 0;
    uint32_t resource_rva_ = 0;
};

// The data field of a resource directory's entry with identifier `id`, or of its first entry when
// `id` is negative.
std::optional<uint32_t> directory_entry(Bytes resources, size_t directory, long id) {
    uint16_t named = 0, numbered = 0;
    if (!resources.u16(directory + 12, named) || !resources.u16(directory + 14, numbered)) return std::nullopt;
    const size_t count = size_t{named} + numbered;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = directory + 16 + 8 * i;
        uint32_t name = 0, data = 0;
        if (!resources.u32(entry, name) || !resources.u32(entry + 4, data)) return std::nullopt;
        if (id < 0 || (!(name & kSubdirectoryFlag) && name == static_cast<uint32_t>(id))) return data;
    }
    return std::nullopt;
}

// The bytes of the first version resource: type 16, then its first name and first language.
Bytes version_resource(const PeImage& image) {
    Bytes resources = image.at_rva(image.resource_rva());
    size_t directory = 0;
    for (long id : {static_cast<long>(kVersionResourceType), -1L}) {
        std::optional<uint32_t> data = directory_entry(resources, directory, id);
        if (!data || !(*data & kSubdirectoryFlag)) return {};
        directory = *data & ~kSubdirectoryFlag;
    }
    std::optional<uint32_t> leaf = directory_entry(resources, directory, -1);
    if (!leaf || (*leaf & kSubdirectoryFlag)) return {};
    uint32_t data_rva = 0, data_size = 0;
    if (!resources.u32(*leaf, data_rva) || !resources.u32(*leaf + 4, data_size)) return {};
    return image.at_rva(data_rva).from(0, data_size);
}

size_t align4(size_t offset) { return (offset + 3) & ~size_t{3}; }

// One block of the version resource: length, value length, type, a UTF-16 key, the value, children.
struct Block {
    size_t start = 0, end = 0;
    uint16_t type = 0;
    size_t key = 0, key_units = 0;
    size_t value = 0, value_bytes = 0;
    size_t children = 0;
};

std::optional<Block> read_block(Bytes v, size_t start, size_t limit) {
    uint16_t length = 0, value_length = 0;
    Block b;
    if (start > limit || !v.u16(start, length) || !v.u16(start + 2, value_length) || !v.u16(start + 4, b.type))
        return std::nullopt;
    if (length < 6 || length > limit - start) return std::nullopt;
    b.start = start;
    b.end = start + length;
    b.key = start + 6;
    for (size_t p = b.key;; p += 2) {
        uint16_t unit = 0;
        if (p + 2 > b.end || !v.u16(p, unit)) return std::nullopt;
        if (unit == 0) {
            b.value = align4(p + 2);
            break;
        }
        ++b.key_units;
    }
    b.value_bytes = b.type == 1 ? size_t{value_length} * 2 : value_length;  // text values count characters
    b.children = align4(b.value + b.value_bytes);
    return b;
}

bool key_is(Bytes v, const Block& b, std::string_view key) {
    if (b.key_units != key.size()) return false;
    for (size_t i = 0; i < key.size(); ++i) {
        uint16_t unit = 0;
        v.u16(b.key + 2 * i, unit);
        auto lower = [](uint32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(unit) != lower(static_cast<unsigned char>(key[i]))) return false;
    }
    return true;
}

// Calls `visit` for each child block until it returns false or a child does not fit.
template <typename Visit>
void for_each_child(Bytes v, const Block& parent, Visit visit) {
    for (size_t p = parent.children; p < parent.end;) {
        std::optional<Block> child = read_block(v, p, parent.end);
        if (!child || !visit(*child)) return;
        p = align4(child->end);
    }
}

std::optional<Block> child_named(Bytes v, const Block& parent, std::string_view key) {
    std::optional<Block> found;
    for_each_child(v, parent, [&](const Block& child) {
        if (key_is(v, child, key)) found = child;
        return !found;
    });
    return found;
}

void append_utf8(std::string& out, uint32_t c) {
    if (c < 0x20 || c == 0x7F) c = ' ';  // the name goes into a one-line report
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// A text value up to its terminating NUL or its block's end, at most kMaxProductNameLength characters.
std::string text_value(Bytes v, const Block& b) {
    std::string text;
    size_t characters = 0;
    for (size_t p = b.value; p + 2 <= b.end && characters < kMaxProductNameLength; p += 2, ++characters) {
        uint16_t unit = 0;
        if (!v.u16(p, unit) || unit == 0) break;
        uint32_t c = unit;
        uint16_t next = 0;
        if (unit >= 0xD800 && unit < 0xDC00 && p + 4 <= b.end && v.u16(p + 2, next) && next >= 0xDC00 &&
            next < 0xE000) {
            c = 0x10000 + ((uint32_t{unit} - 0xD800) << 10) + (next - 0xDC00u);
            p += 2;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            c = 0xFFFD;
        }
        append_utf8(text, c);
    }
    return text;
}

// The first language and code page of \VarFileInfo\Translation as the StringFileInfo table key.
std::optional<std::string> translation_key(Bytes v, const Block& root) {
    std::optional<Block> var_info = child_named(v, root, "VarFileInfo");
    if (!var_info) return std::nullopt;
    std::optional<Block> translation = child_named(v, *var_info, "Translation");
    uint16_t language = 0, code_page = 0;
    if (!translation || translation->value_bytes < 4 || translation->value + 4 > translation->end ||
        !v.u16(translation->value, language) || !v.u16(translation->value + 2, code_page))
        return std::nullopt;
    char key[16];
    std::snprintf(key, sizeof key, "%04X%04X", language, code_page);
    return std::string(key);
}

std::optional<Block> first_child(Bytes v, const Block& parent) {
    std::optional<Block> found;
    for_each_child(v, parent, [&](const Block& child) {
        found = child;
        return false;
    });
    return found;
}

// The table of the first listed translation; files whose list names a language they hold no table
// for (common with resource compilers' defaults) fall back to their first table.
void read_product_name(Bytes v, const Block& root, FileVersion& version) {
    std::optional<Block> strings = child_named(v, root, "StringFileInfo");
    if (!strings) return;
    std::optional<std::string> key = translation_key(v, root);
    std::optional<Block> table = key ? child_named(v, *strings, *key) : std::nullopt;
    if (!table) table = first_child(v, *strings);
    std::optional<Block> name = table ? child_named(v, *table, "ProductName") : std::nullopt;
    if (!name) return;
    version.product_name = text_value(v, *name);
    version.has_product_name = !version.product_name.empty();
}

std::optional<FileVersion> read_version_info(Bytes v) {
    std::optional<Block> root = read_block(v, 0, v.size());
    if (!root || !key_is(v, *root, "VS_VERSION_INFO")) return std::nullopt;
    if (root->value_bytes < kFixedInfoBytes || root->value + kFixedInfoBytes > root->end) return std::nullopt;
    uint32_t signature = 0, most = 0, least = 0;
    if (!v.u32(root->value, signature) || signature != kFixedInfoSignature || !v.u32(root->value + 8, most) ||
        !v.u32(root->value + 12, least))
        return std::nullopt;
    FileVersion version;
    version.major = static_cast<uint16_t>(most >> 16);
    version.minor = static_cast<uint16_t>(most & 0xFFFF);
    version.build = static_cast<uint16_t>(least >> 16);
    version.revision = static_cast<uint16_t>(least & 0xFFFF);
    read_product_name(v, *root, version);
    return version;
}

}  // namespace

std::optional<FileVersion> read_pe_version(std::span<const uint8_t> image) {
    PeImage pe;
    if (!pe.open(Bytes(image))) return std::nullopt;
    Bytes resource = version_resource(pe);
    if (resource.size() == 0) return std::nullopt;
    return read_version_info(resource);
}

std::optional<FileVersion> read_file_version(const std::string& path) {
    platform::FileContents file = platform::read_regular_file(path, kMaxVersionedFileBytes);
    if (file.status != platform::ReadStatus::Ok || file.bytes.empty()) return std::nullopt;
    const auto* bytes = reinterpret_cast<const uint8_t*>(file.bytes.data());
    return read_pe_version(std::span<const uint8_t>(bytes, file.bytes.size()));
}

std::string version_line(const FileVersion& version) {
    std::string line = "product name:  ";
    line += version.has_product_name ? version.product_name : std::string("unknown");
    line += ",  file version:  ";
    for (uint16_t part : {version.major, version.minor, version.build, version.revision}) {
        line += std::to_string(part);
        line += '.';
    }
    line.pop_back();
    return line;
}

}  // namespace qz::input
