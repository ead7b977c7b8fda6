// Dialog 106.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 106;
constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 9000, .kind = Kind::Group, .caption = ""},
};
}  // namespace

std::span<const ControlSpec> settings3_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
