// Controls of the three preview pages (Preview/Chapters 108, Preview/Zones 109, Preview/PanScan 110).
// The picture and the frame navigation sit on all three under the same ids, except the current frame
// box of the PanScan page.
#pragma once

namespace qz::ui::preview_ids {

// On all three pages.
inline constexpr int kPicture = 9900;
inline constexpr int kStepBack = 1605;        // "<"
inline constexpr int kStepForward = 1606;     // ">"
inline constexpr int kSmallBack = 1607;       // "<<"
inline constexpr int kSmallForward = 1608;    // ">>"
inline constexpr int kLargeBack = 1609;       // "<<<"
inline constexpr int kLargeForward = 1610;    // ">>>"
inline constexpr int kSlider = 1611;
inline constexpr int kCurrentFrame = 1603;         // Chapters and Zones pages
inline constexpr int kPanScanCurrentFrame = 1811;  // PanScan page

}  // namespace qz::ui::preview_ids

namespace qz::ui::chapters_ids {

inline constexpr int kSetStartFrame = 1601;
inline constexpr int kSetEndFrame = 1602;
inline constexpr int kList = 1604;
inline constexpr int kImport = 1612;
inline constexpr int kExport = 1613;
inline constexpr int kClear = 1614;
inline constexpr int kAdd = 1615;
inline constexpr int kRemove = 1616;
inline constexpr int kSceneChangeScan = 1617;  // "create SCD chapter list", "stop scanning" while a scan runs

}  // namespace qz::ui::chapters_ids

namespace qz::ui::zones_ids {

inline constexpr int kList = 1702;
inline constexpr int kFactor = 1711;
inline constexpr int kSetZone = 1712;
inline constexpr int kRemove = 1713;
inline constexpr int kClear = 1714;
inline constexpr int kCreateBitmap = 1715;

}  // namespace qz::ui::zones_ids

namespace qz::ui::panscan_ids {

inline constexpr int kHorizontal = 1812;
inline constexpr int kVertical = 1813;       // not used: disabled
inline constexpr int kWidth = 1814;          // not used: disabled
inline constexpr int kHeight = 1815;         // not used: disabled
inline constexpr int kImport = 1816;
inline constexpr int kExport = 1817;
inline constexpr int kClear = 1818;
inline constexpr int kAdd = 1819;
inline constexpr int kRemove = 1820;
inline constexpr int kList = 1821;
inline constexpr int kLeft = 1822;           // "<": one pixel left
inline constexpr int kRight = 1823;          // ">": one pixel right
inline constexpr int kUp = 1824;             // not used: disabled
inline constexpr int kDown = 1825;           // not used: disabled

}  // namespace qz::ui::panscan_ids
