// Dialog 107: the Matrix page (tab 5). The choice between a built-in pair and the custom pair, the
// custom pair's files, the adaptive matrix option and the two 8x8 grids of the pair in use. Start
// states are those of a reset: "built in matrix" with "MPEG", so the custom controls are off.
#include "ui/catalogue.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 107;

// List order, not matrix number order: the page maps a caption to its number by name.
constexpr const char* kBuiltInMatrixItems[] = {
    "MPEG",    "QLB",       "NOTCH",   "TEAL1",   "QZ",      "QZLOW",   "KIRUN1CD",       // positions 0 to 6
    "HVSGOOD", "HVSBETTER", "HVSBEST", "OLUMAT6", "OLUMAT7", "ELK1",    "ELK2",           // 7 to 13
    "ELK3",    "TIRENO1",   "TIRENO2", "TIRENO3", "MPEG STANDARD",                        // 14 to 18
};

// Radio group of this page.
constexpr int kMatrixChoice = 1;

// Group boxes (layout only); the two grids sit inside "current matrix".
constexpr int kMatrixBox = 9500, kBuiltInBox = 9501, kAdaptiveBox = 9502, kCurrentMatrixBox = 9503,
              kIntraBox = 9504, kNonIntraBox = 9505;

constexpr ControlSpec kControlsAboveGrids[] = {
    {.dialog = D, .id = kMatrixBox, .kind = Kind::Group, .caption = "matrix"},
    {.dialog = D, .id = 9000, .kind = Kind::Static, .caption = "Use one of the built in matrices", .box = kMatrixBox},
    {.dialog = D, .id = 9001, .kind = Kind::Static, .caption = "or use your own custom matrix.", .box = kMatrixBox},
    {.dialog = D, .id = 1501, .kind = Kind::Radio, .caption = "built in matrix", .radio_group = kMatrixChoice,
     .flags = kStartsChecked, .box = kMatrixBox},
    {.dialog = D, .id = 1502, .kind = Kind::Radio, .caption = "custom matrix", .radio_group = kMatrixChoice,
     .box = kMatrixBox},

    {.dialog = D, .id = kBuiltInBox, .kind = Kind::Group, .caption = "built in matrix"},
    {.dialog = D, .id = 1503, .kind = Kind::Combo, .flags = kComboEditable, .items = kBuiltInMatrixItems,
     .item_count = std::size(kBuiltInMatrixItems), .box = kBuiltInBox},

    // The custom pair's files; usable only with "custom matrix".
    {.dialog = D, .id = 9002, .kind = Kind::Static, .caption = "Load/save your own matrices"},
    {.dialog = D, .id = 9003, .kind = Kind::Static, .caption = "Supported formats:"},
    {.dialog = D, .id = 9004, .kind = Kind::Static, .caption = "- simple text file (mtx)"},
    {.dialog = D, .id = 9005, .kind = Kind::Static, .caption = "- binary format (cqm)"},
    {.dialog = D, .id = 1504, .kind = Kind::Button, .caption = "load custom matrix", .flags = kStartsDisabled},
    {.dialog = D, .id = 1505, .kind = Kind::Button, .caption = "save custom matrix (mtx)", .flags = kStartsDisabled},
    {.dialog = D, .id = 1506, .kind = Kind::Button, .caption = "save custom matrix (cqm)", .flags = kStartsDisabled},

    {.dialog = D, .id = kAdaptiveBox, .kind = Kind::Group, .caption = "adaptive matrix (advanced)"},
    {.dialog = D, .id = 1507, .kind = Kind::Check, .caption = "adaptive matrix", .box = kAdaptiveBox},
    {.dialog = D, .id = 9006, .kind = Kind::Static, .caption = "Write your own code to adapt matrices,",
     .box = kAdaptiveBox},
    {.dialog = D, .id = 9007, .kind = Kind::Static, .caption = "see the manual for more information how",
     .box = kAdaptiveBox},
    {.dialog = D, .id = 9008, .kind = Kind::Static, .caption = "to create the DLL.", .box = kAdaptiveBox},

    {.dialog = D, .id = 9009, .kind = Kind::Static, .caption = "Matrices shown below"},
    {.dialog = D, .id = 9010, .kind = Kind::Static, .caption = "will be used for encoding."},
    {.dialog = D, .id = kCurrentMatrixBox, .kind = Kind::Group, .caption = "current matrix"},
};

constexpr ControlSpec kIntraGroup = {
    .dialog = D, .id = kIntraBox, .kind = Kind::Group, .caption = "intra", .box = kCurrentMatrixBox};
constexpr ControlSpec kNonIntraGroup = {
    .dialog = D, .id = kNonIntraBox, .kind = Kind::Group, .caption = "non-intra", .box = kCurrentMatrixBox};

// Each grid is 64 boxes in raster order: element i (1 to 64) of the intra matrix is box 2000 + i, of the
// non-intra matrix box 2100 + i. They start disabled because the built-in pair is shown.
constexpr int kCellsPerGrid = 64;
constexpr int kFirstIntraCell = 2001, kFirstNonIntraCell = 2101;

constexpr ControlSpec matrix_cell(int id, int box) {
    return {.dialog = D, .id = id, .kind = Kind::Edit, .flags = kDigitsOnly | kRightAligned | kStartsDisabled,
            .box = box};
}

constexpr std::size_t kControlCount = std::size(kControlsAboveGrids) + 2 + 2 * kCellsPerGrid;

// Reading order: everything above the grids, then the intra grid row by row, then the non-intra grid.
constexpr std::array<ControlSpec, kControlCount> make_controls() {
    std::array<ControlSpec, kControlCount> all{};
    std::size_t n = 0;
    for (const ControlSpec& c : kControlsAboveGrids) all[n++] = c;
    all[n++] = kIntraGroup;
    for (int i = 0; i < kCellsPerGrid; ++i) all[n++] = matrix_cell(kFirstIntraCell + i, kIntraBox);
    all[n++] = kNonIntraGroup;
    for (int i = 0; i < kCellsPerGrid; ++i) all[n++] = matrix_cell(kFirstNonIntraCell + i, kNonIntraBox);
    return all;
}

constexpr std::array<ControlSpec, kControlCount> kControls = make_controls();
}  // namespace

std::span<const ControlSpec> matrix_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
