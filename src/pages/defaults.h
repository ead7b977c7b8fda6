// Reset to defaults, clearing the lists, and applying a loaded record to the pages.
#pragma once

#include "state/app.h"

namespace qz::settings {

// Puts every page control into its default state and brings the record's option values (among them
// aspect 3, colorimetry 0, multi-processing as the processor count allows), matrix number 1 and
// maximum B-frames 2 back to the defaults the pages show; pan-scan is switched off. File names, given
// marks and the lists are left alone. With a valid input the frame range is the whole video and the
// file length follows the default bitrate.
void reset_to_defaults(App& app);

// Count 0, entries zeroed, the page's list box emptied.
void clear_chapter_list(App& app);
void clear_panscan_list(App& app);

// After a load: every value whose given mark is set goes onto its page control, with the rules that
// tie controls together (constant quantisation, GOP, interlacing, matrix choice, ...). The record is
// corrected where a value cannot be shown as it stands (a maximum bitrate below the average, a factor
// between two steps of its spin, a GOP beyond the spin ranges).
void apply_record_to_pages(App& app);

}  // namespace qz::settings
