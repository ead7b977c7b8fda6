#include "commands/avisynth_session.h"

#include "commands/input_open.h"
#include "commands/open_steps.h"

namespace qz::input {

void release_avisynth(App& app) {
    avs_release(app.bridges.avisynth);
}

bool reopen_avisynth_script(App& app) {
    AvisynthBridge& avisynth = app.bridges.avisynth;
    const int32_t memory_before = avisynth_memory_setting(app);
    int32_t memory = memory_before;
    if (avs_load(avisynth, memory) != kAvsOk) return false;
    store_avisynth_memory_setting(app, memory_before, memory);
    AvsClip clip;
    if (avs_import_script(avisynth, input_path(app), clip) != kAvsOk) return false;
    // The script may have been edited meanwhile: frames of another shape would not fit what the
    // Video source (and every page showing it) was set up for.
    const AvsClip& opened = app.bridges.opened_clip;
    if (clip.width != opened.width || clip.height != opened.height || clip.colour_space != opened.colour_space) {
        avs_release(avisynth);
        return false;
    }
    return true;
}

void close_inputs(App& app) {
    avs_release(app.bridges.avisynth);
    dg_unload_library(app.bridges.dgdecode);
}

}  // namespace qz::input
