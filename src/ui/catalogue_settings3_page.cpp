// The Settings 3 page (tab 4). Start time code, forced CPU instruction set, encoder
// priority, Avisynth memory, the lossless intermediate file with its size estimate, the folders of the
// intermediate files, the chroma output format and the "current QZ.ini" listing. Start states are
// those of a reset.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings3_page.h"

namespace qz::ui::catalogue_parts {

namespace {
using dialog::kSettings3Page;
using namespace settings3_ids;

// Radio groups of this page.
constexpr int kCpu = 1, kPriority = 2, kChromaOutput = 3;

// Group boxes (layout only).
constexpr int kTimeCodeGroup = 9500, kCpuGroup = 9501, kPriorityGroup = 9502, kChromaOutputGroup = 9503,
              kListingGroup = 9504;

// Labels and notes (layout only).
constexpr int kHourLabel = 9000, kMinuteLabel = 9001, kSecondLabel = 9002, kFrameLabel = 9003, kAvsMemoryLabel = 9004,
              kAvsMemoryUnit = 9005, kAvsMemoryNote = 9006, kSetMemoryMaxNote = 9007, kAvisynthDefaultNote = 9008,
              kEstimatedSizeLabel = 9009;

constexpr ControlSpec kControls[] = {
    // Start time code.
    {.dialog = kSettings3Page, .id = kTimeCodeGroup, .kind = Kind::Group, .caption = "timecode"},
    {.dialog = kSettings3Page, .id = kHourLabel, .kind = Kind::Static, .caption = "hour", .box = kTimeCodeGroup},
    {.dialog = kSettings3Page, .id = kTimeCodeHourBox, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kTimeCodeGroup},
    {.dialog = kSettings3Page, .id = kMinuteLabel, .kind = Kind::Static, .caption = "min", .box = kTimeCodeGroup},
    {.dialog = kSettings3Page, .id = kTimeCodeMinuteBox, .kind = Kind::Edit, .box = kTimeCodeGroup},
    {.dialog = kSettings3Page, .id = kSecondLabel, .kind = Kind::Static, .caption = "sec", .box = kTimeCodeGroup},
    {.dialog = kSettings3Page, .id = kTimeCodeSecondBox, .kind = Kind::Edit, .flags = kDigitsOnly,
     .box = kTimeCodeGroup},
    {.dialog = kSettings3Page, .id = kFrameLabel, .kind = Kind::Static, .caption = "frame", .box = kTimeCodeGroup},
    {.dialog = kSettings3Page, .id = kTimeCodeFrameBox, .kind = Kind::Edit, .flags = kDigitsOnly,
     .box = kTimeCodeGroup},

    // Instruction set the encoder is forced to use, default automatic detection.
    {.dialog = kSettings3Page, .id = kCpuGroup, .kind = Kind::Group, .caption = "CPU"},
    {.dialog = kSettings3Page, .id = kCpuAutoRadio, .kind = Kind::Radio, .caption = "auto", .radio_group = kCpu,
     .flags = kStartsChecked, .box = kCpuGroup},
    {.dialog = kSettings3Page, .id = kCpuMmxRadio, .kind = Kind::Radio, .caption = "MMX/ISSE", .radio_group = kCpu,
     .box = kCpuGroup},
    {.dialog = kSettings3Page, .id = kCpuSse2Radio, .kind = Kind::Radio, .caption = "SSE2", .radio_group = kCpu,
     .box = kCpuGroup},
    {.dialog = kSettings3Page, .id = kCpuSse3Radio, .kind = Kind::Radio, .caption = "SSE3", .radio_group = kCpu,
     .box = kCpuGroup},
    {.dialog = kSettings3Page, .id = kCpuSsse3Radio, .kind = Kind::Radio, .caption = "SSSE3", .radio_group = kCpu,
     .box = kCpuGroup},
    {.dialog = kSettings3Page, .id = kCpuSse4Radio, .kind = Kind::Radio, .caption = "SSE4", .radio_group = kCpu,
     .box = kCpuGroup},
    {.dialog = kSettings3Page, .id = kCpuAvxRadio, .kind = Kind::Radio, .caption = "AVX", .radio_group = kCpu,
     .box = kCpuGroup},
    {.dialog = kSettings3Page, .id = kCpuAvx2Radio, .kind = Kind::Radio, .caption = "AVX2", .radio_group = kCpu,
     .box = kCpuGroup},

    // Encoder process priority, default idle.
    {.dialog = kSettings3Page, .id = kPriorityGroup, .kind = Kind::Group, .caption = "priority"},
    {.dialog = kSettings3Page, .id = kPriorityIdleRadio, .kind = Kind::Radio, .caption = "idle",
     .radio_group = kPriority, .flags = kStartsChecked, .box = kPriorityGroup},
    {.dialog = kSettings3Page, .id = kPriorityLowRadio, .kind = Kind::Radio, .caption = "low", .radio_group = kPriority,
     .box = kPriorityGroup},
    {.dialog = kSettings3Page, .id = kPriorityNormalRadio, .kind = Kind::Radio, .caption = "normal",
     .radio_group = kPriority, .box = kPriorityGroup},
    {.dialog = kSettings3Page, .id = kPriorityHighRadio, .kind = Kind::Radio, .caption = "high",
     .radio_group = kPriority, .box = kPriorityGroup},

    // Avisynth memory in MB; an empty box means Avisynth's own default.
    {.dialog = kSettings3Page, .id = kAvsMemoryLabel, .kind = Kind::Static, .caption = "AVS memory"},
    {.dialog = kSettings3Page, .id = kAvsMemoryBox, .kind = Kind::Edit, .flags = kDigitsOnly},
    {.dialog = kSettings3Page, .id = kAvsMemoryUnit, .kind = Kind::Static, .caption = "MB"},
    {.dialog = kSettings3Page, .id = kAvsMemoryNote, .kind = Kind::Static,
     .caption = "Set the memory to be used by Avisynth."},
    {.dialog = kSettings3Page, .id = kSetMemoryMaxNote, .kind = Kind::Static,
     .caption = "Equivalent to SetMemoryMax()"},
    {.dialog = kSettings3Page, .id = kAvisynthDefaultNote, .kind = Kind::Static,
     .caption = "No value: Avisynth default."},

    // Lossless intermediate file with its size estimate, empty while none applies.
    {.dialog = kSettings3Page, .id = kLosslessCheck, .kind = Kind::Check, .caption = " use lossless file"},
    {.dialog = kSettings3Page, .id = kEstimatedSizeLabel, .kind = Kind::Static, .caption = "estimated size:"},
    {.dialog = kSettings3Page, .id = kEstimatedSizeText, .kind = Kind::Static},

    // Folders of the intermediate files; the buttons show whether a folder is set.
    {.dialog = kSettings3Page, .id = kClearPathsButton, .kind = Kind::Button, .caption = "clear paths"},
    {.dialog = kSettings3Page, .id = kLosslessPathButton, .kind = Kind::Button, .caption = "lossless path (not set)"},
    {.dialog = kSettings3Page, .id = kDbPathButton, .kind = Kind::Button, .caption = "DB path (not set)"},

    // Chroma format of the output, default 4:2:0.
    {.dialog = kSettings3Page, .id = kChromaOutputGroup, .kind = Kind::Group, .caption = "chroma output format"},
    {.dialog = kSettings3Page, .id = kChroma420Radio, .kind = Kind::Radio, .caption = "4:2:0",
     .radio_group = kChromaOutput, .flags = kStartsChecked, .box = kChromaOutputGroup},
    {.dialog = kSettings3Page, .id = kChroma422Radio, .kind = Kind::Radio, .caption = "4:2:2",
     .radio_group = kChromaOutput, .box = kChromaOutputGroup},
    {.dialog = kSettings3Page, .id = kChroma444Radio, .kind = Kind::Radio, .caption = "4:4:4",
     .radio_group = kChromaOutput, .box = kChromaOutputGroup},

    {.dialog = kSettings3Page, .id = kListingGroup, .kind = Kind::Group, .caption = "current QZ.ini"},
    {.dialog = kSettings3Page, .id = kListing, .kind = Kind::List, .flags = kMonospace, .box = kListingGroup},
};
}  // namespace

std::span<const ControlSpec> settings3_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
