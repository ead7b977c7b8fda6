#include "framelists/chapters_page.h"

namespace qz::framelists {

void on_chapters_page(App&, const ui::Event&) {}

}  // namespace qz::framelists
