// Dialog 105: the Settings 2 page (tab 3). Rate-control tweaks, the encoder's own switches, stream
// flags, luminance gain, mask and shift lines and the "current QZ.ini" listing. Start states are
// those of a reset.
#include "ui/catalogue.h"

#include <iterator>

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 105;

// The first item of each list is the default; the colour list shows only the named colour primaries.
constexpr const char* kIntraVlcItems[] = {"AUTO", "TABLE 14", "TABLE 15"};
constexpr const char* kColorimetryItems[] = {"DEFAULT", "BT.709", "BT.470-2M", "BT.470-2BG", "SMPTE170M", "SMPTE240M"};
constexpr const char* kMpegLevelItems[] = {"AUTO", "MP@ML", "MP@H-14", "MP@HL"};

// Group boxes (layout only).
constexpr int kLuminanceGainBox = 9500, kListingBox = 9501;

constexpr ControlSpec kControls[] = {
    // Rate-control tweaks and the encoder's wait before its window closes.
    {.dialog = D, .id = 9000, .kind = Kind::Static, .caption = "VBR bias (0 - 100)"},
    {.dialog = D, .id = 1306, .kind = Kind::Edit, .flags = kDigitsOnly},
    {.dialog = D, .id = 9001, .kind = Kind::Static, .caption = "min bitrate factor"},
    {.dialog = D, .id = 1305, .kind = Kind::Edit},
    {.dialog = D, .id = 9002, .kind = Kind::Static, .caption = "wait for exit (sec)"},
    {.dialog = D, .id = 1316, .kind = Kind::Edit, .flags = kDigitsOnly},

    // Switches. "progressive sequence" is off and unavailable while interlacing is "auto detect".
    {.dialog = D, .id = 1317, .kind = Kind::Check, .caption = "progressive sequence", .flags = kStartsDisabled},
    {.dialog = D, .id = 1327, .kind = Kind::Check, .caption = "allow 3 B-frames"},
    {.dialog = D, .id = 1308, .kind = Kind::Check, .caption = "seq endcode", .flags = kStartsChecked},
    {.dialog = D, .id = 1314, .kind = Kind::Check, .caption = "framelog file"},
    {.dialog = D, .id = 1315, .kind = Kind::Check, .caption = "PSNR"},
    {.dialog = D, .id = 1312, .kind = Kind::Check, .caption = "last I-frame"},
    {.dialog = D, .id = 1307, .kind = Kind::Check, .caption = "VBV check", .flags = kStartsChecked},
    {.dialog = D, .id = 1311, .kind = Kind::Check, .caption = "silent"},
    {.dialog = D, .id = 1313, .kind = Kind::Check, .caption = "scd file"},
    {.dialog = D, .id = 1310, .kind = Kind::Check, .caption = "preview"},
    {.dialog = D, .id = 1309, .kind = Kind::Check, .caption = "shutdown"},

    // Stream flags: drop-down lists without an edit field.
    {.dialog = D, .id = 9003, .kind = Kind::Static, .caption = "IntraVLC"},
    {.dialog = D, .id = 1329, .kind = Kind::Combo, .items = kIntraVlcItems, .item_count = std::size(kIntraVlcItems)},
    {.dialog = D, .id = 9004, .kind = Kind::Static, .caption = "colorimetry"},
    {.dialog = D, .id = 1328, .kind = Kind::Combo, .items = kColorimetryItems,
     .item_count = std::size(kColorimetryItems)},
    {.dialog = D, .id = 9005, .kind = Kind::Static, .caption = "MPG level"},
    {.dialog = D, .id = 1325, .kind = Kind::Combo, .items = kMpegLevelItems, .item_count = std::size(kMpegLevelItems)},

    // Luminance gain 0 to 4, default 0; the box beside the slider shows it.
    {.dialog = D, .id = kLuminanceGainBox, .kind = Kind::Group, .caption = "luminance gain"},
    {.dialog = D, .id = 9006, .kind = Kind::Static, .caption = "Adapt matrix on dark scenes.",
     .box = kLuminanceGainBox},
    {.dialog = D, .id = 9007, .kind = Kind::Static, .caption = "Matrix values are decreased for dark scenes.",
     .box = kLuminanceGainBox},
    {.dialog = D, .id = 1320, .kind = Kind::TrackBar, .range_min = 0, .range_max = 4, .initial_pos = 0,
     .box = kLuminanceGainBox},
    {.dialog = D, .id = 1321, .kind = Kind::Edit, .flags = kReadOnly, .box = kLuminanceGainBox},
    {.dialog = D, .id = 9008, .kind = Kind::Static, .caption = "0 = no matrix change", .box = kLuminanceGainBox},
    {.dialog = D, .id = 9009, .kind = Kind::Static, .caption = "4 = maximum matrix change", .box = kLuminanceGainBox},

    // Mask and shift lines; the shift may be negative, so these boxes take a sign.
    {.dialog = D, .id = 9010, .kind = Kind::Static,
     .caption = "Mask top and bottom lines.  Use shift lines to shift the video, positive values will shift the "
                "video upwards."},
    {.dialog = D, .id = 9011, .kind = Kind::Static, .caption = "nr. of top lines"},
    {.dialog = D, .id = 1322, .kind = Kind::Edit},
    {.dialog = D, .id = 9012, .kind = Kind::Static, .caption = "nr. of bottom lines"},
    {.dialog = D, .id = 1323, .kind = Kind::Edit},
    {.dialog = D, .id = 9013, .kind = Kind::Static, .caption = "nr. of shift lines"},
    {.dialog = D, .id = 1324, .kind = Kind::Edit},
    {.dialog = D, .id = 9014, .kind = Kind::Static, .caption = "All values must be even."},

    {.dialog = D, .id = kListingBox, .kind = Kind::Group, .caption = "current QZ.ini"},
    {.dialog = D, .id = 1215, .kind = Kind::List, .flags = kMonospace, .box = kListingBox},
};
}  // namespace

std::span<const ControlSpec> settings2_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
