#include "d2v_project.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <system_error>
#include <utility>

namespace qz::dgdecode {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
    return s;
}

// Splits text into lines; "\r\n" and "\n" both end a line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    int number() const { return number_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int number_ = 0;
};

template <typename T>
bool parse_number(std::string_view s, T& value, int base = 10) {
    s = trim(s);
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    return ec == std::errc() && end == s.data() + s.size();
}

// Reads the leading integer of `s` (free format, like "25000 (25/1)").
template <typename T>
bool parse_leading_number(std::string_view s, T& value) {
    s = trim(s);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end != s.data();
}

bool file_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool has_drive_letter(std::string_view p) {
    return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'a' && p[0] <= 'z') || (p[0] >= 'A' && p[0] <= 'Z'));
}

std::string to_local_path(std::string_view written, const std::string& project_dir) {
    std::string path(written);
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.empty() || path.front() == '/' || has_drive_letter(path)) return path;
    if (project_dir.empty()) return path;
    std::string joined = project_dir;
    if (joined.back() != '/') joined += '/';
    return joined + path;
}

// A project made on another machine often travels with its MPEG files: the file name alone,
// looked up beside the project, finds them.
std::string beside_project(const std::string& path, const std::string& project_dir) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (has_drive_letter(name)) name = name.substr(2);
    if (name.empty()) return {};
    return (project_dir.empty() ? std::string(".") : project_dir) + "/" + name;
}

// "123 path" of the older versions: the path after the leading length field, or nothing.
std::string_view after_length_field(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    if (i == 0 || i >= line.size() || !is_space(line[i])) return {};
    return trim(line.substr(i));
}

void parse_frame_rate(std::string_view value, D2vProject& project) {
    size_t open = value.find('(');
    size_t slash = value.find('/', open == std::string_view::npos ? 0 : open);
    size_t close = value.find(')', open == std::string_view::npos ? 0 : open);
    if (open != std::string_view::npos && slash != std::string_view::npos && close != std::string_view::npos &&
        open < slash && slash < close) {
        unsigned num = 0, den = 0;
        if (parse_number(value.substr(open + 1, slash - open - 1), num) &&
            parse_number(value.substr(slash + 1, close - slash - 1), den) && num > 0 && den > 0) {
            project.rate_numerator = num;
            project.rate_denominator = den;
            return;
        }
    }
    unsigned milli = 0;
    if (!parse_leading_number(value, milli) || milli == 0) return;
    // Older projects give only the rate times 1000, rounded: the NTSC family is 1000/1001 off.
    for (unsigned ntsc : {24000u, 30000u, 48000u, 60000u, 120000u}) {
        if (milli == ntsc * 1000 / 1001 || milli == ntsc * 1000 / 1001 + 1) {
            project.rate_numerator = ntsc;
            project.rate_denominator = 1001;
            return;
        }
    }
    unsigned g = std::gcd(milli, 1000u);
    project.rate_numerator = milli / g;
    project.rate_denominator = 1000 / g;
}

void parse_setting(std::string_view line, D2vProject& project) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    std::string_view key = trim(line.substr(0, eq));
    std::string_view value = trim(line.substr(eq + 1));
    if (key == "Stream_Type") {
        int type = -1;
        if (parse_leading_number(value, type) && type >= 0 && type <= 2) project.stream_type = StreamType(type);
    } else if (key == "Field_Operation") {
        int op = 0;
        if (parse_leading_number(value, op) && op >= 0 && op <= 2) project.field_operation = op;
    } else if (key == "Frame_Rate") {
        parse_frame_rate(value, project);
    } else if (key == "Clipping") {
        int v[4] = {0, 0, 0, 0};
        size_t start = 0;
        for (int i = 0; i < 4; ++i) {
            size_t comma = value.find(',', start);
            std::string_view part = value.substr(start, comma == std::string_view::npos ? value.npos : comma - start);
            if (!parse_number(part, v[i]) || v[i] < 0) return;
            if (comma == std::string_view::npos && i < 3) return;
            start = comma + 1;
        }
        project.clip_left = v[0];
        project.clip_right = v[1];
        project.clip_top = v[2];
        project.clip_bottom = v[3];
    } else if (key == "MPEG2_Transport_PID") {
        int pid = -1;
        size_t comma = value.find(',');
        if (parse_number(value.substr(0, comma), pid, 16) && pid > 0 && pid < 0x1fff) project.transport_video_pid = pid;
    }
}

bool is_hex_byte(std::string_view t, uint8_t& value) {
    unsigned v = 0;
    if (t.size() != 2 || !parse_number(t, v, 16)) return false;
    value = uint8_t(v);
    return true;
}

// One index line: info matrix file position skip vob cell flag...
bool parse_index_line(std::string_view line, D2vProject& project, std::string& error, int line_number) {
    std::string_view tokens[7];
    size_t pos = 0;
    auto next_token = [&](std::string_view& out) {
        while (pos < line.size() && is_space(line[pos])) ++pos;
        size_t start = pos;
        while (pos < line.size() && !is_space(line[pos])) ++pos;
        out = line.substr(start, pos - start);
        return !out.empty();
    };
    for (auto& t : tokens) {
        if (!next_token(t)) {
            error = "index line " + std::to_string(line_number) + " is incomplete";
            return false;
        }
    }
    D2vEntry entry;
    long long position = -1;
    if (!parse_number(tokens[0], entry.info, 16) || !parse_number(tokens[2], entry.file) ||
        !parse_number(tokens[3], position) || position < 0 || entry.file < 0 ||
        entry.file >= int(project.files.size())) {
        error = "index line " + std::to_string(line_number) + " is not valid";
        return false;
    }
    entry.position = position;
    entry.first_picture = int(project.picture_flags.size());
    std::string_view t;
    while (next_token(t)) {
        uint8_t flag = 0;
        if (!is_hex_byte(t, flag)) {
            error = "index line " + std::to_string(line_number) + " has a bad picture flag";
            return false;
        }
        if (flag == kFlagEndOfStream) break;
        if (project.picture_flags.size() >= kMaxPictures) {
            error = "the index lists too many pictures";
            return false;
        }
        project.picture_flags.push_back(flag);
    }
    entry.picture_count = int(project.picture_flags.size()) - entry.first_picture;
    if (entry.picture_count > 0) project.entries.push_back(entry);
    return true;
}

std::string directory_of(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::string resolve_source_line(std::string_view line, int version, const std::string& project_dir) {
    line = trim(line);
    // Versions 6 to 9 put a length field first; from version 10 on the whole line is the path, even
    // when it starts with digits and a blank ("01 intro.m2v").
    std::string_view written = version < kFirstPlainPathVersion ? after_length_field(line) : line;
    if (written.empty()) return {};
    std::string path = to_local_path(written, project_dir);
    if (file_exists(path)) return path;
    std::string beside = beside_project(path, project_dir);
    if (!beside.empty() && file_exists(beside)) return beside;
    return path;
}

bool parse_d2v_project(std::string_view text, const std::string& project_dir, D2vProject& project,
                       std::string& error) {
    project = D2vProject();
    LineReader lines(text);
    std::string_view line;
    if (!lines.next(line)) {
        error = "the project is empty";
        return false;
    }
    line = trim(line);
    int version = 0;
    if (line.size() < 2 || !parse_number(line.substr(line.size() - 2), version) || version <= 0) {
        error = "the first line of the project names no format version";
        return false;
    }
    project.version = version;

    int file_count = 0;
    if (!lines.next(line) || !parse_leading_number(line, file_count) || file_count <= 0 ||
        file_count > kMaxSourceFiles) {
        error = "the second line of the project is not a number of MPEG files";
        return false;
    }
    for (int i = 0; i < file_count; ++i) {
        if (!lines.next(line) || trim(line).empty()) {
            error = "the project lists fewer MPEG files than it announces";
            return false;
        }
        std::string path = resolve_source_line(line, version, project_dir);
        if (path.empty()) {
            error = "MPEG file line " + std::to_string(i + 1) + " of the project has no length before its path";
            return false;
        }
        project.files.push_back(std::move(path));
    }

    // Settings, up to the blank line before the index.
    bool seen_setting = false;
    while (lines.next(line)) {
        line = trim(line);
        if (line.empty()) {
            if (seen_setting) break;
            continue;
        }
        seen_setting = true;
        parse_setting(line, project);
    }

    while (lines.next(line)) {
        line = trim(line);
        if (line.empty()) {
            if (project.entries.empty()) continue;
            break;
        }
        if (line.substr(0, 8) == "FINISHED") break;
        if (!parse_index_line(line, project, error, lines.number())) return false;
    }
    if (project.entries.empty()) {
        error = "the project holds no index of pictures";
        return false;
    }
    return true;
}

bool read_d2v_project(const std::string& path, D2vProject& project, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open the project " + path;
        return false;
    }
    std::string text;
    char buffer[1 << 16];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (text.size() + n > kMaxProjectBytes) {
            std::fclose(f);
            error = "the project " + path + " is too large";
            return false;
        }
        text.append(buffer, n);
    }
    bool read_error = std::ferror(f) != 0;
    std::fclose(f);
    if (read_error) {
        error = "cannot read the project " + path;
        return false;
    }
    std::string dir = directory_of(path);
    return parse_d2v_project(text, dir, project, error);
}

}  // namespace qz::dgdecode
