// Reset to defaults, clearing the lists, and applying a loaded record to the pages.
#pragma once

#include "shell/app.h"

namespace qz::settings {

// Puts every page control into its default state and sets the record's aspect, matrix number,
// colorimetry and maximum B-frames; file names, given marks and lists are left alone.
void reset_to_defaults(App& app);

// Count 0, entries zeroed, the page's list box emptied.
void clear_chapter_list(App& app);
void clear_panscan_list(App& app);

// Copies every value whose given mark is set onto its page control, with the special rules.
void apply_record_to_pages(App& app);

}  // namespace qz::settings
