#include "pages/settings2_page.h"

namespace qz::pages {

void on_settings2_page(App&, const ui::Event&) {}

}  // namespace qz::pages
