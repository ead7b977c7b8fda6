// Dialog 101: the main window.
#include "ui/catalogue.h"

namespace qz::ui::catalogue_parts {

namespace {
constexpr int D = kMainDialog;
constexpr ControlSpec kControls[] = {
    {.dialog = D, .id = 1001, .kind = Kind::Tab, .caption = "Tab1"},
    {.dialog = D, .id = 1002, .kind = Kind::Button, .caption = "about QZ"},
    {.dialog = D, .id = 1003, .kind = Kind::Button, .caption = "encode", .flags = kStartsDisabled},
    {.dialog = D, .id = 1004, .kind = Kind::Button, .caption = "exit"},
    {.dialog = D, .id = 9001, .kind = Kind::Static, .caption = "info"},
    {.dialog = D, .id = 1006, .kind = Kind::List, .flags = kNoSelect},
};
}  // namespace

std::span<const ControlSpec> main_window() { return kControls; }

}  // namespace qz::ui::catalogue_parts
