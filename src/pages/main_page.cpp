#include "pages/main_page.h"

namespace qz::pages {

void on_main_page(App&, const ui::Event&) {}
void on_main_field_check(App&, const ui::Event&) {}

}  // namespace qz::pages
