// Indexes MPEG-2 video files and writes their D2V project: the file list, the settings and one
// line per GOP start with its byte position and the flags of its pictures in display order.
#pragma once

#include <string>
#include <vector>

namespace qz::testclip {

enum class PathStyle {
    absolute,            // full paths
    relative,            // relative to the project's folder, '/' separators
    relative_backslash,  // relative, written with '\' as Windows tools do
};

struct D2vSpec {
    std::string d2v_path;
    std::vector<std::string> stream_files;  // in playing order
    int version = 16;                       // 6 to 16; up to 9 a source line is "<length> <path>"
    int field_operation = 0;                // 0 honour pulldown, 1 force film, 2 ignore pulldown
    PathStyle paths = PathStyle::absolute;
    int clip_left = 0, clip_right = 0, clip_top = 0, clip_bottom = 0;
};

struct D2vSummary {
    int entries = 0;
    int pictures = 0;
    bool pulldown = false;
};

// Reads the files, writes the project. False with the reason in `error`.
bool write_d2v(const D2vSpec& spec, std::string& error, D2vSummary* summary = nullptr);

// Makes the project's MPEG files a truncated copy of what it indexes: the file holding GOP `gop`
// (0-based, in index order) is cut where that GOP starts. The project is left as it is. False with
// the reason in `error`.
bool cut_source_at_gop(const std::string& d2v_path, int gop, std::string& error);

}  // namespace qz::testclip
