// Dialog 108: the Preview/Chapters page (tab 6). The preview picture with the frame navigation shared by
// the three preview pages, the frame range buttons, the chapter list with its buttons and files, and
// the scene-change scan.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 108;

constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 9900, .kind = Kind::Preview},

    // Frame navigation, laid out from the largest step back to the largest step forward around the
    // current frame box; the slider spans the video in 1000 positions.
    {.dialog = D, .id = 1609, .kind = Kind::Button, .caption = "<<<"},
    {.dialog = D, .id = 1607, .kind = Kind::Button, .caption = "<<"},
    {.dialog = D, .id = 1605, .kind = Kind::Button, .caption = "<"},
    {.dialog = D, .id = 1603, .kind = Kind::Edit},
    {.dialog = D, .id = 1606, .kind = Kind::Button, .caption = ">"},
    {.dialog = D, .id = 1608, .kind = Kind::Button, .caption = ">>"},
    {.dialog = D, .id = 1610, .kind = Kind::Button, .caption = ">>>"},
    {.dialog = D, .id = 1611, .kind = Kind::TrackBar, .range_min = 0, .range_max = 1000, .initial_pos = 0},

    {.dialog = D, .id = 1601, .kind = Kind::Button, .caption = "set current as start frame"},
    {.dialog = D, .id = 1602, .kind = Kind::Button, .caption = "set current as end frame"},

    // Chapter frame numbers, right-aligned in 8 characters: monospace keeps the column straight.
    {.dialog = D, .id = 1604, .kind = Kind::List, .flags = kMonospace},
    {.dialog = D, .id = 1615, .kind = Kind::Button, .caption = "add"},
    {.dialog = D, .id = 1616, .kind = Kind::Button, .caption = "remove"},
    {.dialog = D, .id = 1614, .kind = Kind::Button, .caption = "clear list"},
    {.dialog = D, .id = 1612, .kind = Kind::Button, .caption = "import chapter list from file"},
    {.dialog = D, .id = 1613, .kind = Kind::Button, .caption = "export chapter list to file"},
    // Relabelled "stop scanning" while a scan runs.
    {.dialog = D, .id = 1617, .kind = Kind::Button, .caption = "create SCD chapter list"},
};
}  // namespace

std::span<const ControlSpec> chapters_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
