// The refresh of the file captions and of the controls that depend on the loaded state, and the
// refill of the three frame lists' boxes.
#pragma once

#include "state/app.h"

namespace qz::commands {

enum class RefreshScope {
    FileCaptions,    // after an output or log file was chosen: captions and "encode" only
    ChapterImport,   // ... and the chapter list
    PanScanImport,   // ... and the chapter and pan-scan lists
    Complete,        // an input chosen: everything that depends on the loaded state
    SettingsRead,    // start-up, a settings file loaded: as Complete, the file's interlacing and
                     // field order selected again, and its chapter and zone lists shown
};

void refresh_file_captions(App& app, RefreshScope scope);

// Refill the pan-scan list box 110/1821 from the record (the chapter and zone list boxes are shown
// by their pages' show_chapter_list and show_zone_list).
void refill_panscan_list(App& app);

// "encode" is possible: a valid input, a named output, and for a script its Avisynth environment.
bool encode_possible(const App& app);

}  // namespace qz::commands
