#include "pages/settings1_page.h"

namespace qz::pages {

void on_settings1_page(App&, const ui::Event&) {}

}  // namespace qz::pages
