#include "pages/settings3_page.h"

namespace qz::pages {

void on_settings3_page(App&, const ui::Event&) {}
void refresh_size_estimate(App&) {}

}  // namespace qz::pages
