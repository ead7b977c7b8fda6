// Dialog 109.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 109;
constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 9000, .kind = Kind::Group, .caption = ""},
};
}  // namespace

std::span<const ControlSpec> zones_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
