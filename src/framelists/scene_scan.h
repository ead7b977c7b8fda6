// The scene-change scan of the Preview/Chapters page: "create SCD chapter list" starts it on a worker
// thread, the same button ("stop scanning") stops it, and closing the program aborts it. The worker
// fills the chapter list, moves the slider and the frame box, and shows the frame at each change.
#pragma once

#include "state/app.h"

namespace qz::framelists {

inline constexpr const char* kScanCaption = "create SCD chapter list";
inline constexpr const char* kStopScanCaption = "stop scanning";

// Starts a scan when none runs, stops the running one otherwise (the button's caption tells which).
void toggle_scene_scan(App& app);

// At exit: a running scan is stopped and its worker joined before the program goes on to quit.
void abort_scene_scan_on_exit(App& app);

// Joins a worker that has finished on its own; the user-interface thread calls it when it next
// looks (a new scan, a tab change, the end of the program).
void collect_finished_scan(App& app);

}  // namespace qz::framelists
