// The reader's lines about frame lists whose file did not hold what their keyword line declared.
#include "settings/settings_file_parser.h"

#include <string>

namespace qz::settings {

namespace {

struct ListName {
    const char* one;
    const char* many;
    int capacity;
};

std::string entries(int64_t count, const ListName& name) {
    return std::to_string(count) + " " + (count == 1 ? name.one : name.many);
}

void add_lines(const ListCount& count, const ListName& name, std::vector<std::string>& lines) {
    if (count.found < count.declared) {
        lines.push_back("ini file declares " + entries(count.declared, name) + ", " +
                        (count.found == 0 ? std::string("none") : "only " + std::to_string(count.found)) + " found");
    }
    if (count.found > name.capacity) {
        lines.push_back("ini file lists " + entries(count.found, name) + ", only the first " +
                        std::to_string(name.capacity) + " loaded");
    }
}

}  // namespace

std::vector<std::string> list_count_lines(const ReadReport& report) {
    std::vector<std::string> lines;
    add_lines(report.chapters, {"chapter", "chapters", kChapterCapacity}, lines);
    add_lines(report.zones, {"zone", "zones", kZoneCapacity}, lines);
    add_lines(report.panscan, {"PanScan entry", "PanScan entries", kPanScanCapacity}, lines);
    return lines;
}

}  // namespace qz::settings
