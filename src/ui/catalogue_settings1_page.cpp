// Dialog 104: the Settings 1 page (tab 2). Interlacing, chroma downsampling, GOP structure, constant
// quantisation, adaptive quantisation, dead zone and the "current QZ.ini" listing. Start states are
// those of a reset: automatic GOP on (so the GOP boxes are off), constant quantisation off.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 104;

// Radio groups of this page.
constexpr int kInterlacing = 1, kFieldOrder = 2, kChromaDownsampling = 3, kDeadZone = 4;

// Group boxes (layout only).
constexpr int kInterlacingBox = 9500, kChromaBox = 9501, kDeadZoneBox = 9502, kListingBox = 9503;

constexpr ControlSpec kControls[] = {
    // Interlacing options, with the field order beside them.
    {.dialog = D, .id = kInterlacingBox, .kind = Kind::Group, .caption = "interlacing options"},
    {.dialog = D, .id = 1201, .kind = Kind::Radio, .caption = "auto detect", .radio_group = kInterlacing,
     .flags = kStartsChecked, .box = kInterlacingBox},
    {.dialog = D, .id = 1202, .kind = Kind::Radio, .caption = "progressive", .radio_group = kInterlacing,
     .box = kInterlacingBox},
    {.dialog = D, .id = 1203, .kind = Kind::Radio, .caption = "interlaced", .radio_group = kInterlacing,
     .box = kInterlacingBox},
    {.dialog = D, .id = 1204, .kind = Kind::Radio, .caption = "Digital Video source", .radio_group = kInterlacing,
     .box = kInterlacingBox},
    {.dialog = D, .id = 1205, .kind = Kind::Radio, .caption = "TFF", .radio_group = kFieldOrder,
     .flags = kStartsChecked, .box = kInterlacingBox},
    {.dialog = D, .id = 1206, .kind = Kind::Radio, .caption = "BFF", .radio_group = kFieldOrder,
     .box = kInterlacingBox},

    {.dialog = D, .id = kChromaBox, .kind = Kind::Group, .caption = "chroma downsampling"},
    {.dialog = D, .id = 1219, .kind = Kind::Radio, .caption = "progressive", .radio_group = kChromaDownsampling,
     .flags = kStartsChecked, .box = kChromaBox},
    {.dialog = D, .id = 1220, .kind = Kind::Radio, .caption = "interlaced", .radio_group = kChromaDownsampling,
     .box = kChromaBox},

    // GOP structure; used only while "autogop" on the Main page is off.
    {.dialog = D, .id = 9000, .kind = Kind::Static, .caption = "GOP length"},
    {.dialog = D, .id = 1208, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled},
    {.dialog = D, .id = 1209, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 1, .range_max = 36,
     .initial_pos = 15},
    {.dialog = D, .id = 9001, .kind = Kind::Static, .caption = "B frames"},
    {.dialog = D, .id = 1207, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled},
    // The upper end follows the maximum number of B frames (2, or 3 with "allow 3 B-frames").
    {.dialog = D, .id = 1210, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 0, .range_max = 2,
     .initial_pos = 2},
    {.dialog = D, .id = 9002, .kind = Kind::Static, .caption = "Max GOP length for PAL = 15, NTSC = 18"},
    {.dialog = D, .id = 9003, .kind = Kind::Static, .caption = "For 23.976 NTSC (pulldown) use GOP length 14 or less."},

    // Constant quantisation; the factor spins pick one of 32 factors, position 9 being 1.0.
    {.dialog = D, .id = 1211, .kind = Kind::Check, .caption = "Constant Quantization"},
    {.dialog = D, .id = 9004, .kind = Kind::Static, .caption = "One pass encoding using a Constant Quantizer."},
    {.dialog = D, .id = 9005, .kind = Kind::Static, .caption = "Quant value"},
    {.dialog = D, .id = 1212, .kind = Kind::Edit, .flags = kStartsDisabled},
    {.dialog = D, .id = 9006, .kind = Kind::Static, .caption = "(non-linear)"},
    {.dialog = D, .id = 1214, .kind = Kind::Check, .caption = "check max bitrate", .flags = kStartsDisabled},
    {.dialog = D, .id = 9007, .kind = Kind::Static, .caption = "P-factor for Quant"},
    {.dialog = D, .id = 1213, .kind = Kind::Edit, .flags = kReadOnly | kStartsDisabled},
    {.dialog = D, .id = 1217, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 1, .range_max = 32,
     .initial_pos = 9},
    {.dialog = D, .id = 9008, .kind = Kind::Static, .caption = "B-factor for Quant"},
    {.dialog = D, .id = 1216, .kind = Kind::Edit, .flags = kReadOnly | kStartsDisabled},
    {.dialog = D, .id = 1218, .kind = Kind::UpDown, .flags = kStartsDisabled, .range_min = 1, .range_max = 32,
     .initial_pos = 9},

    // Adaptive quantisation strength 0 to 4, default 2; the box beside the slider shows it.
    {.dialog = D, .id = 9009, .kind = Kind::Static, .caption = "AQ"},
    {.dialog = D, .id = 1230, .kind = Kind::TrackBar, .range_min = 0, .range_max = 4, .initial_pos = 2},
    {.dialog = D, .id = 1231, .kind = Kind::Edit, .flags = kReadOnly},

    // Dead zone: the value boxes are used only with "set values".
    {.dialog = D, .id = kDeadZoneBox, .kind = Kind::Group, .caption = "dead zone settings"},
    {.dialog = D, .id = 1240, .kind = Kind::Radio, .caption = "off", .radio_group = kDeadZone, .box = kDeadZoneBox},
    {.dialog = D, .id = 1241, .kind = Kind::Radio, .caption = "auto", .radio_group = kDeadZone,
     .flags = kStartsChecked, .box = kDeadZoneBox},
    {.dialog = D, .id = 1242, .kind = Kind::Radio, .caption = "set values", .radio_group = kDeadZone,
     .box = kDeadZoneBox},
    {.dialog = D, .id = 9010, .kind = Kind::Static, .caption = "intra", .box = kDeadZoneBox},
    {.dialog = D, .id = 1243, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled, .box = kDeadZoneBox},
    {.dialog = D, .id = 9011, .kind = Kind::Static, .caption = "non-intra", .box = kDeadZoneBox},
    {.dialog = D, .id = 1244, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled, .box = kDeadZoneBox},

    // The settings file as a save would write it now; the same list id on Settings 1 to 3.
    {.dialog = D, .id = kListingBox, .kind = Kind::Group, .caption = "current QZ.ini"},
    {.dialog = D, .id = 1215, .kind = Kind::List, .flags = kMonospace, .box = kListingBox},
};
}  // namespace

std::span<const ControlSpec> settings1_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
