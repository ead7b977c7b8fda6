#include "preview/preview_rect.h"

#include <array>

namespace qz::preview {

namespace {

// Extents in design units, centred on (385, 140).
struct Extents {
    int left, right, top, bottom;
};
constexpr std::array<Extents, 5> kExtents{{
    {265, 505, 20, 260},  // 1: 240 x 240
    {225, 545, 20, 260},  // 2: 320 x 240
    {172, 598, 20, 260},  // 3: 426 x 240
    {168, 602, 40, 240},  // 4: 434 x 200
    {172, 598, 20, 260},  // 5: 426 x 240
}};

// Single precision and truncation, as the picture has always been placed.
int scaled(int extent, float scale) { return int(float(extent) * scale); }

}  // namespace

std::optional<PreviewRect> preview_rectangle(int aspect, int area_width, int area_height) {
    if (aspect < 1 || aspect > int(kExtents.size())) return std::nullopt;
    const Extents& e = kExtents[size_t(aspect - 1)];
    const float sx = float(area_width) / float(kDesignAreaWidth);
    const float sy = float(area_height) / float(kDesignAreaHeight);
    const int left = scaled(e.left, sx), right = scaled(e.right, sx);
    const int top = scaled(e.top, sy), bottom = scaled(e.bottom, sy);
    return PreviewRect{left, top, right - left, bottom - top};
}

}  // namespace qz::preview
