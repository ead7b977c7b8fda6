// Dialog 106: the Settings 3 page (tab 4). Start time code, forced CPU instruction set, encoder
// priority, Avisynth memory, the lossless intermediate file with its size estimate, the folders of the
// intermediate files, the chroma output format and the "current QZ.ini" listing. Start states are
// those of a reset.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 106;

// Radio groups of this page.
constexpr int kCpu = 1, kPriority = 2, kChromaOutput = 3;

// Group boxes (layout only).
constexpr int kTimeCodeBox = 9500, kCpuBox = 9501, kPriorityBox = 9502, kChromaOutputBox = 9503,
              kListingBox = 9504;

constexpr ControlSpec kControls[] = {
    // Start time code.
    {.dialog = D, .id = kTimeCodeBox, .kind = Kind::Group, .caption = "timecode"},
    {.dialog = D, .id = 9000, .kind = Kind::Static, .caption = "hour", .box = kTimeCodeBox},
    {.dialog = D, .id = 1401, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kTimeCodeBox},
    {.dialog = D, .id = 9001, .kind = Kind::Static, .caption = "min", .box = kTimeCodeBox},
    {.dialog = D, .id = 1402, .kind = Kind::Edit, .box = kTimeCodeBox},
    {.dialog = D, .id = 9002, .kind = Kind::Static, .caption = "sec", .box = kTimeCodeBox},
    {.dialog = D, .id = 1403, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kTimeCodeBox},
    {.dialog = D, .id = 9003, .kind = Kind::Static, .caption = "frame", .box = kTimeCodeBox},
    {.dialog = D, .id = 1404, .kind = Kind::Edit, .flags = kDigitsOnly, .box = kTimeCodeBox},

    // Instruction set the encoder is forced to use, default automatic detection.
    {.dialog = D, .id = kCpuBox, .kind = Kind::Group, .caption = "CPU"},
    {.dialog = D, .id = 1410, .kind = Kind::Radio, .caption = "auto", .radio_group = kCpu, .flags = kStartsChecked,
     .box = kCpuBox},
    {.dialog = D, .id = 1411, .kind = Kind::Radio, .caption = "MMX/ISSE", .radio_group = kCpu, .box = kCpuBox},
    {.dialog = D, .id = 1412, .kind = Kind::Radio, .caption = "SSE2", .radio_group = kCpu, .box = kCpuBox},
    {.dialog = D, .id = 1413, .kind = Kind::Radio, .caption = "SSE3", .radio_group = kCpu, .box = kCpuBox},
    {.dialog = D, .id = 1414, .kind = Kind::Radio, .caption = "SSSE3", .radio_group = kCpu, .box = kCpuBox},
    {.dialog = D, .id = 1415, .kind = Kind::Radio, .caption = "SSE4", .radio_group = kCpu, .box = kCpuBox},
    {.dialog = D, .id = 1416, .kind = Kind::Radio, .caption = "AVX", .radio_group = kCpu, .box = kCpuBox},
    {.dialog = D, .id = 1417, .kind = Kind::Radio, .caption = "AVX2", .radio_group = kCpu, .box = kCpuBox},

    // Encoder process priority, default idle.
    {.dialog = D, .id = kPriorityBox, .kind = Kind::Group, .caption = "priority"},
    {.dialog = D, .id = 1420, .kind = Kind::Radio, .caption = "idle", .radio_group = kPriority,
     .flags = kStartsChecked, .box = kPriorityBox},
    {.dialog = D, .id = 1421, .kind = Kind::Radio, .caption = "low", .radio_group = kPriority, .box = kPriorityBox},
    {.dialog = D, .id = 1422, .kind = Kind::Radio, .caption = "normal", .radio_group = kPriority,
     .box = kPriorityBox},
    {.dialog = D, .id = 1423, .kind = Kind::Radio, .caption = "high", .radio_group = kPriority, .box = kPriorityBox},

    // Avisynth memory in MB; an empty box means Avisynth's own default.
    {.dialog = D, .id = 9004, .kind = Kind::Static, .caption = "AVS memory"},
    {.dialog = D, .id = 1424, .kind = Kind::Edit, .flags = kDigitsOnly},
    {.dialog = D, .id = 9005, .kind = Kind::Static, .caption = "MB"},
    {.dialog = D, .id = 9006, .kind = Kind::Static, .caption = "Set the memory to be used by Avisynth."},
    {.dialog = D, .id = 9007, .kind = Kind::Static, .caption = "Equivalent to SetMemoryMax()"},
    {.dialog = D, .id = 9008, .kind = Kind::Static, .caption = "No value: Avisynth default."},

    // Lossless intermediate file; 1429 shows the size estimate, empty while none applies.
    {.dialog = D, .id = 1426, .kind = Kind::Check, .caption = " use lossless file"},
    {.dialog = D, .id = 9009, .kind = Kind::Static, .caption = "estimated size:"},
    {.dialog = D, .id = 1429, .kind = Kind::Static},

    // Folders of the intermediate files; the buttons show whether a folder is set.
    {.dialog = D, .id = 1425, .kind = Kind::Button, .caption = "clear paths"},
    {.dialog = D, .id = 1427, .kind = Kind::Button, .caption = "lossless path (not set)"},
    {.dialog = D, .id = 1428, .kind = Kind::Button, .caption = "DB path (not set)"},

    // Chroma format of the output, default 4:2:0.
    {.dialog = D, .id = kChromaOutputBox, .kind = Kind::Group, .caption = "chroma output format"},
    {.dialog = D, .id = 1430, .kind = Kind::Radio, .caption = "4:2:0", .radio_group = kChromaOutput,
     .flags = kStartsChecked, .box = kChromaOutputBox},
    {.dialog = D, .id = 1431, .kind = Kind::Radio, .caption = "4:2:2", .radio_group = kChromaOutput,
     .box = kChromaOutputBox},
    {.dialog = D, .id = 1432, .kind = Kind::Radio, .caption = "4:4:4", .radio_group = kChromaOutput,
     .box = kChromaOutputBox},

    {.dialog = D, .id = kListingBox, .kind = Kind::Group, .caption = "current QZ.ini"},
    {.dialog = D, .id = 1215, .kind = Kind::List, .flags = kMonospace, .box = kListingBox},
};
}  // namespace

std::span<const ControlSpec> settings3_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
