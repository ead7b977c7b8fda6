// The Avisynth bridge over AviSynth+'s C interface, loaded at run time: load the library and create
// a script environment, import a script, hand out frames, release everything. Plain functions
// returning numeric codes; nothing the library reports escapes as anything but a code. The open
// procedure (input_open.h) turns the codes into Message log lines.
#pragma once

#include "input/frame_planes.h"
#include "input/library_symbols.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qz::input {

enum AvisynthCode : int {
    kAvsOk = 0,
    kAvsNotLoaded = 1,          // load: no library; other operations: nothing loaded
    kAvsImportFailed = 3,       // the import raised an error, or did not yield a clip
    kAvsNoVideo = 4,            // the clip has no video (or no frames, or no frame rate)
    kAvsFirstFrameFailed = 5,
    kAvsPlanarFrameFailed = 6,
    kAvsInterleavedFrameFailed = 7,
    kAvsNoCreateFunction = 22,  // the library does not export avs_create_script_environment
    kAvsNoEnvironment = 23,     // the library could not create an environment of interface version 6
    kAvsFunctionMissing = 24,   // another function the bridge needs is not exported
};

// The interface version the bridge asks for: AviSynth 2.6, which every AviSynth+ provides.
inline constexpr int kAvisynthInterfaceVersion = 6;

// What Import script found.
struct AvsClip {
    int32_t width = 0, height = 0, frame_count = 0;
    uint32_t rate_numerator = 0, rate_denominator = 0;
    int32_t interface_version = 0;  // the clip's
    int32_t colour_space = 0;       // 1 YV12, 2 YUY2, 3 YV16, 4 YV24, 0 anything else
};

// Functions of the C interface the bridge resolves (the table is in avisynth_bridge.cpp).
inline constexpr size_t kAvisynthFunctionCount = 17;

struct AvisynthBridge {
    LibraryLoader loader;
    // Tests: load this file instead of searching the loader's paths for the library.
    std::string library_override;

    platform::LibraryHandle library = nullptr;
    std::array<void*, kAvisynthFunctionCount> functions{};  // all null while no library is loaded
    void* environment = nullptr;
    void* clip = nullptr;
    AvsClip clip_info;

    const char* missing_function = nullptr;  // with code 24: the function's name
    std::array<char, 512> error_text{};      // the message of an error raised by the last import
};

// Loads the library (under the names of avisynth_lookup.h, through the loader's own search),
// creates an environment of interface version 6 and, when `memory_mb` is 0 or more, sets its memory
// limit, storing the limit the environment reports back in `memory_mb`.
// 0, 1, 22, 23 or 24.
int avs_load(AvisynthBridge& bridge, int32_t& memory_mb);

// Drops the clip, deletes the environment and releases the library. 0, or 1 when the release failed.
int avs_release(AvisynthBridge& bridge);

bool avs_loaded(const AvisynthBridge& bridge);

// Imports the script `path` and checks that it yields a clip with video whose frame 0 can be
// fetched. 0, 1, 3 (the message, if any, in error_text), 4 or 5.
int avs_import_script(AvisynthBridge& bridge, const std::string& path, AvsClip& clip);

// Frame `n` of a planar clip, each plane copied row by row; the rows of Y are `luma_pitch` bytes
// apart in the target, those of U and V `chroma_pitch`. Nothing is written past a target's capacity.
// 0, 1 or 6.
int avs_get_planar_frame(AvisynthBridge& bridge, int n, int luma_pitch, int chroma_pitch, const FramePlanes& planes);

// Frame `n` of an interleaved clip, its one plane copied with rows 2 x width apart. 0, 1 or 7.
int avs_get_interleaved_frame(AvisynthBridge& bridge, int n, int width, const PlaneTarget& target);

}  // namespace qz::input
