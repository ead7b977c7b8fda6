#include "input/dgdecode_bridge.h"

#include <array>
#include <cstring>

namespace qz::input {

namespace {

// The head of the record openMPEG2Source returns (Avisynth's video information layout); nothing
// after the pixel type is read.
struct DgVideoInfoHead {
    int32_t width;
    int32_t height;
    uint32_t rate_numerator;
    uint32_t rate_denominator;
    int32_t frame_count;
    int32_t pixel_type;
};

enum Routine : size_t { kOpen, kGetFrame, kClose, kLastError, kRoutineCount };

constexpr std::array<SymbolSpec, kRoutineCount> kRoutines{{
    {"openMPEG2Source", true},
    {"getFrame", true},
    {"closeVideo", true},
    {"getLastErrorText", false},
}};

int32_t colour_space_of(int32_t pixel_type) {
    const uint32_t type = static_cast<uint32_t>(pixel_type);
    if ((type & 0xA0000010u) == 0xA0000010u || (type & 0xA0000008u) == 0xA0000008u) return 1;
    if ((type & 0x60000004u) == 0x60000004u) return 2;
    return 0;
}

void forget_project(DgDecodeBridge& bridge) {
    bridge.video_open = false;
    bridge.video = DgVideo{};
    bridge.luma_size = bridge.chroma_size = 0;
}

void forget_routines(DgDecodeBridge& bridge) {
    bridge.routines_resolved = false;
    bridge.open = nullptr;
    bridge.get_frame = nullptr;
    bridge.close = nullptr;
    bridge.last_error = nullptr;
}

bool resolve_routines(DgDecodeBridge& bridge) {
    std::array<void*, kRoutineCount> addresses{};
    if (resolve_symbols(bridge.loader, bridge.library, kRoutines, addresses) >= 0) return false;
    bridge.open = function_at<DgDecodeBridge::OpenFn>(addresses[kOpen]);
    bridge.get_frame = function_at<DgDecodeBridge::FrameFn>(addresses[kGetFrame]);
    bridge.close = function_at<DgDecodeBridge::CloseFn>(addresses[kClose]);
    bridge.last_error = function_at<DgDecodeBridge::LastErrorFn>(addresses[kLastError]);
    bridge.routines_resolved = true;
    return true;
}

// Size of the 4:2:0 chroma planes a frame of this project gives.
size_t output_chroma_size(const DgDecodeBridge& bridge) {
    if (bridge.video.colour_space == 2) return size_t(bridge.video.width / 2) * size_t(bridge.video.height / 2);
    return bridge.chroma_size;
}

}  // namespace

int dg_load_library(DgDecodeBridge& bridge, const std::string& path) {
    forget_project(bridge);
    forget_routines(bridge);
    dg_forget_project_library(bridge);
    bridge.loaded = false;
    bridge.library = bridge.loader.load(path);
    if (!bridge.library) return kDgNotLoaded;
    bridge.loaded = true;
    return kDgOk;
}

int dg_unload_library(DgDecodeBridge& bridge) {
    if (!bridge.loaded) return kDgOk;
    const bool released = bridge.loader.unload(bridge.library);
    // Even when the release fails the handle is given up: the library's state is no longer ours.
    bridge.library = nullptr;
    bridge.loaded = false;
    forget_project(bridge);
    forget_routines(bridge);
    dg_forget_project_library(bridge);
    return released ? kDgOk : kDgUnloadFailed;
}

bool dg_loaded_for_project(const DgDecodeBridge& bridge, const std::string& library) {
    return bridge.loaded && !bridge.project_library.empty() && bridge.project_library == library;
}

void dg_mark_loaded_for_project(DgDecodeBridge& bridge, const std::string& library) {
    bridge.project_library = bridge.loaded ? library : std::string();
}

void dg_forget_project_library(DgDecodeBridge& bridge) { bridge.project_library.clear(); }

int dg_open_video(DgDecodeBridge& bridge, const std::string& project_path, DgVideo& video) {
    if (!bridge.loaded) return kDgNotLoaded;
    if (!bridge.routines_resolved && !resolve_routines(bridge)) return kDgRoutinesMissing;
    forget_project(bridge);

    const void* record = bridge.open(project_path.c_str());
    if (!record) return kDgOpenFailed;
    DgVideoInfoHead head;
    std::memcpy(&head, record, sizeof head);

    video.width = head.width;
    video.height = head.height;
    video.frame_count = head.frame_count;
    video.rate_numerator = head.rate_numerator;
    video.rate_denominator = head.rate_denominator;
    video.colour_space = colour_space_of(head.pixel_type);
    // A negative size or count is as unusable as 0 and must never reach a size computation.
    if (head.width <= 0 || head.height <= 0 || head.frame_count <= 0 || head.rate_numerator == 0 ||
        head.rate_denominator == 0)
        return kDgNoSpecifications;

    bridge.video = video;
    bridge.video_open = true;
    bridge.luma_size = size_t(head.width) * size_t(head.height);
    bridge.chroma_size = video.colour_space == 2 ? bridge.luma_size / 2 : bridge.luma_size / 4;
    return kDgOk;
}

int dg_get_frame(DgDecodeBridge& bridge, int n, const FramePlanes& planes, const ConversionKernels& kernels) {
    if (!bridge.loaded || !bridge.routines_resolved || !bridge.video_open) return kDgNotLoaded;
    const size_t chroma_out = output_chroma_size(bridge);
    if (bridge.luma_size > planes.y.capacity || chroma_out > planes.u.capacity || chroma_out > planes.v.capacity)
        return kDgTooLarge;

    const unsigned char* frame = bridge.get_frame(n);
    if (!frame) return kDgNoFrame;
    const unsigned char* u = frame + bridge.luma_size;
    const unsigned char* v = u + bridge.chroma_size;
    std::memcpy(planes.y.data, frame, bridge.luma_size);
    if (bridge.video.colour_space == 2) {
        const int chroma_width = bridge.video.width / 2;
        kernels.chroma_422_to_420(u, chroma_width, bridge.video.height, planes.u.data);
        kernels.chroma_422_to_420(v, chroma_width, bridge.video.height, planes.v.data);
    } else {
        std::memcpy(planes.u.data, u, bridge.chroma_size);
        std::memcpy(planes.v.data, v, bridge.chroma_size);
    }
    return kDgOk;
}

std::string dg_last_error_text(const DgDecodeBridge& bridge) {
    if (!bridge.loaded || !bridge.last_error) return {};
    const char* text = bridge.last_error();
    return text ? std::string(text) : std::string();
}

}  // namespace qz::input
