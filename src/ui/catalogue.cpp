#include "ui/catalogue.h"

#include <vector>

namespace qz::ui {

namespace {

constexpr const char* kTabTitles[kPageCount] = {"Main",     "Settings 1",       "Settings 2",    "Settings 3",
                                                "Matrix",   "Preview/Chapters", "Preview/Zones", "Preview/PanScan"};

std::vector<ControlSpec> assemble() {
    namespace parts = catalogue_parts;
    std::vector<ControlSpec> all;
    for (auto part : {parts::main_window(), parts::main_page(), parts::settings1_page(), parts::settings2_page(),
                      parts::settings3_page(), parts::matrix_page(), parts::chapters_page(), parts::zones_page(),
                      parts::panscan_page()})
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

std::span<const ControlSpec> catalogue() {
    static const std::vector<ControlSpec> all = assemble();
    return all;
}

const char* tab_title(int tab_number) {
    if (tab_number < 1 || tab_number > kPageCount) return "";
    return kTabTitles[tab_number - 1];
}

}  // namespace qz::ui
