// Dialog 108: the Preview/Chapters page (tab 6). The preview picture with the frame navigation shared by
// the three preview pages, the frame range buttons, the chapter list with its buttons and files, and
// the scene-change scan.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/preview_pages.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = dialog::kChaptersPage;

constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = preview_ids::kPicture, .kind = Kind::Preview},

    // Frame navigation, laid out from the largest step back to the largest step forward around the
    // current frame box; the slider spans the video in 1000 positions.
    {.dialog = D, .id = preview_ids::kLargeBack, .kind = Kind::Button, .caption = "<<<"},
    {.dialog = D, .id = preview_ids::kSmallBack, .kind = Kind::Button, .caption = "<<"},
    {.dialog = D, .id = preview_ids::kStepBack, .kind = Kind::Button, .caption = "<"},
    {.dialog = D, .id = preview_ids::kCurrentFrame, .kind = Kind::Edit},
    {.dialog = D, .id = preview_ids::kStepForward, .kind = Kind::Button, .caption = ">"},
    {.dialog = D, .id = preview_ids::kSmallForward, .kind = Kind::Button, .caption = ">>"},
    {.dialog = D, .id = preview_ids::kLargeForward, .kind = Kind::Button, .caption = ">>>"},
    {.dialog = D, .id = preview_ids::kSlider, .kind = Kind::TrackBar, .range_min = 0, .range_max = 1000, .initial_pos = 0},

    {.dialog = D, .id = chapters_ids::kSetStartFrame, .kind = Kind::Button, .caption = "set current as start frame"},
    {.dialog = D, .id = chapters_ids::kSetEndFrame, .kind = Kind::Button, .caption = "set current as end frame"},

    // Chapter frame numbers, right-aligned in 8 characters: monospace keeps the column straight.
    {.dialog = D, .id = chapters_ids::kList, .kind = Kind::List, .flags = kMonospace},
    {.dialog = D, .id = chapters_ids::kAdd, .kind = Kind::Button, .caption = "add"},
    {.dialog = D, .id = chapters_ids::kRemove, .kind = Kind::Button, .caption = "remove"},
    {.dialog = D, .id = chapters_ids::kClear, .kind = Kind::Button, .caption = "clear list"},
    {.dialog = D, .id = chapters_ids::kImport, .kind = Kind::Button, .caption = "import chapter list from file"},
    {.dialog = D, .id = chapters_ids::kExport, .kind = Kind::Button, .caption = "export chapter list to file"},
    // Relabelled "stop scanning" while a scan runs.
    {.dialog = D, .id = chapters_ids::kSceneChangeScan, .kind = Kind::Button, .caption = "create SCD chapter list"},
};
}  // namespace

std::span<const ControlSpec> chapters_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
