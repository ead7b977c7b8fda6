#include "pages/main_page.h"

namespace qz::pages {

void on_main_page(App&, const ui::Event&) {}
void on_main_field_check(App&, const ui::Event&) {}
void refresh_movie_information(App&) {}
void refresh_file_length(App&) {}

}  // namespace qz::pages
