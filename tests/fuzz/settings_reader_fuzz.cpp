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

void check_same_lines_from_a_file(std::string_view text) {
    if (text.empty()) return;
    std::FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    if (!file) return;
    FileLineReader from_file(file);
    TextLineReader from_text(text);
    bool same = all_lines(from_file) == all_lines(from_text);
    std::fclose(file);
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
