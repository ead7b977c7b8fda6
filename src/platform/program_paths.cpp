#include "platform/program_paths.h"

#include <charconv>

namespace qz::platform {

namespace {

std::string trim_trailing_blanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

ProgramPaths build_program_paths(const std::string& program_file, char separator) {
    ProgramPaths p;
    p.program_file = trim_trailing_blanks(program_file);
    size_t last = p.program_file.find_last_of(separator);
    p.program_folder = last == std::string::npos ? std::string() : p.program_file.substr(0, last + 1);
    p.dgdecode_folder = p.program_folder + "DGDecode" + separator;
    p.matrix_folder = p.program_folder + "matrix" + separator;
    p.default_settings_file = p.program_folder + "QZ.ini";
    p.encoder_file = p.program_folder + "QZenc_028.exe";
    p.encoder_database_file = p.program_folder + "QZ.dbs";
    p.working_dgdecode_copy = p.program_folder + "DGDecode.dll";
    return p;
}

ProgramPaths discover_program(const std::optional<std::string>& home_folder) {
    const char sep = platform::path_separator();
    std::string program_file = platform::executable_path();
    if (home_folder) {
        std::string folder = *home_folder;
        if (!folder.empty() && folder.back() != sep) folder += sep;
        size_t last = program_file.find_last_of(sep);
        std::string name = last == std::string::npos ? program_file : program_file.substr(last + 1);
        program_file = folder + (name.empty() ? std::string("qzgui") : name);
    }
    ProgramPaths paths = build_program_paths(program_file, sep);
    platform::delete_file(paths.working_dgdecode_copy);  // a leftover of an earlier encode; may be absent
    return paths;
}

ProcessorCount processor_count_from(const std::optional<std::string>& number_of_processors, int online_processors) {
    ProcessorCount result;
    if (!number_of_processors) {
        result.count = online_processors < 1 ? 1 : online_processors;
        result.several = result.count >= 2;
        return result;
    }
    const std::string& text = *number_of_processors;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return result;
    result.count = value;
    result.several = value >= 2;
    return result;
}

ProcessorCount read_processor_count() {
    return processor_count_from(platform::environment_variable("NUMBER_OF_PROCESSORS"),
                                platform::online_processor_count());
}

int cpu_level_from(const platform::CpuFeatureWords& w) {
    auto bit = [](uint32_t word, int n) { return (word >> n) & 1u; };
    int level = 0;
    if (bit(w.leaf1_edx, 26)) level = 2;
    else if (bit(w.leaf1_edx, 23) && bit(w.leaf1_edx, 25)) level = 1;
    if (bit(w.leaf1_ecx, 0)) {
        if (bit(w.leaf1_ecx, 28)) level = 6;
        else if (bit(w.leaf1_ecx, 19) || bit(w.leaf1_ecx, 20)) level = 5;
        else if (bit(w.leaf1_ecx, 9)) level = 4;
        else level = 3;
    }
    if (bit(w.leaf7_ebx, 5)) level = 7;
    return level;
}

}  // namespace qz::platform
