// Dialog 110: the Preview/PanScan page (tab 8). The preview picture with the shared frame navigation
// (its current frame box has an id of its own here), the 4:3 window position and the pan-scan list
// with its buttons and files. Only the horizontal offset is used: the vertical offset and the window
// size boxes stay disabled.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 110;

// Group box (layout only).
constexpr int kPositionBox = 9500;

constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 9900, .kind = Kind::Preview},

    // Frame navigation, as on the other two preview pages.
    {.dialog = D, .id = 1609, .kind = Kind::Button, .caption = "<<<"},
    {.dialog = D, .id = 1607, .kind = Kind::Button, .caption = "<<"},
    {.dialog = D, .id = 1605, .kind = Kind::Button, .caption = "<"},
    {.dialog = D, .id = 1811, .kind = Kind::Edit},
    {.dialog = D, .id = 1606, .kind = Kind::Button, .caption = ">"},
    {.dialog = D, .id = 1608, .kind = Kind::Button, .caption = ">>"},
    {.dialog = D, .id = 1610, .kind = Kind::Button, .caption = ">>>"},
    {.dialog = D, .id = 1611, .kind = Kind::TrackBar, .range_min = 0, .range_max = 1000, .initial_pos = 0},

    // Offsets in sixteenths of a pixel; the buttons move by one pixel. Offsets may be negative.
    {.dialog = D, .id = kPositionBox, .kind = Kind::Group, .caption = "panscan position"},
    {.dialog = D, .id = 9000, .kind = Kind::Static, .caption = "horizontal", .box = kPositionBox},
    {.dialog = D, .id = 1822, .kind = Kind::Button, .caption = "<", .box = kPositionBox},
    {.dialog = D, .id = 1812, .kind = Kind::Edit, .box = kPositionBox},
    {.dialog = D, .id = 1823, .kind = Kind::Button, .caption = ">", .box = kPositionBox},
    {.dialog = D, .id = 9001, .kind = Kind::Static, .caption = "vertical", .box = kPositionBox},
    {.dialog = D, .id = 1824, .kind = Kind::Button, .caption = "^", .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = 1813, .kind = Kind::Edit, .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = 1825, .kind = Kind::Button, .caption = "v", .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = 9002, .kind = Kind::Static, .caption = "w", .box = kPositionBox},
    {.dialog = D, .id = 1814, .kind = Kind::Edit, .flags = kStartsDisabled, .box = kPositionBox},
    {.dialog = D, .id = 9003, .kind = Kind::Static, .caption = "h", .box = kPositionBox},
    {.dialog = D, .id = 1815, .kind = Kind::Edit, .flags = kStartsDisabled, .box = kPositionBox},

    // Lines of a frame right-aligned in 8 characters, "|" and the offset, under their column header.
    {.dialog = D, .id = 9004, .kind = Kind::Static, .caption = "frame | value"},
    {.dialog = D, .id = 1821, .kind = Kind::List, .flags = kMonospace},
    {.dialog = D, .id = 1819, .kind = Kind::Button, .caption = "add"},
    {.dialog = D, .id = 1820, .kind = Kind::Button, .caption = "remove"},
    {.dialog = D, .id = 1818, .kind = Kind::Button, .caption = "clear list"},
    {.dialog = D, .id = 1816, .kind = Kind::Button, .caption = "import panscan list from file"},
    {.dialog = D, .id = 1817, .kind = Kind::Button, .caption = "export panscan list to file"},
};
}  // namespace

std::span<const ControlSpec> panscan_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
