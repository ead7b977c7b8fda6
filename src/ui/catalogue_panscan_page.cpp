// Dialog 110.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 110;
constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 9000, .kind = Kind::Group, .caption = ""},
};
}  // namespace

std::span<const ControlSpec> panscan_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
