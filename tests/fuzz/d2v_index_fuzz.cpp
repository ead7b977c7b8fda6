// The D2V project reader of the DGDecode stand-in, on any text, and the frame map built from
// what it accepts.
#include <cstdint>
#include <string>
#include <string_view>

#include "d2v_project.h"
#include "frame_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    qz::dgdecode::D2vProject project;
    std::string error;
    if (!qz::dgdecode::parse_d2v_project(text, "/nonexistent", project, error)) return 0;
    qz::dgdecode::FrameMap map;
    map.build(project);
    int frames = map.frame_count();
    for (int n : {0, frames / 3, frames - 1}) {
        if (n < 0) continue;
        qz::dgdecode::FrameSources s = map.sources(n);
        if (s.top_picture < 0 || s.bottom_picture < 0 || size_t(s.top_picture) >= project.picture_flags.size() ||
            size_t(s.bottom_picture) >= project.picture_flags.size())
            __builtin_trap();
    }
    return 0;
}
