#include "framelists/zones_page.h"

namespace qz::framelists {

void on_zones_page(App&, const ui::Event&) {}

}  // namespace qz::framelists
