// Controls of the Settings 2 page (dialog 105, tab 3).
#pragma once

#include "ui/ids/settings1_page.h"

namespace qz::ui::settings2_ids {

// Rate-control tweaks and the encoder's wait before its window closes.
inline constexpr int kMinBitrateFactorBox = 1305;  // "min bitrate factor", *MINBRFAC
inline constexpr int kVbrBiasBox = 1306;           // "VBR bias (0 - 100)", *BIAS
inline constexpr int kWaitBox = 1316;              // "wait for exit (sec)", *WAIT

// Switches.
inline constexpr int kVbvCheck = 1307;                  // "VBV check"
inline constexpr int kSeqEndcodeCheck = 1308;           // "seq endcode"
inline constexpr int kShutdownCheck = 1309;
inline constexpr int kPreviewCheck = 1310;
inline constexpr int kSilentCheck = 1311;
inline constexpr int kLastIFrameCheck = 1312;           // "last I-frame"
inline constexpr int kScdFileCheck = 1313;              // "scd file"
inline constexpr int kFrameLogCheck = 1314;             // "framelog file"
inline constexpr int kPsnrCheck = 1315;
inline constexpr int kProgressiveSequenceCheck = 1317;
inline constexpr int kAllow3BFramesCheck = 1327;        // "allow 3 B-frames"

// Stream flags: drop-down lists.
inline constexpr int kMpegLevelCombo = 1325;    // "MPG level"
inline constexpr int kColorimetryCombo = 1328;
inline constexpr int kIntraVlcCombo = 1329;     // "IntraVLC"

// Luminance gain (*LUMGAIN).
inline constexpr int kLuminanceGainSlider = 1320;
inline constexpr int kLuminanceGainBox = 1321;  // read-only, shows the slider's position

// Mask and shift lines (*MASK_SHIFT).
inline constexpr int kMaskTopBox = 1322;      // "nr. of top lines"
inline constexpr int kMaskBottomBox = 1323;   // "nr. of bottom lines"
inline constexpr int kShiftLinesBox = 1324;   // "nr. of shift lines"

// "current QZ.ini", the same list as on Settings 1.
using settings1_ids::kListing;

}  // namespace qz::ui::settings2_ids
