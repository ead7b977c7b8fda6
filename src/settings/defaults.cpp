#include "settings/defaults.h"

namespace qz::settings {

void reset_to_defaults(App&) {}
void clear_chapter_list(App&) {}
void clear_panscan_list(App&) {}
void apply_record_to_pages(App&) {}

}  // namespace qz::settings
