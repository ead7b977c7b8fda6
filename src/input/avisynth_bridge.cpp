#include "input/avisynth_bridge.h"

#include "input/avisynth_lookup.h"

#include <algorithm>
#include <cstring>

namespace qz::input {

namespace {

// The C interface's value: 16 bytes, the payload at offset 8, passed and returned by value.
struct AvsValue {
    short type;
    short array_size;
    union {
        void* clip;
        char boolean;
        int integer;
        float floating_pt;
        const char* string;
        const AvsValue* array;
        void* function;
        int64_t longlong;
        double double_pt;
    } d;
};
static_assert(sizeof(AvsValue) == 16, "the C interface passes values of 16 bytes");

struct AvsVideoInfo {
    int width, height;
    unsigned fps_numerator, fps_denominator;
    int num_frames;
    int pixel_type;
    int audio_samples_per_second;
    int sample_type;
    int64_t num_audio_samples;
    int nchannels;
    int image_type;
};

constexpr short kValueClip = 'c';
constexpr short kValueString = 's';
constexpr short kValueError = 'e';

constexpr int kPixelYV12 = int(0xA0000008u);
constexpr int kPixelI420 = int(0xA0000010u);
constexpr int kPixelYUY2 = int(0x60000004u);
constexpr int kPixelYV16 = int(0xA0000308u);
constexpr int kPixelYV24 = int(0xA000030Bu);

constexpr int kDefaultPlane = 0;
constexpr std::array<int, 3> kPlanarPlanes{1, 2, 4};  // Y, U, V

enum Function : size_t {
    kCreateEnvironment,
    kGetError,
    kDeleteEnvironment,
    kSetMemoryMax,
    kInvoke,
    kReleaseValue,
    kTakeClip,
    kReleaseClip,
    kGetVideoInfo,
    kGetVersion,
    kGetFrame,
    kClipGetError,
    kGetPitch,
    kGetRowSize,
    kGetHeight,
    kGetReadPtr,
    kReleaseFrame,
    kFunctionCount,
};
static_assert(kFunctionCount == kAvisynthFunctionCount);

// avs_create_script_environment comes first, so that its absence is the one reported (code 22).
constexpr std::array<SymbolSpec, kFunctionCount> kFunctions{{
    {"avs_create_script_environment", true},
    {"avs_get_error", true},
    {"avs_delete_script_environment", true},
    {"avs_set_memory_max", false},  // without it the memory setting is not applied
    {"avs_invoke", true},
    {"avs_release_value", true},
    {"avs_take_clip", true},
    {"avs_release_clip", true},
    {"avs_get_video_info", true},
    {"avs_get_version", true},
    {"avs_get_frame", true},
    {"avs_clip_get_error", false},  // without it a failed frame is known by its null pointer only
    {"avs_get_pitch_p", true},
    {"avs_get_row_size_p", true},
    {"avs_get_height_p", true},
    {"avs_get_read_ptr_p", true},
    {"avs_release_video_frame", true},
}};

using CreateFn = void* (*)(int version);
using GetErrorFn = const char* (*)(void* environment);
using DeleteFn = void (*)(void* environment);
using SetMemoryMaxFn = int (*)(void* environment, int mb);
using InvokeFn = AvsValue (*)(void* environment, const char* name, AvsValue args, const char** arg_names);
using ReleaseValueFn = void (*)(AvsValue value);
using TakeClipFn = void* (*)(AvsValue value, void* environment);
using ReleaseClipFn = void (*)(void* clip);
using GetVideoInfoFn = const AvsVideoInfo* (*)(void* clip);
using GetVersionFn = int (*)(void* clip);
using GetFrameFn = void* (*)(void* clip, int n);
using ClipGetErrorFn = const char* (*)(void* clip);
using FrameIntFn = int (*)(const void* frame, int plane);
using ReadPtrFn = const unsigned char* (*)(const void* frame, int plane);
using ReleaseFrameFn = void (*)(void* frame);

template <typename Fn>
Fn fn(const AvisynthBridge& bridge, Function which) {
    return function_at<Fn>(bridge.functions[which]);
}

void copy_error_text(AvisynthBridge& bridge, const char* text) {
    bridge.error_text.fill('\0');
    if (!text) return;
    const size_t length = std::min(std::strlen(text), bridge.error_text.size() - 1);
    std::memcpy(bridge.error_text.data(), text, length);
}

platform::LibraryHandle open_library(const AvisynthBridge& bridge) {
    if (!bridge.library_override.empty()) return bridge.loader.load(bridge.library_override);
    for (const char* name : kAvisynthLibraryNames) {
        if (platform::LibraryHandle library = bridge.loader.load(name)) return library;
    }
    return nullptr;
}

bool unload_library(AvisynthBridge& bridge) {
    bool released = true;
    if (bridge.library) released = bridge.loader.unload(bridge.library);
    bridge.library = nullptr;
    bridge.functions.fill(nullptr);
    return released;
}

void drop_clip(AvisynthBridge& bridge) {
    if (bridge.clip) fn<ReleaseClipFn>(bridge, kReleaseClip)(bridge.clip);
    bridge.clip = nullptr;
    bridge.clip_info = AvsClip{};
}

const char* clip_error(const AvisynthBridge& bridge, void* clip) {
    auto get = fn<ClipGetErrorFn>(bridge, kClipGetError);
    return get ? get(clip) : nullptr;
}

// A frame of the imported clip, or nullptr when the library failed to make it.
void* fetch(const AvisynthBridge& bridge, int n) {
    void* frame = fn<GetFrameFn>(bridge, kGetFrame)(bridge.clip, n);
    if (frame && clip_error(bridge, bridge.clip)) {
        fn<ReleaseFrameFn>(bridge, kReleaseFrame)(frame);
        return nullptr;
    }
    return frame;
}

int32_t colour_space_of(int pixel_type) {
    switch (pixel_type) {
        case kPixelYV12:
        case kPixelI420: return 1;
        case kPixelYUY2: return 2;
        case kPixelYV16: return 3;
        case kPixelYV24: return 4;
        default: return 0;
    }
}

// A clip the program can show and encode: a picture, frames, and a frame rate to divide by.
bool has_usable_video(const AvsVideoInfo* info) {
    return info && info->width > 0 && info->height > 0 && info->num_frames > 0 && info->fps_numerator != 0 &&
           info->fps_denominator != 0;
}

// Copies a plane row by row; never more rows than fit the target, never more than a row's pitch.
void copy_rows(const unsigned char* source, int source_pitch, int row_bytes, int rows, const PlaneTarget& target,
               size_t target_pitch) {
    if (!source || !target.data || target_pitch == 0 || row_bytes <= 0 || rows <= 0) return;
    const size_t bytes = std::min<size_t>(size_t(row_bytes), target_pitch);
    const size_t fitting_rows = std::min<size_t>(size_t(rows), target.capacity / target_pitch);
    for (size_t r = 0; r < fitting_rows; ++r) {
        std::memcpy(target.data + r * target_pitch, source + ptrdiff_t(r) * source_pitch, bytes);
    }
}

size_t pitch_of(int64_t bytes) { return bytes > 0 ? size_t(bytes) : 0; }

void copy_plane(const AvisynthBridge& bridge, const void* frame, int plane, const PlaneTarget& target,
                size_t target_pitch) {
    copy_rows(fn<ReadPtrFn>(bridge, kGetReadPtr)(frame, plane), fn<FrameIntFn>(bridge, kGetPitch)(frame, plane),
              fn<FrameIntFn>(bridge, kGetRowSize)(frame, plane), fn<FrameIntFn>(bridge, kGetHeight)(frame, plane),
              target, target_pitch);
}

}  // namespace

bool avs_loaded(const AvisynthBridge& bridge) { return bridge.library && bridge.environment; }

int avs_load(AvisynthBridge& bridge, int32_t& memory_mb) {
    avs_release(bridge);
    bridge.missing_function = nullptr;
    bridge.library = open_library(bridge);
    if (!bridge.library) return kAvsNotLoaded;

    const int missing = resolve_symbols(bridge.loader, bridge.library, kFunctions, bridge.functions);
    if (missing >= 0) {
        bridge.missing_function = kFunctions[size_t(missing)].name;
        unload_library(bridge);
        return missing == kCreateEnvironment ? kAvsNoCreateFunction : kAvsFunctionMissing;
    }

    // The environment always comes back; a failed creation is told by its error text.
    void* environment = fn<CreateFn>(bridge, kCreateEnvironment)(kAvisynthInterfaceVersion);
    if (!environment || fn<GetErrorFn>(bridge, kGetError)(environment)) {
        if (environment) fn<DeleteFn>(bridge, kDeleteEnvironment)(environment);
        unload_library(bridge);
        return kAvsNoEnvironment;
    }
    bridge.environment = environment;

    auto set_memory_max = fn<SetMemoryMaxFn>(bridge, kSetMemoryMax);
    if (memory_mb >= 0 && set_memory_max) {
        // -1 reports a failure, not a limit: the setting is then kept as it was.
        const int in_force = set_memory_max(environment, memory_mb);
        if (in_force >= 0) memory_mb = in_force;
    }
    return kAvsOk;
}

int avs_release(AvisynthBridge& bridge) {
    if (bridge.library) {
        drop_clip(bridge);
        if (bridge.environment) fn<DeleteFn>(bridge, kDeleteEnvironment)(bridge.environment);
    }
    bridge.clip = nullptr;
    bridge.clip_info = AvsClip{};
    bridge.environment = nullptr;
    return unload_library(bridge) ? kAvsOk : kAvsNotLoaded;
}

int avs_import_script(AvisynthBridge& bridge, const std::string& path, AvsClip& clip) {
    if (!avs_loaded(bridge)) return kAvsNotLoaded;
    drop_clip(bridge);
    copy_error_text(bridge, nullptr);

    AvsValue argument{};
    argument.type = kValueString;
    argument.d.string = path.c_str();
    const AvsValue result = fn<InvokeFn>(bridge, kInvoke)(bridge.environment, "Import", argument, nullptr);
    auto release_value = fn<ReleaseValueFn>(bridge, kReleaseValue);
    if (result.type == kValueError) {
        copy_error_text(bridge, result.d.string);
        release_value(result);
        return kAvsImportFailed;
    }
    void* taken = result.type == kValueClip ? fn<TakeClipFn>(bridge, kTakeClip)(result, bridge.environment) : nullptr;
    release_value(result);
    if (!taken) return kAvsImportFailed;
    bridge.clip = taken;
    if (const char* error = clip_error(bridge, taken)) {
        copy_error_text(bridge, error);
        drop_clip(bridge);
        return kAvsImportFailed;
    }

    const AvsVideoInfo* info = fn<GetVideoInfoFn>(bridge, kGetVideoInfo)(taken);
    if (!has_usable_video(info)) {
        drop_clip(bridge);
        return kAvsNoVideo;
    }
    AvsClip found;
    found.width = info->width;
    found.height = info->height;
    found.frame_count = info->num_frames;
    found.rate_numerator = info->fps_numerator;
    found.rate_denominator = info->fps_denominator;
    found.interface_version = fn<GetVersionFn>(bridge, kGetVersion)(taken);
    found.colour_space = colour_space_of(info->pixel_type);
    clip = found;

    void* first = fetch(bridge, 0);
    if (!first) {
        drop_clip(bridge);
        return kAvsFirstFrameFailed;
    }
    fn<ReleaseFrameFn>(bridge, kReleaseFrame)(first);
    bridge.clip_info = found;
    return kAvsOk;
}

int avs_get_planar_frame(AvisynthBridge& bridge, int n, int luma_pitch, int chroma_pitch, const FramePlanes& planes) {
    if (!avs_loaded(bridge) || !bridge.clip) return kAvsNotLoaded;
    void* frame = fetch(bridge, n);
    if (!frame) return kAvsPlanarFrameFailed;
    auto read_ptr = fn<ReadPtrFn>(bridge, kGetReadPtr);
    bool complete = true;
    for (int plane : kPlanarPlanes) complete = complete && read_ptr(frame, plane);
    if (complete) {
        copy_plane(bridge, frame, kPlanarPlanes[0], planes.y, pitch_of(luma_pitch));
        copy_plane(bridge, frame, kPlanarPlanes[1], planes.u, pitch_of(chroma_pitch));
        copy_plane(bridge, frame, kPlanarPlanes[2], planes.v, pitch_of(chroma_pitch));
    }
    fn<ReleaseFrameFn>(bridge, kReleaseFrame)(frame);
    return complete ? kAvsOk : kAvsPlanarFrameFailed;
}

int avs_get_interleaved_frame(AvisynthBridge& bridge, int n, int width, const PlaneTarget& target) {
    if (!avs_loaded(bridge) || !bridge.clip) return kAvsNotLoaded;
    void* frame = fetch(bridge, n);
    if (!frame) return kAvsInterleavedFrameFailed;
    const bool present = fn<ReadPtrFn>(bridge, kGetReadPtr)(frame, kDefaultPlane) != nullptr;
    if (present) copy_plane(bridge, frame, kDefaultPlane, target, pitch_of(2 * int64_t(width)));
    fn<ReleaseFrameFn>(bridge, kReleaseFrame)(frame);
    return present ? kAvsOk : kAvsInterleavedFrameFailed;
}

}  // namespace qz::input
