// Dialog 103.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = 103;
constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 9000, .kind = Kind::Group, .caption = ""},
};
}  // namespace

std::span<const ControlSpec> main_page() { return kControls; }

}  // namespace qz::ui::catalogue_parts
