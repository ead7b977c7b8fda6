// The DGDecode loader: loads a versioned DGDecode library at run time, opens a D2V project through
// its exported C functions and hands out decoded frames as 4:2:0 planes. Plain functions returning
// numeric codes; the open procedure (input_open.h) turns them into Message log lines.
#pragma once

#include "input/conversions.h"
#include "input/frame_planes.h"
#include "input/library_symbols.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace qz::input {

enum DgDecodeCode : int {
    kDgOk = 0,
    kDgNotLoaded = 128,        // no library loaded (load failed, or an operation without one)
    kDgUnloadFailed = 129,
    kDgRoutinesMissing = 130,  // openMPEG2Source, getFrame or closeVideo is not exported
    kDgOpenFailed = 131,       // openMPEG2Source returned nothing
    kDgNoSpecifications = 132, // width, height, frame count or a frame-rate number is 0 (or negative)
    kDgNoColourSpace = 133,    // neither 4:2:0 nor YUY2
    kDgTooWide = 134,
    kDgTooHigh = 135,
    kDgTooLarge = 136,
    kDgNoFrame = 137,          // getFrame delivered nothing
};

// What openMPEG2Source reported.
struct DgVideo {
    int32_t width = 0, height = 0, frame_count = 0;
    uint32_t rate_numerator = 0, rate_denominator = 0;
    int32_t colour_space = 0;  // 1 4:2:0 ("YV12"), 2 4:2:2 ("YUY2"), 0 other
};

struct DgDecodeBridge {
    LibraryLoader loader;
    platform::LibraryHandle library = nullptr;
    bool loaded = false;
    bool routines_resolved = false;  // looked up once per loaded library

    using OpenFn = const void* (*)(const char* d2v_path);
    using FrameFn = const unsigned char* (*)(int frame_number);
    using CloseFn = void (*)();
    using LastErrorFn = const char* (*)();
    OpenFn open = nullptr;
    FrameFn get_frame = nullptr;
    CloseFn close = nullptr;           // required to exist, never called: unloading closes the project
    LastErrorFn last_error = nullptr;  // optional

    // "Library loaded for the project": the versioned library file the open procedure loaded for
    // the current input, empty when none counts as such. Every load and unload clears it, and so do
    // the callers whenever a new input is chosen or a settings file is read, so a project of another
    // version never reuses the library already loaded.
    std::string project_library;

    // The open project, or none.
    bool video_open = false;
    DgVideo video;
    size_t luma_size = 0;    // width x height
    size_t chroma_size = 0;  // one chroma plane as the library delivers it: luma / 4, or luma / 2 for 4:2:2
};

// Loads the library file `path` (forgetting any project and routines first). 0 or 128.
int dg_load_library(DgDecodeBridge& bridge, const std::string& path);

// Releases the library; this also gives the open project up. 0, or 129 when the release failed.
int dg_unload_library(DgDecodeBridge& bridge);

// True when the library file `library` is loaded and counts as loaded for the current project.
bool dg_loaded_for_project(const DgDecodeBridge& bridge, const std::string& library);
// The loaded library now counts as the one for the current project.
void dg_mark_loaded_for_project(DgDecodeBridge& bridge, const std::string& library);
// A new input was chosen or a settings file is read: the next project open loads its library afresh.
void dg_forget_project_library(DgDecodeBridge& bridge);

// Opens a project: 0, 128, 130, 131 or 132. `video` receives what the library reported whenever it
// reported something (also with 132).
int dg_open_video(DgDecodeBridge& bridge, const std::string& project_path, DgVideo& video);

// Decodes frame `n` into the planes as 4:2:0 (a 4:2:2 project's chroma is averaged down): 0; 128
// without an open project; 136 when the frame would not fit the planes; 137 when the library
// delivered nothing.
int dg_get_frame(DgDecodeBridge& bridge, int n, const FramePlanes& planes, const ConversionKernels& kernels);

// The library's own account of its last failure, empty when it has none (or cannot tell).
std::string dg_last_error_text(const DgDecodeBridge& bridge);

}  // namespace qz::input
