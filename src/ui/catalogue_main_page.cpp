// The Main page (tab 1). Files, bitrate, frame range, the movie information, speed profile,
// aspect ratio, DC precision, the frequent switches and the six page buttons. Start states are those of
// a reset with no input loaded.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

namespace qz::ui::catalogue_parts {

namespace {
using dialog::kMainPage;
using namespace main_page_ids;

// Radio groups of this page.
constexpr int kBitrateMode = 1, kProfile = 2, kAspect = 3, kDcPrecision = 4;

// Group boxes (layout only).
constexpr int kBitrateGroup = 9500, kFrameRangeGroup = 9501, kMovieInfoGroup = 9502, kProfileGroup = 9503,
              kAspectGroup = 9504, kDcPrecisionGroup = 9505;

// Labels and notes (layout only).
constexpr int kFileLengthLabel = 9000, kAverageBitrateLabel = 9001, kMaxBitrateLabel = 9002, kStartFrameLabel = 9003,
              kEndFrameLabel = 9004, kFrameSizeLabel = 9005, kRateAndFormatLabel = 9006, kFrameCountLabel = 9007,
              kMovieLengthLabel = 9008, kMovieSecondsUnit = 9009, kMovieHmsLabel = 9010, kEncodingLengthLabel = 9011,
              kEncodingFramesUnit = 9012, kEncodingSecondsUnit = 9013, kEncodingHmsLabel = 9014;

constexpr ControlSpec kControls[] = {
    // Files: the captions show the chosen names later; output and log need an input name first.
    {.dialog = kMainPage, .id = kInputButton, .kind = Kind::Button, .caption = "input file name (*.d2v, *.avs)"},
    {.dialog = kMainPage, .id = kOutputButton, .kind = Kind::Button, .caption = "output file name (not set)",
     .flags = kStartsDisabled},
    {.dialog = kMainPage, .id = kLogButton, .kind = Kind::Button, .caption = "log file name (not set)",
     .flags = kStartsDisabled},
    {.dialog = kMainPage, .id = kLoadIniButton, .kind = Kind::Button, .caption = "load ini file"},
    {.dialog = kMainPage, .id = kSaveIniButton, .kind = Kind::Button, .caption = "save ini file"},
    {.dialog = kMainPage, .id = kLoadQzIniButton, .kind = Kind::Button, .caption = "load QZ.ini"},
    {.dialog = kMainPage, .id = kSaveQzIniButton, .kind = Kind::Button, .caption = "save QZ.ini"},

    // Bitrate: entered as an average or as a file length; all disabled until an input is valid.
    {.dialog = kMainPage, .id = kBitrateGroup, .kind = Kind::Group, .caption = "bitrate"},
    {.dialog = kMainPage, .id = kAverageBitrateRadio, .kind = Kind::Radio, .caption = "average bitrate",
     .radio_group = kBitrateMode, .flags = kStartsChecked | kStartsDisabled, .box = kBitrateGroup},
    {.dialog = kMainPage, .id = kFileLengthRadio, .kind = Kind::Radio, .caption = "file length",
     .radio_group = kBitrateMode, .flags = kStartsDisabled, .box = kBitrateGroup},
    {.dialog = kMainPage, .id = kFileLengthLabel, .kind = Kind::Static, .caption = "file length in kbytes",
     .box = kBitrateGroup},
    {.dialog = kMainPage, .id = kFileLengthBox, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled,
     .box = kBitrateGroup},
    {.dialog = kMainPage, .id = kAverageBitrateLabel, .kind = Kind::Static, .caption = "average (kb/s)",
     .box = kBitrateGroup},
    {.dialog = kMainPage, .id = kAverageBitrateBox, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled,
     .box = kBitrateGroup},
    {.dialog = kMainPage, .id = kMaxBitrateLabel, .kind = Kind::Static, .caption = "maximum (kb/s)",
     .box = kBitrateGroup},
    {.dialog = kMainPage, .id = kMaxBitrateBox, .kind = Kind::Edit, .flags = kDigitsOnly | kStartsDisabled,
     .box = kBitrateGroup},

    // Frame range.
    {.dialog = kMainPage, .id = kFrameRangeGroup, .kind = Kind::Group, .caption = "frame range"},
    {.dialog = kMainPage, .id = kAllFramesButton, .kind = Kind::Button, .caption = "all frames",
     .box = kFrameRangeGroup},
    {.dialog = kMainPage, .id = kStartFrameLabel, .kind = Kind::Static, .caption = "start frame",
     .box = kFrameRangeGroup},
    {.dialog = kMainPage, .id = kStartFrameBox, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kFrameRangeGroup},
    {.dialog = kMainPage, .id = kEndFrameLabel, .kind = Kind::Static, .caption = "end frame", .box = kFrameRangeGroup},
    {.dialog = kMainPage, .id = kEndFrameBox, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kFrameRangeGroup},

    // Movie information: addressed static texts, "-" while no input is valid. Units follow their value.
    {.dialog = kMainPage, .id = kMovieInfoGroup, .kind = Kind::Group, .caption = "movie information"},
    {.dialog = kMainPage, .id = kFrameSizeLabel, .kind = Kind::Static, .caption = "width x height",
     .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kFrameSizeText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kRateAndFormatLabel, .kind = Kind::Static, .caption = "fps / format",
     .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kRateAndFormatText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kFrameCountLabel, .kind = Kind::Static, .caption = "frames", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kFrameCountText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kMovieLengthLabel, .kind = Kind::Static, .caption = "movie length",
     .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kMovieSecondsText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kMovieSecondsUnit, .kind = Kind::Static, .caption = "sec", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kMovieHmsLabel, .kind = Kind::Static, .caption = "hms", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kMovieHmsText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kEncodingLengthLabel, .kind = Kind::Static, .caption = "encoding length",
     .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kEncodingFramesText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kEncodingFramesUnit, .kind = Kind::Static, .caption = "frames", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kEncodingSecondsUnit, .kind = Kind::Static, .caption = "sec", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kEncodingSecondsText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kEncodingHmsLabel, .kind = Kind::Static, .caption = "hms", .box = kMovieInfoGroup},
    {.dialog = kMainPage, .id = kEncodingHmsText, .kind = Kind::Static, .caption = "-", .box = kMovieInfoGroup},

    // Speed profile (`*PROFILE`), default Normal.
    {.dialog = kMainPage, .id = kProfileGroup, .kind = Kind::Group, .caption = "profile"},
    {.dialog = kMainPage, .id = kFastRadio, .kind = Kind::Radio, .caption = "Fast", .radio_group = kProfile,
     .box = kProfileGroup},
    {.dialog = kMainPage, .id = kNormalRadio, .kind = Kind::Radio, .caption = "Normal", .radio_group = kProfile,
     .flags = kStartsChecked, .box = kProfileGroup},
    {.dialog = kMainPage, .id = kBestRadio, .kind = Kind::Radio, .caption = "Best", .radio_group = kProfile,
     .box = kProfileGroup},

    // Aspect ratio (`*ASPECT`), default 16:9; "4:3 PanScan" needs a 720 or 704 wide PAL or NTSC input.
    {.dialog = kMainPage, .id = kAspectGroup, .kind = Kind::Group, .caption = "aspect ratio"},
    {.dialog = kMainPage, .id = kAspect1To1Radio, .kind = Kind::Radio, .caption = "1:1", .radio_group = kAspect,
     .box = kAspectGroup},
    {.dialog = kMainPage, .id = kAspect4To3Radio, .kind = Kind::Radio, .caption = "4:3", .radio_group = kAspect,
     .box = kAspectGroup},
    {.dialog = kMainPage, .id = kAspect16To9Radio, .kind = Kind::Radio, .caption = "16:9", .radio_group = kAspect,
     .flags = kStartsChecked, .box = kAspectGroup},
    {.dialog = kMainPage, .id = kAspect221To1Radio, .kind = Kind::Radio, .caption = "2.21:1", .radio_group = kAspect,
     .box = kAspectGroup},
    {.dialog = kMainPage, .id = kAspectPanScanRadio, .kind = Kind::Radio, .caption = "4:3 PanScan",
     .radio_group = kAspect, .flags = kStartsDisabled, .box = kAspectGroup},

    // Intra DC precision (`*DC_PREC`), default 9 bits. The single digits carry two leading blanks.
    {.dialog = kMainPage, .id = kDcPrecisionGroup, .kind = Kind::Group, .caption = "dc precision"},
    {.dialog = kMainPage, .id = kDcPrecision8Radio, .kind = Kind::Radio, .caption = "  8", .radio_group = kDcPrecision,
     .box = kDcPrecisionGroup},
    {.dialog = kMainPage, .id = kDcPrecision9Radio, .kind = Kind::Radio, .caption = "  9", .radio_group = kDcPrecision,
     .flags = kStartsChecked, .box = kDcPrecisionGroup},
    {.dialog = kMainPage, .id = kDcPrecision10Radio, .kind = Kind::Radio, .caption = "10", .radio_group = kDcPrecision,
     .box = kDcPrecisionGroup},
    {.dialog = kMainPage, .id = kDcPrecision11Radio, .kind = Kind::Radio, .caption = "11", .radio_group = kDcPrecision,
     .box = kDcPrecisionGroup},

    // Frequent switches. "SMP" follows the processor count at reset; checked suits the usual machine.
    {.dialog = kMainPage, .id = kSmpCheck, .kind = Kind::Check, .caption = "SMP", .flags = kStartsChecked},
    {.dialog = kMainPage, .id = kSceneChangeCheck, .kind = Kind::Check, .caption = "scene change",
     .flags = kStartsChecked},
    {.dialog = kMainPage, .id = kAutoGopCheck, .kind = Kind::Check, .caption = "autogop", .flags = kStartsChecked},
    {.dialog = kMainPage, .id = kAutoGopBox, .kind = Kind::Edit, .flags = kDigitsOnly},
    {.dialog = kMainPage, .id = kAutoGopSpin, .kind = Kind::UpDown, .caption = "Spin1", .range_min = 8, .range_max = 18,
     .initial_pos = 15},
    {.dialog = kMainPage, .id = kClosedGopsCheck, .kind = Kind::Check, .caption = "closed gops"},
    {.dialog = kMainPage, .id = kPulldownCheck, .kind = Kind::Check, .caption = "3:2 pulldown"},
    {.dialog = kMainPage, .id = kOnePassVbrCheck, .kind = Kind::Check, .caption = "1 pass VBR"},

    // Page buttons.
    {.dialog = kMainPage, .id = kResetButton, .kind = Kind::Button, .caption = "reset GUI to default"},
    {.dialog = kMainPage, .id = kDvdCompliantButton, .kind = Kind::Button, .caption = "make DVD compliant"},
    {.dialog = kMainPage, .id = kBdCompliantButton, .kind = Kind::Button, .caption = "make BD compliant"},
    {.dialog = kMainPage, .id = kEncoderInfoButton, .kind = Kind::Button, .caption = "QZenc info"},
    {.dialog = kMainPage, .id = kAvisynthInfoButton, .kind = Kind::Button, .caption = "Avisynth info"},
    {.dialog = kMainPage, .id = kDgdecodeInfoButton, .kind = Kind::Button, .caption = "DGDecode info"},
};
}  // namespace

std::span<const ControlSpec> main_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
