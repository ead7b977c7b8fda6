// The dialogs of the window: the main window and its eight pages, in tab order from 103. Script
// scenarios address them by these numbers.
#pragma once

namespace qz::ui::dialog {

inline constexpr int kMainWindow = 101;
inline constexpr int kMainPage = 103;
inline constexpr int kSettings1Page = 104;
inline constexpr int kSettings2Page = 105;
inline constexpr int kSettings3Page = 106;
inline constexpr int kMatrixPage = 107;
inline constexpr int kChaptersPage = 108;
inline constexpr int kZonesPage = 109;
inline constexpr int kPanScanPage = 110;

// The three preview pages share the current frame and the navigation controls.
inline constexpr int kPreviewPages[] = {kChaptersPage, kZonesPage, kPanScanPage};

// The settings pages show the same "current QZ.ini" listing.
inline constexpr int kSettingsPages[] = {kSettings1Page, kSettings2Page, kSettings3Page};

// Tab n (1 to 8) shows page dialog 102 + n.
inline constexpr int kPageCount = kPanScanPage - kMainPage + 1;
constexpr bool is_page(int dialog) { return dialog >= kMainPage && dialog <= kPanScanPage; }
constexpr int page_of_tab(int tab_number) { return kMainPage + tab_number - 1; }
constexpr int tab_of_page(int page) { return page - kMainPage + 1; }

}  // namespace qz::ui::dialog
