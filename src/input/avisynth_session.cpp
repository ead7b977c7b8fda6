#include "input/avisynth_session.h"

namespace qz::input {

void release_avisynth(App& app) { app.avisynth_loaded = false; }

bool reopen_avisynth_script(App&) { return false; }

}  // namespace qz::input
