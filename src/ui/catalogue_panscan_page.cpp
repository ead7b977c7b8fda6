// Dialog 110: the Preview/PanScan page (tab 8). The preview picture with the shared frame navigation
// (its current frame box has an id of its own here), the 4:3 window position and the pan-scan list
// with its buttons and files. Only the horizontal offset is used: the vertical offset and the window
// size boxes stay disabled.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = dialog::kPanScanPage;

// Group box (layout only).
constexpr int kPositionBox = 9500;

// Labels (layout only).
constexpr int kHorizontalLabel = 9000;
constexpr int kVerticalLabel = 9001;
constexpr int kWidthLabel = 9002;
constexpr int kHeightLabel = 9003;
constexpr int kColumnHeaderLabel = 9004;

constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = preview_ids::kPicture, .kind = Kind::Preview},

    // Frame navigation, as on the other two preview pages.
    {.dialog = D, .id = preview_ids::kLargeBack, .kind = Kind::Button, .caption = "<<<"},
    {.dialog = D, .id = preview_ids::kSmallBack, .kind = Kind::Button, .caption = "<<"},
    {.dialog = D, .id = preview_ids::kStepBack, .kind = Kind::Button, .caption = "<"},
    {.dialog = D, .id = preview_ids::kPanScanCurrentFrame, .kind = Kind::Edit},
    {.dialog = D, .id = preview_ids::kStepForward, .kind = Kind::Button, .caption = ">"},
    {.dialog = D, .id = preview_ids::kSmallForward, .kind = Kind::Button, .caption = ">>"},
    {.dialog = D, .id = preview_ids::kLargeForward, .kind = Kind::Button, .caption = ">>>"},
    {.dialog = D, .id = preview_ids::kSlider, .kind = Kind::TrackBar, .range_min = 0, .range_max = 1000, .initial_pos = 0},

    // Offsets in sixteenths of a pixel; the buttons move by one pixel. Offsets may be negative.
    {.dialog = D, .id = kPositionBox, .kind = Kind::Group, .caption = "panscan position"},
    {.dialog = D, .id = kHorizontalLabel, .kind = Kind::Static, .caption = "horizontal", .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kLeft, .kind = Kind::Button, .caption = "<", .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kHorizontal, .kind = Kind::Edit, .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kRight, .kind = Kind::Button, .caption = ">", .box = kPositionBox},
    {.dialog = D, .id = kVerticalLabel, .kind = Kind::Static, .caption = "vertical", .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kUp, .kind = Kind::Button, .caption = "^", .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kVertical, .kind = Kind::Edit, .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kDown, .kind = Kind::Button, .caption = "v", .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = kWidthLabel, .kind = Kind::Static, .caption = "w", .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kWidth, .kind = Kind::Edit, .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = kHeightLabel, .kind = Kind::Static, .caption = "h", .box = kPositionBox},
    {.dialog = D, .id = panscan_ids::kHeight, .kind = Kind::Edit, .flags = kStartsDisabled, .box = kPositionBox},

    // Lines of a frame right-aligned in 8 characters, "|" and the offset, under their column header.
    {.dialog = D, .id = kColumnHeaderLabel, .kind = Kind::Static, .caption = "frame | value"},
    {.dialog = D, .id = panscan_ids::kList, .kind = Kind::List, .flags = kMonospace},
    {.dialog = D, .id = panscan_ids::kAdd, .kind = Kind::Button, .caption = "add"},
    {.dialog = D, .id = panscan_ids::kRemove, .kind = Kind::Button, .caption = "remove"},
    {.dialog = D, .id = panscan_ids::kClear, .kind = Kind::Button, .caption = "clear list"},
    {.dialog = D, .id = panscan_ids::kImport, .kind = Kind::Button, .caption = "import panscan list from file"},
    {.dialog = D, .id = panscan_ids::kExport, .kind = Kind::Button, .caption = "export panscan list to file"},
};
}  // namespace

std::span<const ControlSpec> panscan_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
