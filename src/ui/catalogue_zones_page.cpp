// Dialog 109: the Preview/Zones page (tab 7). The preview picture with the shared frame navigation, the
// zone list (bitrate factors from a frame on) with its buttons, and the bitmap snapshot of a frame.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = dialog::kZonesPage;

// Labels (layout only).
constexpr int kPurposeLabel = 9000;
constexpr int kExampleLabel = 9001;
constexpr int kColumnHeaderLabel = 9002;

constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = preview_ids::kPicture, .kind = Kind::Preview},

    // Frame navigation, as on the other two preview pages.
    {.dialog = D, .id = preview_ids::kLargeBack, .kind = Kind::Button, .caption = "<<<"},
    {.dialog = D, .id = preview_ids::kSmallBack, .kind = Kind::Button, .caption = "<<"},
    {.dialog = D, .id = preview_ids::kStepBack, .kind = Kind::Button, .caption = "<"},
    {.dialog = D, .id = preview_ids::kCurrentFrame, .kind = Kind::Edit},
    {.dialog = D, .id = preview_ids::kStepForward, .kind = Kind::Button, .caption = ">"},
    {.dialog = D, .id = preview_ids::kSmallForward, .kind = Kind::Button, .caption = ">>"},
    {.dialog = D, .id = preview_ids::kLargeForward, .kind = Kind::Button, .caption = ">>>"},
    {.dialog = D, .id = preview_ids::kSlider, .kind = Kind::TrackBar, .range_min = 0, .range_max = 1000, .initial_pos = 0},

    {.dialog = D, .id = kPurposeLabel, .kind = Kind::Static, .caption = "Raise or lower the bitrate for parts of the video."},
    {.dialog = D, .id = kExampleLabel, .kind = Kind::Static,
     .caption = "Example: 0.5 will lower the bitrate starting at the current frame."},
    // The factor, 0.2 to 5.0 with one decimal.
    {.dialog = D, .id = zones_ids::kFactor, .kind = Kind::Edit},
    {.dialog = D, .id = zones_ids::kSetZone, .kind = Kind::Button, .caption = "set zone"},

    // Lines of a frame right-aligned in 8 characters, "|" and the factor, under their column header.
    {.dialog = D, .id = kColumnHeaderLabel, .kind = Kind::Static, .caption = "frame | value"},
    {.dialog = D, .id = zones_ids::kList, .kind = Kind::List, .flags = kMonospace},
    {.dialog = D, .id = zones_ids::kRemove, .kind = Kind::Button, .caption = "remove zone"},
    {.dialog = D, .id = zones_ids::kClear, .kind = Kind::Button, .caption = "clear zone list"},

    {.dialog = D, .id = zones_ids::kCreateBitmap, .kind = Kind::Button, .caption = "create bitmap"},
};
}  // namespace

std::span<const ControlSpec> zones_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
