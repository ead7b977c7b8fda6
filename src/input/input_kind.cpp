#include "input/input_kind.h"

#include "platform/files.h"
#include "platform/platform.h"
#include "settings/free_format.h"

#include <string_view>

namespace qz::input {

namespace {

std::string_view trim_trailing_blanks(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string_view trim_leading_blanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The version is the number in the last two non-blank characters of line 1 ("...File16" is 16,
// "...File06" is 6). False when they hold no number.
bool version_from_header(std::string_view header, int32_t& version) {
    header = trim_trailing_blanks(header);
    if (header.size() < 2) return false;
    std::string_view two = trim_leading_blanks(header.substr(header.size() - 2));
    if (two.empty()) return false;
    for (char c : two) {
        if (c < '0' || c > '9') return false;
    }
    version = 0;
    for (char c : two) version = version * 10 + (c - '0');
    return true;
}

// The first version whose source lines are the plain path (after any leading blanks); versions 6
// to 9 write "<length> <path>".
constexpr int32_t kFirstPlainPathVersion = 10;

std::string_view source_path_of(std::string_view line, int32_t version) {
    line = trim_leading_blanks(line);
    if (version < kFirstPlainPathVersion) {
        size_t blank = line.find_first_of(" \t");
        line = blank == std::string_view::npos ? std::string_view() : trim_leading_blanks(line.substr(blank));
    }
    return trim_trailing_blanks(line);
}

void mark_unsupported(InputKind& kind) {
    kind.project_usable = false;
    kind.is_d2v = false;
}

}  // namespace

bool has_extension(const std::string& name, const char* extension) {
    std::string_view trimmed = trim_trailing_blanks(name);
    std::string_view ext(extension);
    if (trimmed.size() < ext.size()) return false;
    std::string_view tail = trimmed.substr(trimmed.size() - ext.size());
    for (size_t i = 0; i < ext.size(); ++i) {
        if (lower(tail[i]) != lower(ext[i])) return false;
    }
    return true;
}

const char* dgdecode_library_for(int32_t project_version) {
    switch (project_version) {
        case 6: return "DGDecode06.dll";
        case 10: return "DGDecode10.dll";
        case 11: return "DGDecode11.dll";
        case 12: return "DGDecode12.dll";
        case 13: return "DGDecode13.dll";
        case 15: return "DGDecode15.dll";
        case 16: return "DGDecode16.dll";
        default: return nullptr;
    }
}

InputKind check_d2v_head(settings::LineReader& project, const std::string& project_folder,
                         const std::string& dgdecode_folder, const FileExists& exists) {
    InputKind kind;
    kind.is_d2v = true;

    std::string_view line;
    int32_t version = 0;
    if (!project.next(line) || !version_from_header(line, version)) {
        mark_unsupported(kind);
        return kind;
    }
    kind.project_version = version;

    int32_t source_count = 0;
    size_t pos = 0;
    std::string_view token;
    if (!project.next(line) || !settings::next_value(line, pos, token) || !settings::parse_int(token, source_count)) {
        mark_unsupported(kind);
        return kind;
    }

    const char* library = dgdecode_library_for(version);
    if (!library) {
        mark_unsupported(kind);
        return kind;
    }
    kind.dgdecode_library = std::string(trim_trailing_blanks(dgdecode_folder)) + library;

    std::string path;
    for (int32_t i = 0; i < source_count; ++i) {
        // A project that lists fewer lines than it counts is missing those sources.
        bool listed = project.next(line);
        std::string_view source = listed ? source_path_of(line, version) : std::string_view();
        if (!source.empty() && source.front() != platform::path_separator() && !project_folder.empty()) {
            path.assign(project_folder).append(source);
        } else {
            path.assign(source);
        }
        if (path.empty() || !exists(path)) {
            kind.sources_present = false;
            mark_unsupported(kind);
            return kind;
        }
    }
    return kind;
}

InputKind classify_input(const std::string& input_name, const std::string& dgdecode_folder) {
    InputKind kind;
    std::string name(trim_trailing_blanks(input_name));
    kind.is_avs = has_extension(name, ".avs");
    if (!has_extension(name, ".d2v")) return kind;

    // Only the head is read, so the limit only tells a project (tens of MB for the longest films)
    // from something that is none.
    constexpr uint64_t kMaxProjectBytes = uint64_t{1} << 30;
    platform::FileReader file;
    if (file.open(name, kMaxProjectBytes) != platform::ReadStatus::Ok) {
        kind.is_d2v = false;
        kind.project_usable = false;
        return kind;
    }
    size_t last_separator = name.find_last_of(platform::path_separator());
    std::string project_folder = last_separator == std::string::npos ? std::string() : name.substr(0, last_separator + 1);
    settings::FileLineReader lines(file);
    kind = check_d2v_head(lines, project_folder, dgdecode_folder, platform::file_exists);
    return kind;
}

}  // namespace qz::input
