#include "d2v_scan.h"

#include "platform/files.h"
#include "settings/line_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qz::encoder {

bool scan_d2v_flags(const std::string& path, D2vPictureFlags& flags) {
    // A project's index grows with the video: a feature film's is tens of megabytes.
    constexpr uint64_t kMaxProjectBytes = uint64_t{1} << 30;
    platform::FileReader file;
    if (file.open(path, kMaxProjectBytes) != platform::ReadStatus::Ok) return false;
    settings::FileLineReader lines(file);
    std::string_view line;
    int blank_lines = 0;
    bool finished = false;
    while (!finished && lines.next(line)) {
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) {
            ++blank_lines;
            continue;
        }
        if (blank_lines < 2) continue;
        // info matrix file position skip vob cell, then one flag byte per picture.
        int field = 0;
        size_t pos = 0;
        while (pos < line.size()) {
            const size_t start = line.find_first_not_of(' ', pos);
            if (start == std::string_view::npos) break;
            const size_t end = std::min(line.find(' ', start), line.size());
            if (field >= 7) {
                const std::string token(line.substr(start, end - start));
                if (token == "ff") {
                    finished = true;
                    break;
                }
                const long value = std::strtol(token.c_str(), nullptr, 16);
                ++flags.pictures;
                if (value & 0x40) ++flags.progressive;
                if (value & 0x02) ++flags.top_field_first;
            }
            ++field;
            pos = end;
        }
    }
    return !lines.failed();
}

}  // namespace qz::encoder
