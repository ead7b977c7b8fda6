#include "pages/settings3_page.h"

namespace qz::pages {

void on_settings3_page(App&, const ui::Event&) {}

}  // namespace qz::pages
