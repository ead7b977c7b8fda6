// Id bands of the controls the logic never addresses: labels and group boxes exist for the layout
// only; the preview pictures are drawn by the window. Every addressed control has an id below them.
#pragma once

namespace qz::ui::layout_ids {

inline constexpr int kFirstLabel = 9000;     // static texts without a role, 9000 to 9499
inline constexpr int kFirstGroupBox = 9500;  // group boxes, 9500 to 9899
inline constexpr int kFirstPicture = 9900;   // preview pictures from 9900

}  // namespace qz::ui::layout_ids
