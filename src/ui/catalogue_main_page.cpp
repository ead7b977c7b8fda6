// Dialog 103: the Main page (tab 1). Files, bitrate, frame range, the movie information, speed profile,
// aspect ratio, DC precision, the frequent switches and the six page buttons. Start states are those of
// a reset with no input loaded.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 103;

// Radio groups of this page.
constexpr int kBitrateMode = 1, kProfile = 2, kAspect = 3, kDcPrecision = 4;

// Group boxes (layout only).
constexpr int kBitrateBox = 9500, kFrameRangeBox = 9501, kMovieInfoBox = 9502, kProfileBox = 9503,
              kAspectBox = 9504, kDcPrecisionBox = 9505;

constexpr ControlSpec kControls[] = {
    // Files: the captions show the chosen names later; output and log need an input name first.
    {.dialog = D, .id = 1110, .kind = Kind::Button, .caption = "input file name (*.d2v, *.avs)"},
    {.dialog = D, .id = 1111, .kind = Kind::Button, .caption = "output file name (not set)", .flags = kStartsDisabled},
    {.dialog = D, .id = 1112, .kind = Kind::Button, .caption = "log file name (not set)", .flags = kStartsDisabled},
    {.dialog = D, .id = 1113, .kind = Kind::Button, .caption = "load ini file"},
    {.dialog = D, .id = 1114, .kind = Kind::Button, .caption = "save ini file"},
    {.dialog = D, .id = 1115, .kind = Kind::Button, .caption = "load QZ.ini"},
    {.dialog = D, .id = 1116, .kind = Kind::Button, .caption = "save QZ.ini"},

    // Bitrate: entered as an average or as a file length; all disabled until an input is valid.
    {.dialog = D, .id = kBitrateBox, .kind = Kind::Group, .caption = "bitrate"},
    {.dialog = D, .id = 1120, .kind = Kind::Radio, .caption = "average bitrate", .radio_group = kBitrateMode,
     .flags = kStartsChecked | kStartsDisabled, .box = kBitrateBox},
    {.dialog = D, .id = 1121, .kind = Kind::Radio, .caption = "file length", .radio_group = kBitrateMode,
     .flags = kStartsDisabled, .box = kBitrateBox},
    {.dialog = D, .id = 9000, .kind = Kind::Static, .caption = "file length in kbytes", .box = kBitrateBox},
    {.dialog = D, .id = 1122, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled, .box = kBitrateBox},
    {.dialog = D, .id = 9001, .kind = Kind::Static, .caption = "average (kb/s)", .box = kBitrateBox},
    {.dialog = D, .id = 1123, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled, .box = kBitrateBox},
    {.dialog = D, .id = 9002, .kind = Kind::Static, .caption = "maximum (kb/s)", .box = kBitrateBox},
    {.dialog = D, .id = 1124, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled, .box = kBitrateBox},

    // Frame range.
    {.dialog = D, .id = kFrameRangeBox, .kind = Kind::Group, .caption = "frame range"},
    {.dialog = D, .id = 1125, .kind = Kind::Button, .caption = "all frames", .box = kFrameRangeBox},
    {.dialog = D, .id = 9003, .kind = Kind::Static, .caption = "start frame", .box = kFrameRangeBox},
    {.dialog = D, .id = 1126, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kFrameRangeBox},
    {.dialog = D, .id = 9004, .kind = Kind::Static, .caption = "end frame", .box = kFrameRangeBox},
    {.dialog = D, .id = 1127, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kFrameRangeBox},

    // Movie information: addressed static texts, "-" while no input is valid. Units follow their value.
    {.dialog = D, .id = kMovieInfoBox, .kind = Kind::Group, .caption = "movie information"},
    {.dialog = D, .id = 9005, .kind = Kind::Static, .caption = "width x height", .box = kMovieInfoBox},
    {.dialog = D, .id = 1161, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},
    {.dialog = D, .id = 9006, .kind = Kind::Static, .caption = "fps / format", .box = kMovieInfoBox},
    {.dialog = D, .id = 1162, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},
    {.dialog = D, .id = 9007, .kind = Kind::Static, .caption = "frames", .box = kMovieInfoBox},
    {.dialog = D, .id = 1160, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},
    {.dialog = D, .id = 9008, .kind = Kind::Static, .caption = "movie length", .box = kMovieInfoBox},
    {.dialog = D, .id = 1163, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},
    {.dialog = D, .id = 9009, .kind = Kind::Static, .caption = "sec", .box = kMovieInfoBox},
    {.dialog = D, .id = 9010, .kind = Kind::Static, .caption = "hms", .box = kMovieInfoBox},
    {.dialog = D, .id = 1164, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},
    {.dialog = D, .id = 9011, .kind = Kind::Static, .caption = "encoding length", .box = kMovieInfoBox},
    {.dialog = D, .id = 1167, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},
    {.dialog = D, .id = 9012, .kind = Kind::Static, .caption = "frames", .box = kMovieInfoBox},
    {.dialog = D, .id = 9013, .kind = Kind::Static, .caption = "sec", .box = kMovieInfoBox},
    {.dialog = D, .id = 1165, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},
    {.dialog = D, .id = 9014, .kind = Kind::Static, .caption = "hms", .box = kMovieInfoBox},
    {.dialog = D, .id = 1166, .kind = Kind::Static, .caption = "-", .box = kMovieInfoBox},

    // Speed profile (`*PROFILE`), default Normal.
    {.dialog = D, .id = kProfileBox, .kind = Kind::Group, .caption = "profile"},
    {.dialog = D, .id = 1130, .kind = Kind::Radio, .caption = "Fast", .radio_group = kProfile, .box = kProfileBox},
    {.dialog = D, .id = 1131, .kind = Kind::Radio, .caption = "Normal", .radio_group = kProfile,
     .flags = kStartsChecked, .box = kProfileBox},
    {.dialog = D, .id = 1132, .kind = Kind::Radio, .caption = "Best", .radio_group = kProfile, .box = kProfileBox},

    // Aspect ratio (`*ASPECT`), default 16:9; "4:3 PanScan" needs a 720 or 704 wide PAL or NTSC input.
    {.dialog = D, .id = kAspectBox, .kind = Kind::Group, .caption = "aspect ratio"},
    {.dialog = D, .id = 1133, .kind = Kind::Radio, .caption = "1:1", .radio_group = kAspect, .box = kAspectBox},
    {.dialog = D, .id = 1134, .kind = Kind::Radio, .caption = "4:3", .radio_group = kAspect, .box = kAspectBox},
    {.dialog = D, .id = 1135, .kind = Kind::Radio, .caption = "16:9", .radio_group = kAspect,
     .flags = kStartsChecked, .box = kAspectBox},
    {.dialog = D, .id = 1136, .kind = Kind::Radio, .caption = "2.21:1", .radio_group = kAspect, .box = kAspectBox},
    {.dialog = D, .id = 1137, .kind = Kind::Radio, .caption = "4:3 PanScan", .radio_group = kAspect,
     .flags = kStartsDisabled, .box = kAspectBox},

    // Intra DC precision (`*DC_PREC`), default 9 bits. The single digits carry two leading blanks.
    {.dialog = D, .id = kDcPrecisionBox, .kind = Kind::Group, .caption = "dc precision"},
    {.dialog = D, .id = 1140, .kind = Kind::Radio, .caption = "  8", .radio_group = kDcPrecision,
     .box = kDcPrecisionBox},
    {.dialog = D, .id = 1141, .kind = Kind::Radio, .caption = "  9", .radio_group = kDcPrecision,
     .flags = kStartsChecked, .box = kDcPrecisionBox},
    {.dialog = D, .id = 1142, .kind = Kind::Radio, .caption = "10", .radio_group = kDcPrecision,
     .box = kDcPrecisionBox},
    {.dialog = D, .id = 1143, .kind = Kind::Radio, .caption = "11", .radio_group = kDcPrecision,
     .box = kDcPrecisionBox},

    // Frequent switches. "SMP" follows the processor count at reset; checked suits the usual machine.
    {.dialog = D, .id = 1150, .kind = Kind::Check, .caption = "SMP", .flags = kStartsChecked},
    {.dialog = D, .id = 1152, .kind = Kind::Check, .caption = "scene change", .flags = kStartsChecked},
    {.dialog = D, .id = 1153, .kind = Kind::Check, .caption = "autogop", .flags = kStartsChecked},
    {.dialog = D, .id = 1154, .kind = Kind::Edit, .flags = kDigitsOnly},
    {.dialog = D, .id = 1155, .kind = Kind::UpDown, .caption = "Spin1", .range_min = 8, .range_max = 18,
     .initial_pos = 15},
    {.dialog = D, .id = 1156, .kind = Kind::Check, .caption = "closed gops"},
    {.dialog = D, .id = 1151, .kind = Kind::Check, .caption = "3:2 pulldown"},
    {.dialog = D, .id = 1157, .kind = Kind::Check, .caption = "1 pass VBR"},

    // Page buttons.
    {.dialog = D, .id = 1101, .kind = Kind::Button, .caption = "reset GUI to default"},
    {.dialog = D, .id = 1102, .kind = Kind::Button, .caption = "make DVD compliant"},
    {.dialog = D, .id = 1103, .kind = Kind::Button, .caption = "make BD compliant"},
    {.dialog = D, .id = 1104, .kind = Kind::Button, .caption = "QZenc info"},
    {.dialog = D, .id = 1105, .kind = Kind::Button, .caption = "Avisynth info"},
    {.dialog = D, .id = 1106, .kind = Kind::Button, .caption = "DGDecode info"},
};
}  // namespace

std::span<const ControlSpec> main_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
