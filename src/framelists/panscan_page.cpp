#include "framelists/panscan_page.h"

namespace qz::framelists {

void on_panscan_page(App&, const ui::Event&) {}

}  // namespace qz::framelists
