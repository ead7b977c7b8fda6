// Controls of the Settings 3 page (dialog 106, tab 4).
#pragma once

#include "ui/ids/settings1_page.h"

namespace qz::ui::settings3_ids {

// Start time code (*TIMECODE).
inline constexpr int kTimeCodeHourBox = 1401;
inline constexpr int kTimeCodeMinuteBox = 1402;
inline constexpr int kTimeCodeSecondBox = 1403;
inline constexpr int kTimeCodeFrameBox = 1404;
inline constexpr int kTimeCodeBoxes[] = {kTimeCodeHourBox, kTimeCodeMinuteBox, kTimeCodeSecondBox, kTimeCodeFrameBox};

// Instruction set the encoder is forced to use (*CPU), in the order of the CPU levels 0 to 7.
inline constexpr int kCpuAutoRadio = 1410;
inline constexpr int kCpuMmxRadio = 1411;   // "MMX/ISSE"
inline constexpr int kCpuSse2Radio = 1412;
inline constexpr int kCpuSse3Radio = 1413;
inline constexpr int kCpuSsse3Radio = 1414;
inline constexpr int kCpuSse4Radio = 1415;
inline constexpr int kCpuAvxRadio = 1416;
inline constexpr int kCpuAvx2Radio = 1417;
inline constexpr int kCpuRadios[] = {kCpuAutoRadio,  kCpuMmxRadio,  kCpuSse2Radio, kCpuSse3Radio,
                                     kCpuSsse3Radio, kCpuSse4Radio, kCpuAvxRadio,  kCpuAvx2Radio};

// Encoder process priority (*PRIORITY).
inline constexpr int kPriorityIdleRadio = 1420;
inline constexpr int kPriorityLowRadio = 1421;
inline constexpr int kPriorityNormalRadio = 1422;
inline constexpr int kPriorityHighRadio = 1423;
inline constexpr int kPriorityRadios[] = {kPriorityIdleRadio, kPriorityLowRadio, kPriorityNormalRadio,
                                          kPriorityHighRadio};

inline constexpr int kAvsMemoryBox = 1424;  // "AVS memory" in MB, *AVSMEMORY

// The lossless intermediate file (*LOSSLESS) and the folders of the intermediate files.
inline constexpr int kClearPathsButton = 1425;
inline constexpr int kLosslessCheck = 1426;        // " use lossless file"
inline constexpr int kLosslessPathButton = 1427;   // "lossless path (not set)", *LLPATH
inline constexpr int kDbPathButton = 1428;         // "DB path (not set)", *DBPATH
inline constexpr int kEstimatedSizeText = 1429;    // the lossless file's estimated size

// Chroma output format (*CHROMAFORMAT).
inline constexpr int kChroma420Radio = 1430;
inline constexpr int kChroma422Radio = 1431;
inline constexpr int kChroma444Radio = 1432;
inline constexpr int kChromaFormatRadios[] = {kChroma420Radio, kChroma422Radio, kChroma444Radio};

// "current QZ.ini", the same list as on Settings 1.
using settings1_ids::kListing;

}  // namespace qz::ui::settings3_ids
