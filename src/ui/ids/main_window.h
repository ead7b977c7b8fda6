// Controls of the main window (dialog 101): the tab control with the eight pages, its three buttons
// and the Message log.
#pragma once

namespace qz::ui::main_window_ids {

inline constexpr int kTabs = 1001;           // "Tab1": the selected tab is its position, 1 to 8
inline constexpr int kAboutButton = 1002;    // "about QZ"
inline constexpr int kEncodeButton = 1003;   // "encode"
inline constexpr int kExitButton = 1004;     // "exit"
inline constexpr int kMessageLog = 1006;     // the Message log's list box
inline constexpr int kMessageLogLabel = 9001;  // "info", above the Message log

}  // namespace qz::ui::main_window_ids
