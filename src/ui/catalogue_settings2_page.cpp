// The Settings 2 page (tab 3). Rate-control tweaks, the encoder's own switches, stream
// flags, luminance gain, mask and shift lines and the "current QZ.ini" listing. Start states are
// those of a reset.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings2_page.h"

#include <iterator>

namespace qz::ui::catalogue_parts {

namespace {
using dialog::kSettings2Page;
using namespace settings2_ids;

// The first item of each list is the default; the colour list shows only the named colour primaries.
constexpr const char* kIntraVlcItems[] = {"AUTO", "TABLE 14", "TABLE 15"};
constexpr const char* kColorimetryItems[] = {"DEFAULT", "BT.709", "BT.470-2M", "BT.470-2BG", "SMPTE170M", "SMPTE240M"};
constexpr const char* kMpegLevelItems[] = {"AUTO", "MP@ML", "MP@H-14", "MP@HL"};

// Group boxes (layout only).
constexpr int kLuminanceGainGroup = 9500, kListingGroup = 9501;

// Labels and notes (layout only).
constexpr int kVbrBiasLabel = 9000, kMinBitrateFactorLabel = 9001, kWaitLabel = 9002, kIntraVlcLabel = 9003,
              kColorimetryLabel = 9004, kMpegLevelLabel = 9005, kAdaptNote = 9006, kDarkScenesNote = 9007,
              kNoChangeNote = 9008, kMaximumChangeNote = 9009, kMaskNote = 9010, kMaskTopLabel = 9011,
              kMaskBottomLabel = 9012, kShiftLinesLabel = 9013, kEvenValuesNote = 9014;

constexpr ControlSpec kControls[] = {
    // Rate-control tweaks and the encoder's wait before its window closes.
    {.dialog = kSettings2Page, .id = kVbrBiasLabel, .kind = Kind::Static, .caption = "VBR bias (0 - 100)"},
    {.dialog = kSettings2Page, .id = kVbrBiasBox, .kind = Kind::Edit, .flags = kDigitsOnly},
    {.dialog = kSettings2Page, .id = kMinBitrateFactorLabel, .kind = Kind::Static, .caption = "min bitrate factor"},
    {.dialog = kSettings2Page, .id = kMinBitrateFactorBox, .kind = Kind::Edit},
    {.dialog = kSettings2Page, .id = kWaitLabel, .kind = Kind::Static, .caption = "wait for exit (sec)"},
    {.dialog = kSettings2Page, .id = kWaitBox, .kind = Kind::Edit, .flags = kDigitsOnly},

    // Switches. "progressive sequence" is off and unavailable while interlacing is "auto detect".
    {.dialog = kSettings2Page, .id = kProgressiveSequenceCheck, .kind = Kind::Check, .caption = "progressive sequence",
     .flags = kStartsDisabled},
    {.dialog = kSettings2Page, .id = kAllow3BFramesCheck, .kind = Kind::Check, .caption = "allow 3 B-frames"},
    {.dialog = kSettings2Page, .id = kSeqEndcodeCheck, .kind = Kind::Check, .caption = "seq endcode",
     .flags = kStartsChecked},
    {.dialog = kSettings2Page, .id = kFrameLogCheck, .kind = Kind::Check, .caption = "framelog file"},
    {.dialog = kSettings2Page, .id = kPsnrCheck, .kind = Kind::Check, .caption = "PSNR"},
    {.dialog = kSettings2Page, .id = kLastIFrameCheck, .kind = Kind::Check, .caption = "last I-frame"},
    {.dialog = kSettings2Page, .id = kVbvCheck, .kind = Kind::Check, .caption = "VBV check", .flags = kStartsChecked},
    {.dialog = kSettings2Page, .id = kSilentCheck, .kind = Kind::Check, .caption = "silent"},
    {.dialog = kSettings2Page, .id = kScdFileCheck, .kind = Kind::Check, .caption = "scd file"},
    {.dialog = kSettings2Page, .id = kPreviewCheck, .kind = Kind::Check, .caption = "preview"},
    {.dialog = kSettings2Page, .id = kShutdownCheck, .kind = Kind::Check, .caption = "shutdown"},

    // Stream flags: drop-down lists without an edit field.
    {.dialog = kSettings2Page, .id = kIntraVlcLabel, .kind = Kind::Static, .caption = "IntraVLC"},
    {.dialog = kSettings2Page, .id = kIntraVlcCombo, .kind = Kind::Combo, .items = kIntraVlcItems,
     .item_count = std::size(kIntraVlcItems)},
    {.dialog = kSettings2Page, .id = kColorimetryLabel, .kind = Kind::Static, .caption = "colorimetry"},
    {.dialog = kSettings2Page, .id = kColorimetryCombo, .kind = Kind::Combo, .items = kColorimetryItems,
     .item_count = std::size(kColorimetryItems)},
    {.dialog = kSettings2Page, .id = kMpegLevelLabel, .kind = Kind::Static, .caption = "MPG level"},
    {.dialog = kSettings2Page, .id = kMpegLevelCombo, .kind = Kind::Combo, .items = kMpegLevelItems,
     .item_count = std::size(kMpegLevelItems)},

    // Luminance gain 0 to 4, default 0; the box beside the slider shows it.
    {.dialog = kSettings2Page, .id = kLuminanceGainGroup, .kind = Kind::Group, .caption = "luminance gain"},
    {.dialog = kSettings2Page, .id = kAdaptNote, .kind = Kind::Static, .caption = "Adapt matrix on dark scenes.",
     .box = kLuminanceGainGroup},
    {.dialog = kSettings2Page, .id = kDarkScenesNote, .kind = Kind::Static,
     .caption = "Matrix values are decreased for dark scenes.", .box = kLuminanceGainGroup},
    {.dialog = kSettings2Page, .id = kLuminanceGainSlider, .kind = Kind::TrackBar, .range_min = 0, .range_max = 4,
     .initial_pos = 0, .box = kLuminanceGainGroup},
    {.dialog = kSettings2Page, .id = kLuminanceGainBox, .kind = Kind::Edit, .flags = kReadOnly,
     .box = kLuminanceGainGroup},
    {.dialog = kSettings2Page, .id = kNoChangeNote, .kind = Kind::Static, .caption = "0 = no matrix change",
     .box = kLuminanceGainGroup},
    {.dialog = kSettings2Page, .id = kMaximumChangeNote, .kind = Kind::Static, .caption = "4 = maximum matrix change",
     .box = kLuminanceGainGroup},

    // Mask and shift lines; the shift may be negative, so these boxes take a sign.
    {.dialog = kSettings2Page, .id = kMaskNote, .kind = Kind::Static,
     .caption = "Mask top and bottom lines.  Use shift lines to shift the video, positive values will shift the "
                "video upwards."},
    {.dialog = kSettings2Page, .id = kMaskTopLabel, .kind = Kind::Static, .caption = "nr. of top lines"},
    {.dialog = kSettings2Page, .id = kMaskTopBox, .kind = Kind::Edit},
    {.dialog = kSettings2Page, .id = kMaskBottomLabel, .kind = Kind::Static, .caption = "nr. of bottom lines"},
    {.dialog = kSettings2Page, .id = kMaskBottomBox, .kind = Kind::Edit},
    {.dialog = kSettings2Page, .id = kShiftLinesLabel, .kind = Kind::Static, .caption = "nr. of shift lines"},
    {.dialog = kSettings2Page, .id = kShiftLinesBox, .kind = Kind::Edit},
    {.dialog = kSettings2Page, .id = kEvenValuesNote, .kind = Kind::Static, .caption = "All values must be even."},

    {.dialog = kSettings2Page, .id = kListingGroup, .kind = Kind::Group, .caption = "current QZ.ini"},
    {.dialog = kSettings2Page, .id = kListing, .kind = Kind::List, .flags = kMonospace, .box = kListingGroup},
};
}  // namespace

std::span<const ControlSpec> settings2_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
