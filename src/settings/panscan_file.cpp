#include "settings/panscan_file.h"

#include "platform/files.h"
#include "settings/free_format.h"
#include "settings/panscan_list.h"

#include <algorithm>
#include <cstdio>

namespace qz::settings {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The next line of `text` from `pos` on, without its end (LF, CR LF or CR); false at the end.
bool next_line(std::string_view text, size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return false;
    const size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
        line = text.substr(pos);
        pos = text.size();
        return true;
    }
    line = text.substr(pos, end - pos);
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    return true;
}

bool is_blank(std::string_view line) {
    for (char c : line)
        if (!is_value_separator(c)) return false;
    return true;
}

// Frame, horizontal offset and the vertical offset, which must be a number but is not kept.
bool read_position(std::string_view line, PanScanEntry& entry) {
    int32_t values[3] = {};
    if (read_ints(line, values, 3) != 3) return false;
    entry = PanScanEntry{values[0], values[1]};
    return true;
}

PanScanFileStatus read_status(platform::ReadStatus status) {
    switch (status) {
        case platform::ReadStatus::Ok: return PanScanFileStatus::Ok;
        case platform::ReadStatus::NotFound:
        case platform::ReadStatus::CannotOpen: return PanScanFileStatus::OpenError;
        case platform::ReadStatus::NotRegularFile: return PanScanFileStatus::NotRegularFile;
        case platform::ReadStatus::TooLarge: return PanScanFileStatus::TooLarge;
        case platform::ReadStatus::ReadFailed: break;
    }
    return PanScanFileStatus::ReadError;
}

PanScanFileStatus write_status(platform::WriteStatus status) {
    switch (status) {
        case platform::WriteStatus::Ok: return PanScanFileStatus::Ok;
        case platform::WriteStatus::TargetNotRegularFile: return PanScanFileStatus::TargetNotRegularFile;
        case platform::WriteStatus::CannotCreate: return PanScanFileStatus::CreateError;
        case platform::WriteStatus::DiskFull: return PanScanFileStatus::DiskFull;
        case platform::WriteStatus::WriteFailed:
        case platform::WriteStatus::ReplaceFailed: break;
    }
    return PanScanFileStatus::WriteFailed;
}

}  // namespace

std::string_view panscan_file_message(PanScanFileStatus status) {
    switch (status) {
        case PanScanFileStatus::Ok: return {};
        case PanScanFileStatus::OpenError:
        case PanScanFileStatus::CreateError: return "error opening panscan file";
        case PanScanFileStatus::NotRegularFile: return "panscan file not read, not a regular file";
        case PanScanFileStatus::TooLarge: return "panscan file not read, larger than 64 MB";
        case PanScanFileStatus::ReadError: return "error reading panscan file";
        case PanScanFileStatus::TargetNotRegularFile: return "panscan file not written, not a regular file";
        case PanScanFileStatus::WriteFailed:
        case PanScanFileStatus::DiskFull: return "error writing panscan file";
    }
    return {};
}

std::string_view panscan_file_note(PanScanFileStatus status) {
    switch (status) {
        case PanScanFileStatus::WriteFailed: return "nothing on disk was changed";
        case PanScanFileStatus::DiskFull: return "nothing on disk was changed, the disk is full";
        default: return {};
    }
}

PanScanRead parse_panscan_text(std::string_view text, int width, PanScanList& list) {
    clear_panscan_positions(list);
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    PanScanRead read;
    size_t pos = 0;
    std::string_view line;
    while (next_line(text, pos, line)) {
        if (is_blank(line)) continue;
        PanScanEntry entry;
        if (!read_position(line, entry)) {
            clear_panscan_positions(list);
            read.status = PanScanFileStatus::ReadError;
            return read;
        }
        if (read.positions < kPanScanCapacity) {
            entry.offset = clamp_panscan_offset(entry.offset, width);
            list.entries[static_cast<size_t>(read.positions)] = entry;
            list.count = static_cast<int32_t>(read.positions + 1);
        }
        ++read.positions;
    }
    return read;
}

std::string format_panscan_text(const PanScanList& list) {
    const int32_t count = std::clamp(list.count, 0, kPanScanCapacity);
    std::string text;
    text.reserve(static_cast<size_t>(count) * 20);
    char line[48];
    for (int32_t i = 0; i < count; ++i) {
        const PanScanEntry& e = list.entries[static_cast<size_t>(i)];
        // An offset that fills its 8 characters (never one of a 720 or 704 wide video) gets a blank in
        // front, so that it stays apart from the frame and the file still reads back.
        const bool fills_field = e.offset >= 10000000 || e.offset <= -1000000;
        const int n = std::snprintf(line, sizeof line, fills_field ? "%8d %d%3d\n" : "%8d%8d%3d\n", e.frame, e.offset, 0);
        text.append(line, static_cast<size_t>(n));
    }
    return text;
}

PanScanRead read_panscan_file(const std::string& path, int width, PanScanList& list) {
    platform::FileContents file = platform::read_regular_file(path, kMaxPanScanFileBytes);
    if (file.status != platform::ReadStatus::Ok) return PanScanRead{read_status(file.status), 0};
    return parse_panscan_text(file.bytes, width, list);
}

PanScanFileStatus write_panscan_file(const std::string& path, const PanScanList& list) {
    return write_status(platform::write_file_atomically(path, format_panscan_text(list)));
}

}  // namespace qz::settings
