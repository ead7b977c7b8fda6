// Pan-scan files: one position a line, written as fixed fields (frame and horizontal offset each
// right-aligned in 8 characters, then a vertical offset of 0 right-aligned in 3) and read free-form.
// These functions know no program state: the import and export commands bring in the log, the list
// and the video's width.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qz::settings {

// A file of 6400 positions takes about 130 kB; one far larger is no pan-scan file.
inline constexpr uint64_t kMaxPanScanFileBytes = 64u << 20;

enum class PanScanFileStatus {
    Ok,
    OpenError,             // missing, or could not be opened
    NotRegularFile,        // a folder, FIFO or device chosen for reading
    TooLarge,              // larger than kMaxPanScanFileBytes
    ReadError,             // a line is not three integers, or the system failed while reading
    CreateError,           // no file could be made at the chosen place
    TargetNotRegularFile,  // a folder, FIFO or device chosen for writing: left alone
    WriteFailed,           // writing failed; the old file stays as it was
    DiskFull,              // the disk filled up; the old file stays as it was
};

// The Message log line for a failure; empty for Ok.
std::string_view panscan_file_message(PanScanFileStatus status);
// The line that follows it when a write failed after it had begun, saying the old file is intact;
// empty otherwise.
std::string_view panscan_file_note(PanScanFileStatus status);

// The line after a read that found more positions than the list holds.
inline constexpr std::string_view kPanScanFileOverflowMessage =
    "more than 6400 panscan positions detected, positions > 6400 skipped";

struct PanScanRead {
    PanScanFileStatus status = PanScanFileStatus::Ok;
    int64_t positions = 0;  // the positions the text holds; those beyond 6400 are not kept
};

// Reads the text into `list`, which is cleared first. Each line that is not blank is one position:
// three integers separated by blanks, tabs or commas (frame, horizontal offset, a vertical offset that
// is not kept); whatever follows the third is ignored. Lines end in LF, CR LF or CR; a UTF-8 byte
// order mark at the start is skipped. Positions keep the file's order, their offsets held within
// the limits of a video `width` pixels wide. Only the first 6400 are kept, but every line is checked.
// A line that is not three integers fails the read and leaves the list cleared.
PanScanRead parse_panscan_text(std::string_view text, int width, PanScanList& list);

// The file text of the list's positions, in list order.
std::string format_panscan_text(const PanScanList& list);

// Reads the regular file at `path` as parse_panscan_text does. A file that cannot be read as a whole
// (missing, not a regular file, too large) leaves the list as it was.
PanScanRead read_panscan_file(const std::string& path, int width, PanScanList& list);
// Creates or replaces the file as a whole: a failed write leaves the old file as it was and removes
// nothing but its own temporary file.
PanScanFileStatus write_panscan_file(const std::string& path, const PanScanList& list);

}  // namespace qz::settings
