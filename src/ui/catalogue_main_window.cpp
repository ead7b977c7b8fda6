// The main window: tab control, buttons and the Message log.
#include "ui/catalogue.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

namespace qz::ui::catalogue_parts {

namespace {
using dialog::kMainWindow;
using namespace main_window_ids;

constexpr ControlSpec kControls[] = {
    {.dialog = kMainWindow, .id = kTabs, .kind = Kind::Tab, .caption = "Tab1"},
    {.dialog = kMainWindow, .id = kAboutButton, .kind = Kind::Button, .caption = "about QZ"},
    {.dialog = kMainWindow, .id = kEncodeButton, .kind = Kind::Button, .caption = "encode", .flags = kStartsDisabled},
    {.dialog = kMainWindow, .id = kExitButton, .kind = Kind::Button, .caption = "exit"},
    {.dialog = kMainWindow, .id = kMessageLogLabel, .kind = Kind::Static, .caption = "info"},
    {.dialog = kMainWindow, .id = kMessageLog, .kind = Kind::List, .flags = kNoSelect},
};
}  // namespace

std::span<const ControlSpec> main_window() { return kControls; }

}  // namespace qz::ui::catalogue_parts
