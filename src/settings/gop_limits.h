// The GOP lengths the program works with, in one place: what the pages allow, what a settings file
// may ask for the automatic GOP, and what DVD and BD players accept per frame rate and frame size.
#pragma once

namespace qz::settings::gop {

inline constexpr int kDefaultLength = 15;
inline constexpr int kDefaultBFrames = 2;

// The GOP length box of Settings 1.
inline constexpr int kMinLength = 1;
inline constexpr int kMaxLength = 36;

// The automatic GOP's length: the Main page's spin goes from 8, a settings file's *AUTOGOP and the
// DVD fix for 29.97 fps keep it within 12 to 18.
inline constexpr int kMinAutomaticSpin = 8;
inline constexpr int kMinAutomatic = 12;
inline constexpr int kMaxAutomatic = 18;

// The longest GOP a DVD allows: 23.976 fps film with pulldown, 25 fps PAL, 29.97 fps NTSC.
inline constexpr int kDvdFilmLimit = 12;
inline constexpr int kDvdPalLimit = 15;
inline constexpr int kDvdNtscLimit = 18;

// The longest GOP a BD allows: 720x480 at 29.97 fps, and the other frame sizes.
inline constexpr int kBdNtscLimit = 30;
inline constexpr int kBdLimit = 25;

}  // namespace qz::settings::gop
