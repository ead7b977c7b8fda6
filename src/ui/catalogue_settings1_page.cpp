// The Settings 1 page (tab 2). Interlacing, chroma downsampling, GOP structure, constant
// quantisation, adaptive quantisation, dead zone and the "current QZ.ini" listing. Start states are
// those of a reset: automatic GOP on (so the GOP boxes are off), constant quantisation off.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings1_page.h"

namespace qz::ui::catalogue_parts {

namespace {
using dialog::kSettings1Page;
using namespace settings1_ids;

// Radio groups of this page.
constexpr int kInterlacing = 1, kFieldOrder = 2, kChromaDownsampling = 3, kDeadZone = 4;

// Group boxes (layout only).
constexpr int kInterlacingGroup = 9500, kChromaGroup = 9501, kDeadZoneGroup = 9502, kListingGroup = 9503;

// Labels and notes (layout only).
constexpr int kGopLengthLabel = 9000, kBFramesLabel = 9001, kGopLimitsNote = 9002, kPulldownGopNote = 9003,
              kConstantQuantisationNote = 9004, kQuantiserLabel = 9005, kNonLinearNote = 9006, kPFactorLabel = 9007,
              kBFactorLabel = 9008, kAqLabel = 9009, kDeadZoneIntraLabel = 9010, kDeadZoneNonIntraLabel = 9011;

constexpr ControlSpec kControls[] = {
    // Interlacing options, with the field order beside them.
    {.dialog = kSettings1Page, .id = kInterlacingGroup, .kind = Kind::Group, .caption = "interlacing options"},
    {.dialog = kSettings1Page, .id = kAutoDetectRadio, .kind = Kind::Radio, .caption = "auto detect",
     .radio_group = kInterlacing, .flags = kStartsChecked, .box = kInterlacingGroup},
    {.dialog = kSettings1Page, .id = kProgressiveRadio, .kind = Kind::Radio, .caption = "progressive",
     .radio_group = kInterlacing, .box = kInterlacingGroup},
    {.dialog = kSettings1Page, .id = kInterlacedRadio, .kind = Kind::Radio, .caption = "interlaced",
     .radio_group = kInterlacing, .box = kInterlacingGroup},
    {.dialog = kSettings1Page, .id = kDvSourceRadio, .kind = Kind::Radio, .caption = "Digital Video source",
     .radio_group = kInterlacing, .box = kInterlacingGroup},
    {.dialog = kSettings1Page, .id = kTffRadio, .kind = Kind::Radio, .caption = "TFF", .radio_group = kFieldOrder,
     .flags = kStartsChecked, .box = kInterlacingGroup},
    {.dialog = kSettings1Page, .id = kBffRadio, .kind = Kind::Radio, .caption = "BFF", .radio_group = kFieldOrder,
     .box = kInterlacingGroup},

    {.dialog = kSettings1Page, .id = kChromaGroup, .kind = Kind::Group, .caption = "chroma downsampling"},
    {.dialog = kSettings1Page, .id = kChromaProgressiveRadio, .kind = Kind::Radio, .caption = "progressive",
     .radio_group = kChromaDownsampling, .flags = kStartsChecked, .box = kChromaGroup},
    {.dialog = kSettings1Page, .id = kChromaInterlacedRadio, .kind = Kind::Radio, .caption = "interlaced",
     .radio_group = kChromaDownsampling, .box = kChromaGroup},

    // GOP structure; used only while "autogop" on the Main page is off.
    {.dialog = kSettings1Page, .id = kGopLengthLabel, .kind = Kind::Static, .caption = "GOP length"},
    {.dialog = kSettings1Page, .id = kGopLengthBox, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled},
    {.dialog = kSettings1Page, .id = kGopLengthSpin, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 1,
     .range_max = 36, .initial_pos = 15},
    {.dialog = kSettings1Page, .id = kBFramesLabel, .kind = Kind::Static, .caption = "B frames"},
    {.dialog = kSettings1Page, .id = kBFramesBox, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled},
    // The upper end follows the maximum number of B frames (2, or 3 with "allow 3 B-frames").
    {.dialog = kSettings1Page, .id = kBFramesSpin, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 0,
     .range_max = 2, .initial_pos = 2},
    {.dialog = kSettings1Page, .id = kGopLimitsNote, .kind = Kind::Static,
     .caption = "Max GOP length for PAL = 15, NTSC = 18"},
    {.dialog = kSettings1Page, .id = kPulldownGopNote, .kind = Kind::Static,
     .caption = "For 23.976 NTSC (pulldown) use GOP length 14 or less."},

    // Constant quantisation; the factor spins pick one of 32 factors, position 9 being 1.0.
    {.dialog = kSettings1Page, .id = kConstantQuantisationCheck, .kind = Kind::Check,
     .caption = "Constant Quantization"},
    {.dialog = kSettings1Page, .id = kConstantQuantisationNote, .kind = Kind::Static,
     .caption = "One pass encoding using a Constant Quantizer."},
    {.dialog = kSettings1Page, .id = kQuantiserLabel, .kind = Kind::Static, .caption = "Quant value"},
    {.dialog = kSettings1Page, .id = kQuantiserBox, .kind = Kind::Edit, .flags = kStartsDisabled},
    {.dialog = kSettings1Page, .id = kNonLinearNote, .kind = Kind::Static, .caption = "(non-linear)"},
    {.dialog = kSettings1Page, .id = kMaxBitrateCheck, .kind = Kind::Check, .caption = "check max bitrate",
     .flags = kStartsDisabled},
    {.dialog = kSettings1Page, .id = kPFactorLabel, .kind = Kind::Static, .caption = "P-factor for Quant"},
    {.dialog = kSettings1Page, .id = kPFactorBox, .kind = Kind::Edit, .flags = kReadOnly | kStartsDisabled},
    {.dialog = kSettings1Page, .id = kPFactorSpin, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 1,
     .range_max = 32, .initial_pos = 9},
    {.dialog = kSettings1Page, .id = kBFactorLabel, .kind = Kind::Static, .caption = "B-factor for Quant"},
    {.dialog = kSettings1Page, .id = kBFactorBox, .kind = Kind::Edit, .flags = kReadOnly | kStartsDisabled},
    {.dialog = kSettings1Page, .id = kBFactorSpin, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 1,
     .range_max = 32, .initial_pos = 9},

    // Adaptive quantisation strength 0 to 4, default 2; the box beside the slider shows it.
    {.dialog = kSettings1Page, .id = kAqLabel, .kind = Kind::Static, .caption = "AQ"},
    {.dialog = kSettings1Page, .id = kAqSlider, .kind = Kind::TrackBar, .range_min = 0, .range_max = 4,
     .initial_pos = 2},
    {.dialog = kSettings1Page, .id = kAqBox, .kind = Kind::Edit, .flags = kReadOnly},

    // Dead zone: the value boxes are used only with "set values".
    {.dialog = kSettings1Page, .id = kDeadZoneGroup, .kind = Kind::Group, .caption = "dead zone settings"},
    {.dialog = kSettings1Page, .id = kDeadZoneOffRadio, .kind = Kind::Radio, .caption = "off", .radio_group = kDeadZone,
     .box = kDeadZoneGroup},
    {.dialog = kSettings1Page, .id = kDeadZoneAutoRadio, .kind = Kind::Radio, .caption = "auto",
     .radio_group = kDeadZone, .flags = kStartsChecked, .box = kDeadZoneGroup},
    {.dialog = kSettings1Page, .id = kDeadZoneValuesRadio, .kind = Kind::Radio, .caption = "set values",
     .radio_group = kDeadZone, .box = kDeadZoneGroup},
    {.dialog = kSettings1Page, .id = kDeadZoneIntraLabel, .kind = Kind::Static, .caption = "intra",
     .box = kDeadZoneGroup},
    {.dialog = kSettings1Page, .id = kDeadZoneIntraBox, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled,
     .box = kDeadZoneGroup},
    {.dialog = kSettings1Page, .id = kDeadZoneNonIntraLabel, .kind = Kind::Static, .caption = "non-intra",
     .box = kDeadZoneGroup},
    {.dialog = kSettings1Page, .id = kDeadZoneNonIntraBox, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled,
     .box = kDeadZoneGroup},

    // The settings file as a save would write it now; the same list id on Settings 1 to 3.
    {.dialog = kSettings1Page, .id = kListingGroup, .kind = Kind::Group, .caption = "current QZ.ini"},
    {.dialog = kSettings1Page, .id = kListing, .kind = Kind::List, .flags = kMonospace, .box = kListingGroup},
};
}  // namespace

std::span<const ControlSpec> settings1_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
