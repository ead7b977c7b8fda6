// Controls of the Main page (dialog 103, tab 1).
#pragma once

namespace qz::ui::main_page_ids {

// Files: the captions show the chosen names.
inline constexpr int kInputButton = 1110;      // "input file name (*.d2v, *.avs)"
inline constexpr int kOutputButton = 1111;     // "output file name (not set)"
inline constexpr int kLogButton = 1112;        // "log file name (not set)"
inline constexpr int kLoadIniButton = 1113;    // "load ini file"
inline constexpr int kSaveIniButton = 1114;    // "save ini file"
inline constexpr int kLoadQzIniButton = 1115;  // "load QZ.ini"
inline constexpr int kSaveQzIniButton = 1116;  // "save QZ.ini"

// Bitrate, entered as an average or as a file length.
inline constexpr int kAverageBitrateRadio = 1120;  // "average bitrate"
inline constexpr int kFileLengthRadio = 1121;      // "file length"
inline constexpr int kFileLengthBox = 1122;        // "file length in kbytes"
inline constexpr int kAverageBitrateBox = 1123;    // "average (kb/s)", *BITRATE
inline constexpr int kMaxBitrateBox = 1124;        // "maximum (kb/s)", *MAXBITRATE

// Frame range (*FRAMES).
inline constexpr int kAllFramesButton = 1125;  // "all frames"
inline constexpr int kStartFrameBox = 1126;
inline constexpr int kEndFrameBox = 1127;

// Speed profile (*PROFILE).
inline constexpr int kFastRadio = 1130;
inline constexpr int kNormalRadio = 1131;
inline constexpr int kBestRadio = 1132;
inline constexpr int kProfileRadios[] = {kFastRadio, kNormalRadio, kBestRadio};

// Aspect ratio (*ASPECT, *PANSCAN), in the order of the aspect codes 1 to 5.
inline constexpr int kAspect1To1Radio = 1133;
inline constexpr int kAspect4To3Radio = 1134;
inline constexpr int kAspect16To9Radio = 1135;
inline constexpr int kAspect221To1Radio = 1136;    // "2.21:1"
inline constexpr int kAspectPanScanRadio = 1137;   // "4:3 PanScan"
inline constexpr int kAspectRadios[] = {kAspect1To1Radio, kAspect4To3Radio, kAspect16To9Radio, kAspect221To1Radio,
                                        kAspectPanScanRadio};

// Intra DC precision (*DC_PREC) 8 to 11 bits.
inline constexpr int kDcPrecision8Radio = 1140;
inline constexpr int kDcPrecision9Radio = 1141;
inline constexpr int kDcPrecision10Radio = 1142;
inline constexpr int kDcPrecision11Radio = 1143;
inline constexpr int kDcPrecisionRadios[] = {kDcPrecision8Radio, kDcPrecision9Radio, kDcPrecision10Radio,
                                             kDcPrecision11Radio};

// The frequent switches.
inline constexpr int kSmpCheck = 1150;           // "SMP"
inline constexpr int kPulldownCheck = 1151;      // "3:2 pulldown"
inline constexpr int kSceneChangeCheck = 1152;   // "scene change"
inline constexpr int kAutoGopCheck = 1153;       // "autogop"
inline constexpr int kAutoGopBox = 1154;         // the automatic GOP length
inline constexpr int kAutoGopSpin = 1155;        // "Spin1", the up-down of the automatic GOP length
inline constexpr int kClosedGopsCheck = 1156;    // "closed gops"
inline constexpr int kOnePassVbrCheck = 1157;    // "1 pass VBR"

// The page buttons.
inline constexpr int kResetButton = 1101;          // "reset GUI to default"
inline constexpr int kDvdCompliantButton = 1102;   // "make DVD compliant"
inline constexpr int kBdCompliantButton = 1103;    // "make BD compliant"
inline constexpr int kEncoderInfoButton = 1104;    // "QZenc info"
inline constexpr int kAvisynthInfoButton = 1105;   // "Avisynth info"
inline constexpr int kDgdecodeInfoButton = 1106;   // "DGDecode info"

// Movie information: static texts, "-" while no input is valid.
inline constexpr int kFrameCountText = 1160;        // "frames"
inline constexpr int kFrameSizeText = 1161;         // "width x height"
inline constexpr int kRateAndFormatText = 1162;     // "fps / format"
inline constexpr int kMovieSecondsText = 1163;      // "movie length", in seconds
inline constexpr int kMovieHmsText = 1164;          // the movie length as h:mm:ss
inline constexpr int kEncodingSecondsText = 1165;   // the frame range's length in seconds
inline constexpr int kEncodingHmsText = 1166;       // the same as h:mm:ss
inline constexpr int kEncodingFramesText = 1167;    // "encoding length", frames to encode

}  // namespace qz::ui::main_page_ids
