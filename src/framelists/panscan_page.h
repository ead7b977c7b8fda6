// Preview/PanScan page handlers: the horizontal offset box with its "<" and ">" buttons, the pan-scan
// list with "add", "remove" and "clear list", and the frame navigation shared with the other preview
// pages. After every change of the list its box and the per-frame offset table the preview draws from
// follow it.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::framelists {

void on_panscan_page(App& app, const ui::Event& event);

// The page's list box from the record, one line a position, nothing selected.
void show_panscan_list(App& app);

// The per-frame offset table for the opened video (empty when none is open) from the record's list.
// Sized here only, so the preview never allocates for it.
void rebuild_panscan_offsets(App& app);

// Both of the above: after a load, an import, an input opened or closed.
void refresh_panscan_controls(App& app);

}  // namespace qz::framelists
