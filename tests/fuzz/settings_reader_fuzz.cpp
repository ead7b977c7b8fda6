// The settings file reader on arbitrary bytes: no crash, no access outside a buffer, list counts
// within their capacities. Every input is also read through the file reader (the two must see the
// same lines) and written back by the line builder.
#include "settings/settings_file_builder.h"
#include "settings/settings_file_parser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace qz::settings;

struct HashedFiles : ReaderEnvironment {
    bool file_exists(const std::string& path) override { return path.size() % 2 == 1; }
    InputOutcome check_input(const std::string& path) override {
        switch (path.size() % 3) {
            case 0: return InputOutcome::Accepted;
            case 1: return InputOutcome::SourcesMissing;
            default: return InputOutcome::VersionMismatch;
        }
    }
};

std::vector<std::string> all_lines(LineReader& reader) {
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) {
        if (line.size() > kLineLength) std::abort();
        lines.emplace_back(line);
    }
    return lines;
}

// The input as a file of its own (one per fuzzing process, removed after each input).
void check_same_lines_from_a_file(std::string_view text) {
    if (text.empty()) return;
    static const std::string path = "/tmp/qz_settings_reader_fuzz_" + std::to_string(::getpid()) + ".txt";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return;
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) return;
    qz::platform::FileReader file;
    if (file.open(path, text.size()) != qz::platform::ReadStatus::Ok) std::abort();
    FileLineReader from_file(file);
    TextLineReader from_text(text);
    bool same = all_lines(from_file) == all_lines(from_text) && !from_file.failed();
    file.close();
    std::remove(path.c_str());
    if (!same) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto record = std::make_unique<Settings>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check_same_lines_from_a_file(text);

    HashedFiles files;
    TextLineReader lines(text);
    parse_settings(lines, *record, files);
    if (record->chapters.count < 0 || record->chapters.count > kChapterCapacity) std::abort();
    if (record->zones.count < 0 || record->zones.count > kZoneCapacity) std::abort();
    if (record->panscan.count < 0 || record->panscan.count > kPanScanCapacity) std::abort();

    PageValues page;
    page.custom_matrix = record->is_given(kCustomMatrix);
    TextSink sink;
    build_settings_lines(page, *record, BuildTarget::File, sink);
    return 0;
}
