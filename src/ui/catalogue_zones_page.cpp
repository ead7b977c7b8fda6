// Dialog 109: the Preview/Zones page (tab 7). The preview picture with the shared frame navigation, the
// zone list (bitrate factors from a frame on) with its buttons, and the bitmap snapshot of a frame.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 109;

constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 9900, .kind = Kind::Preview},

    // Frame navigation, as on the other two preview pages.
    {.dialog = D, .id = 1609, .kind = Kind::Button, .caption = "<<<"},
    {.dialog = D, .id = 1607, .kind = Kind::Button, .caption = "<<"},
    {.dialog = D, .id = 1605, .kind = Kind::Button, .caption = "<"},
    {.dialog = D, .id = 1603, .kind = Kind::Edit},
    {.dialog = D, .id = 1606, .kind = Kind::Button, .caption = ">"},
    {.dialog = D, .id = 1608, .kind = Kind::Button, .caption = ">>"},
    {.dialog = D, .id = 1610, .kind = Kind::Button, .caption = ">>>"},
    {.dialog = D, .id = 1611, .kind = Kind::TrackBar, .range_min = 0, .range_max = 1000, .initial_pos = 0},

    {.dialog = D, .id = 9000, .kind = Kind::Static, .caption = "Raise or lower the bitrate for parts of the video."},
    {.dialog = D, .id = 9001, .kind = Kind::Static,
     .caption = "Example: 0.5 will lower the bitrate starting at the current frame."},
    // The factor, 0.2 to 5.0 with one decimal.
    {.dialog = D, .id = 1711, .kind = Kind::Edit},
    {.dialog = D, .id = 1712, .kind = Kind::Button, .caption = "set zone"},

    // Lines of a frame right-aligned in 8 characters, "|" and the factor, under their column header.
    {.dialog = D, .id = 9002, .kind = Kind::Static, .caption = "frame | value"},
    {.dialog = D, .id = 1702, .kind = Kind::List, .flags = kMonospace},
    {.dialog = D, .id = 1713, .kind = Kind::Button, .caption = "remove zone"},
    {.dialog = D, .id = 1714, .kind = Kind::Button, .caption = "clear zone list"},

    {.dialog = D, .id = 1715, .kind = Kind::Button, .caption = "create bitmap"},
};
}  // namespace

std::span<const ControlSpec> zones_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
