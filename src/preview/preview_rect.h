// Where the bitmap is drawn in a preview area: the picture rectangle of the display aspect ratio
// (*ASPECT), laid out for a design area of 618 x 296 units and scaled to the area's real size, so the
// picture grows with the area and keeps its aspect.
#pragma once

#include <optional>

namespace qz::preview {

inline constexpr int kDesignAreaWidth = 618;
inline constexpr int kDesignAreaHeight = 296;

struct PreviewRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The rectangle for *ASPECT 1 (1:1), 2 (4:3), 3 (16:9), 4 (2.21:1) or 5 (4:3 pan-scan, drawn as 16:9,
// the window shows inside) in an area of `area_width` x `area_height` (pixels of the drawing surface);
// nothing for another aspect. Aspect 2 in a 618 x 296 area is 320 x 240 at (225, 20).
std::optional<PreviewRect> preview_rectangle(int aspect, int area_width, int area_height);

}  // namespace qz::preview
