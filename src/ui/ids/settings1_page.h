// Controls of the Settings 1 page (dialog 104, tab 2).
#pragma once

namespace qz::ui::settings1_ids {

// Interlacing options, with the field order beside them.
inline constexpr int kAutoDetectRadio = 1201;    // "auto detect"
inline constexpr int kProgressiveRadio = 1202;   // *PROGRESSIVE
inline constexpr int kInterlacedRadio = 1203;    // *INTERLACED
inline constexpr int kDvSourceRadio = 1204;      // "Digital Video source", *DVSOURCE
inline constexpr int kTffRadio = 1205;
inline constexpr int kBffRadio = 1206;
inline constexpr int kInterlacingRadios[] = {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio};
inline constexpr int kFieldOrderRadios[] = {kTffRadio, kBffRadio};

// Chroma downsampling (*CHROMADOWNSAMPLE for interlaced).
inline constexpr int kChromaProgressiveRadio = 1219;
inline constexpr int kChromaInterlacedRadio = 1220;

// GOP structure (*GOP), used while "autogop" on the Main page is off.
inline constexpr int kBFramesBox = 1207;
inline constexpr int kGopLengthBox = 1208;
inline constexpr int kGopLengthSpin = 1209;
inline constexpr int kBFramesSpin = 1210;

// Constant quantisation (*CQ, *CQ_MAXBITRATE, *CQ_PFACTOR, *CQ_BFACTOR).
inline constexpr int kConstantQuantisationCheck = 1211;  // "Constant Quantization"
inline constexpr int kQuantiserBox = 1212;               // "Quant value"
inline constexpr int kPFactorBox = 1213;                 // "P-factor for Quant", read-only
inline constexpr int kMaxBitrateCheck = 1214;            // "check max bitrate"
inline constexpr int kBFactorBox = 1216;                 // "B-factor for Quant", read-only
inline constexpr int kPFactorSpin = 1217;
inline constexpr int kBFactorSpin = 1218;

// Adaptive quantisation strength (*AQ).
inline constexpr int kAqSlider = 1230;
inline constexpr int kAqBox = 1231;  // read-only, shows the slider's position

// Dead zone (*DEADZONE).
inline constexpr int kDeadZoneOffRadio = 1240;
inline constexpr int kDeadZoneAutoRadio = 1241;
inline constexpr int kDeadZoneValuesRadio = 1242;  // "set values"
inline constexpr int kDeadZoneIntraBox = 1243;
inline constexpr int kDeadZoneNonIntraBox = 1244;
inline constexpr int kDeadZoneRadios[] = {kDeadZoneOffRadio, kDeadZoneAutoRadio, kDeadZoneValuesRadio};

// "current QZ.ini": the lines a save would write now. The same list id sits on Settings 1 to 3.
inline constexpr int kListing = 1215;

}  // namespace qz::ui::settings1_ids
