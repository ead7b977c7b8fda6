// The Matrix page (tab 5). The choice between a built-in pair and the custom pair, the
// custom pair's files, the adaptive matrix option and the two 8x8 grids of the pair in use. Start
// states are those of a reset: "built in matrix" with "MPEG", so the custom controls are off.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/matrix_page.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace qz::ui::catalogue_parts {

namespace {
using dialog::kMatrixPage;
using namespace matrix_ids;

// List order, not matrix number order: the page maps a caption to its number by name.
constexpr const char* kBuiltInMatrixItems[] = {
    "MPEG",    "QLB",       "NOTCH",   "TEAL1",   "QZ",      "QZLOW",   "KIRUN1CD",       // positions 0 to 6
    "HVSGOOD", "HVSBETTER", "HVSBEST", "OLUMAT6", "OLUMAT7", "ELK1",    "ELK2",           // 7 to 13
    "ELK3",    "TIRENO1",   "TIRENO2", "TIRENO3", "MPEG STANDARD",                        // 14 to 18
};

// Radio group of this page.
constexpr int kMatrixChoice = 1;

// Group boxes (layout only); the two grids sit inside "current matrix".
constexpr int kMatrixGroup = 9500, kBuiltInGroup = 9501, kAdaptiveGroup = 9502, kCurrentMatrixGroup = 9503,
              kIntraGridGroup = 9504, kNonIntraGridGroup = 9505;

// Labels and notes (layout only).
constexpr int kChoiceNote = 9000, kChoiceNoteContinued = 9001, kFilesNote = 9002, kFormatsNote = 9003,
              kMtxFormatNote = 9004, kCqmFormatNote = 9005, kAdaptiveNote = 9006, kAdaptiveNoteContinued = 9007,
              kAdaptiveNoteEnd = 9008, kShownNote = 9009, kShownNoteContinued = 9010;

constexpr ControlSpec kControlsAboveGrids[] = {
    {.dialog = kMatrixPage, .id = kMatrixGroup, .kind = Kind::Group, .caption = "matrix"},
    {.dialog = kMatrixPage, .id = kChoiceNote, .kind = Kind::Static, .caption = "Use one of the built in matrices",
     .box = kMatrixGroup},
    {.dialog = kMatrixPage, .id = kChoiceNoteContinued, .kind = Kind::Static,
     .caption = "or use your own custom matrix.", .box = kMatrixGroup},
    {.dialog = kMatrixPage, .id = kBuiltInRadio, .kind = Kind::Radio, .caption = "built in matrix",
     .radio_group = kMatrixChoice, .flags = kStartsChecked, .box = kMatrixGroup},
    {.dialog = kMatrixPage, .id = kCustomRadio, .kind = Kind::Radio, .caption = "custom matrix",
     .radio_group = kMatrixChoice, .box = kMatrixGroup},

    {.dialog = kMatrixPage, .id = kBuiltInGroup, .kind = Kind::Group, .caption = "built in matrix"},
    {.dialog = kMatrixPage, .id = kBuiltInCombo, .kind = Kind::Combo, .flags = kComboEditable,
     .items = kBuiltInMatrixItems, .item_count = std::size(kBuiltInMatrixItems), .box = kBuiltInGroup},

    // The custom pair's files; usable only with "custom matrix".
    {.dialog = kMatrixPage, .id = kFilesNote, .kind = Kind::Static, .caption = "Load/save your own matrices"},
    {.dialog = kMatrixPage, .id = kFormatsNote, .kind = Kind::Static, .caption = "Supported formats:"},
    {.dialog = kMatrixPage, .id = kMtxFormatNote, .kind = Kind::Static, .caption = "- simple text file (mtx)"},
    {.dialog = kMatrixPage, .id = kCqmFormatNote, .kind = Kind::Static, .caption = "- binary format (cqm)"},
    {.dialog = kMatrixPage, .id = kLoadButton, .kind = Kind::Button, .caption = "load custom matrix",
     .flags = kStartsDisabled},
    {.dialog = kMatrixPage, .id = kSaveMtxButton, .kind = Kind::Button, .caption = "save custom matrix (mtx)",
     .flags = kStartsDisabled},
    {.dialog = kMatrixPage, .id = kSaveCqmButton, .kind = Kind::Button, .caption = "save custom matrix (cqm)",
     .flags = kStartsDisabled},

    {.dialog = kMatrixPage, .id = kAdaptiveGroup, .kind = Kind::Group, .caption = "adaptive matrix (advanced)"},
    {.dialog = kMatrixPage, .id = kAdaptiveMatrixCheck, .kind = Kind::Check, .caption = "adaptive matrix",
     .box = kAdaptiveGroup},
    {.dialog = kMatrixPage, .id = kAdaptiveNote, .kind = Kind::Static,
     .caption = "Write your own code to adapt matrices,", .box = kAdaptiveGroup},
    {.dialog = kMatrixPage, .id = kAdaptiveNoteContinued, .kind = Kind::Static,
     .caption = "see the manual for more information how", .box = kAdaptiveGroup},
    {.dialog = kMatrixPage, .id = kAdaptiveNoteEnd, .kind = Kind::Static, .caption = "to create the DLL.",
     .box = kAdaptiveGroup},

    {.dialog = kMatrixPage, .id = kShownNote, .kind = Kind::Static, .caption = "Matrices shown below"},
    {.dialog = kMatrixPage, .id = kShownNoteContinued, .kind = Kind::Static, .caption = "will be used for encoding."},
    {.dialog = kMatrixPage, .id = kCurrentMatrixGroup, .kind = Kind::Group, .caption = "current matrix"},
};

constexpr ControlSpec kIntraGrid = {
    .dialog = kMatrixPage, .id = kIntraGridGroup, .kind = Kind::Group, .caption = "intra", .box = kCurrentMatrixGroup};
constexpr ControlSpec kNonIntraGrid = {.dialog = kMatrixPage, .id = kNonIntraGridGroup, .kind = Kind::Group,
                                       .caption = "non-intra", .box = kCurrentMatrixGroup};

// Each grid is 64 boxes in raster order. They start disabled because the built-in pair is shown.
constexpr ControlSpec matrix_cell(int id, int box) {
    return {.dialog = kMatrixPage, .id = id, .kind = Kind::Edit, .flags = kDigitsOnly | kRightAligned | kStartsDisabled,
            .box = box};
}

constexpr std::size_t kControlCount = std::size(kControlsAboveGrids) + 2 + 2 * kCellsPerMatrix;

// Reading order: everything above the grids, then the intra grid row by row, then the non-intra grid.
constexpr std::array<ControlSpec, kControlCount> make_controls() {
    std::array<ControlSpec, kControlCount> all{};
    std::size_t n = 0;
    for (const ControlSpec& c : kControlsAboveGrids) all[n++] = c;
    all[n++] = kIntraGrid;
    for (int i = 0; i < kCellsPerMatrix; ++i) all[n++] = matrix_cell(intra_cell(i), kIntraGridGroup);
    all[n++] = kNonIntraGrid;
    for (int i = 0; i < kCellsPerMatrix; ++i) all[n++] = matrix_cell(non_intra_cell(i), kNonIntraGridGroup);
    return all;
}

constexpr std::array<ControlSpec, kControlCount> kControls = make_controls();
}  // namespace

std::span<const ControlSpec> matrix_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
