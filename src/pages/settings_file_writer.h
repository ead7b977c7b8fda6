// Saving the settings as a settings file, and the "current QZ.ini" listing on the pages Settings 1
// to 3, which shows the lines a save would write now.
#pragma once

#include "state/app.h"

namespace qz::settings {

// Writes the default settings file (1) or the user settings file (2) from the page controls and the
// record. Returns the record's write completed flag: false when the file could not be created or
// written, or when constant quantisation is on with no number as quantiser (the lines before that
// stay in the file). Each outcome is reported in the Message log.
bool write_settings_file(App& app, int which);

// Fills the "current QZ.ini" list boxes of the pages Settings 1, 2 and 3 with the lines a save would
// write (one update per list box). Writes nothing to disk and logs only an invalid quantiser.
void refresh_listing(App& app);

}  // namespace qz::settings
