// Builds small Windows PE images with a version resource in memory, laid out as linkers and resource
// compilers write them: DOS header, PE headers, one ".rsrc" section holding the three-level resource
// directory and the VS_VERSIONINFO tree.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qz::test {

struct PeSpec {
    bool pe32_plus = false;
    std::array<uint16_t, 4> version = {1, 2, 3, 4};
    bool with_fixed_info = true;
    std::u16string product_name = u"QZenc";
    bool with_product_name = true;
    bool with_translation = true;
    uint16_t language = 0x0409, code_page = 0x04B0;
    std::u16string table_key = u"040904b0";  // resource compilers often write lower-case digits
    bool with_resources = true;
};

class Bytes {
public:
    std::vector<uint8_t> data;
    size_t size() const { return data.size(); }
    void u8(uint8_t v) { data.push_back(v); }
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void text(const std::u16string& s, bool terminate = true) {
        for (char16_t c : s) u16(static_cast<uint16_t>(c));
        if (terminate) u16(0);
    }
    void append(const std::vector<uint8_t>& more) { data.insert(data.end(), more.begin(), more.end()); }
    void pad_to(size_t alignment) {
        while (data.size() % alignment) u8(0);
    }
    void put_u16(size_t at, uint16_t v) {
        data[at] = static_cast<uint8_t>(v);
        data[at + 1] = static_cast<uint8_t>(v >> 8);
    }
    void put_u32(size_t at, uint32_t v) {
        put_u16(at, static_cast<uint16_t>(v));
        put_u16(at + 2, static_cast<uint16_t>(v >> 16));
    }
};

// One block of the version tree: length, value length, type, key, value, children (each child
// starting on a 4-byte boundary).
inline std::vector<uint8_t> version_block(const std::u16string& key, const std::vector<uint8_t>& value,
                                          uint16_t value_length, uint16_t type,
                                          const std::vector<std::vector<uint8_t>>& children) {
    Bytes b;
    b.u16(0);
    b.u16(value_length);
    b.u16(type);
    b.text(key);
    b.pad_to(4);
    b.append(value);
    for (const auto& child : children) {
        b.pad_to(4);
        b.append(child);
    }
    b.put_u16(0, static_cast<uint16_t>(b.size()));
    return b.data;
}

inline std::vector<uint8_t> text_block(const std::u16string& key, const std::u16string& value) {
    Bytes v;
    v.text(value);
    return version_block(key, v.data, static_cast<uint16_t>(value.size() + 1), 1, {});
}

inline std::vector<uint8_t> version_info(const PeSpec& spec) {
    Bytes fixed;
    if (spec.with_fixed_info) {
        fixed.u32(0xFEEF04BD);
        fixed.u32(0x00010000);
        fixed.u32(static_cast<uint32_t>(spec.version[0]) << 16 | spec.version[1]);
        fixed.u32(static_cast<uint32_t>(spec.version[2]) << 16 | spec.version[3]);
        for (int i = 0; i < 9; ++i) fixed.u32(i == 4 ? 4 : 0);  // product version, masks, OS, type, date
    }
    std::vector<std::vector<uint8_t>> strings = {text_block(u"CompanyName", u"QZ"),
                                                 text_block(u"FileVersion", u"1.2.3.4")};
    if (spec.with_product_name) strings.push_back(text_block(u"ProductName", spec.product_name));
    strings.push_back(text_block(u"ProductVersion", u"0.28"));
    std::vector<uint8_t> table = version_block(spec.table_key, {}, 0, 1, strings);
    std::vector<std::vector<uint8_t>> children = {version_block(u"StringFileInfo", {}, 0, 1, {table})};
    if (spec.with_translation) {
        Bytes pair;
        pair.u16(spec.language);
        pair.u16(spec.code_page);
        std::vector<uint8_t> var = version_block(u"Translation", pair.data, 4, 0, {});
        children.push_back(version_block(u"VarFileInfo", {}, 0, 1, {var}));
    }
    return version_block(u"VS_VERSION_INFO", fixed.data, static_cast<uint16_t>(fixed.size()), 0, children);
}

inline constexpr uint32_t kResourceRva = 0x1000;
inline constexpr uint32_t kResourceFileOffset = 0x200;

inline std::vector<uint8_t> build_pe(const PeSpec& spec) {
    const std::vector<uint8_t> info = version_info(spec);

    // Resource section: type 16 -> name 1 -> language 0x409 -> data entry -> the version tree.
    Bytes rsrc;
    auto directory = [&](uint32_t id, uint32_t data) {
        for (int i = 0; i < 3; ++i) rsrc.u32(0);
        rsrc.u16(0);  // named entries
        rsrc.u16(1);  // numbered entries
        rsrc.u32(id);
        rsrc.u32(data);
    };
    directory(16, 0x80000000u | 0x18);
    directory(1, 0x80000000u | 0x30);
    directory(0x409, 0x48);
    rsrc.u32(kResourceRva + 0x58);
    rsrc.u32(static_cast<uint32_t>(info.size()));
    rsrc.u32(0);
    rsrc.u32(0);
    rsrc.pad_to(8);
    rsrc.append(info);
    const uint32_t resource_size = static_cast<uint32_t>(rsrc.size());
    rsrc.pad_to(0x200);

    Bytes pe;
    pe.u16(0x5A4D);
    while (pe.size() < 0x3C) pe.u8(0);
    pe.u32(0x80);
    while (pe.size() < 0x80) pe.u8(0);
    pe.u32(0x00004550);
    const uint16_t optional_size = spec.pe32_plus ? 240 : 224;
    pe.u16(spec.pe32_plus ? 0x8664 : 0x014C);
    pe.u16(1);  // one section
    pe.u32(0);
    pe.u32(0);
    pe.u32(0);
    pe.u16(optional_size);
    pe.u16(0x0102);
    const size_t optional = pe.size();
    pe.u16(spec.pe32_plus ? 0x20B : 0x10B);
    while (pe.size() < optional + (spec.pe32_plus ? 108 : 92)) pe.u8(0);
    pe.u32(16);  // data directories
    for (int i = 0; i < 16; ++i) {
        const bool resources = i == 2 && spec.with_resources;
        pe.u32(resources ? kResourceRva : 0);
        pe.u32(resources ? resource_size : 0);
    }
    // Section header.
    for (char c : std::string(".rsrc\0\0\0", 8)) pe.u8(static_cast<uint8_t>(c));
    pe.u32(resource_size);
    pe.u32(kResourceRva);
    pe.u32(static_cast<uint32_t>(rsrc.size()));
    pe.u32(kResourceFileOffset);
    for (int i = 0; i < 4; ++i) pe.u32(0);
    while (pe.size() < kResourceFileOffset) pe.u8(0);
    pe.append(rsrc.data);
    return pe.data;
}

}  // namespace qz::test
