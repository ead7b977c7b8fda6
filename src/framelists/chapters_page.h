// Preview/Chapters page handlers: the chapter list and its buttons, the frame range buttons and the
// scene-change scan button. The frame navigation controls go on to on_navigation; the import and
// export buttons are file commands.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::framelists {

void on_chapters_page(App& app, const ui::Event& event);

// Rebuilds the chapter list box from the record, with no line selected.
void show_chapter_list(App& app);

}  // namespace qz::framelists
