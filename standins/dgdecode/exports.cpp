// The exported C functions of the library. Calls are serialised: the program calls from its
// window thread and from its scan worker.
#include <memory>
#include <mutex>
#include <string>

#include "d2v_video.h"
#include "dgdecode_interface.h"

extern "C" {
#include <libavutil/log.h>
}

#define QZ_DG_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex g_lock;
std::unique_ptr<qz::dgdecode::D2vVideo> g_video;  // destroyed when the library is unloaded
std::string g_last_error;

void quiet_libav_once() {
    // A damaged stream makes the decoder complain per slice; the caller hears of it through our
    // own error text instead.
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_FATAL); });
}

}  // namespace

QZ_DG_EXPORT const DgVideoInfo* openMPEG2Source(const char* d2v_path) {
    std::lock_guard<std::mutex> lock(g_lock);
    g_video.reset();
    g_last_error.clear();
    if (!d2v_path || !*d2v_path) {
        g_last_error = "no project named";
        return nullptr;
    }
    quiet_libav_once();
    auto video = std::make_unique<qz::dgdecode::D2vVideo>();
    if (!video->open(d2v_path, g_last_error)) return nullptr;
    g_video = std::move(video);
    g_last_error = g_video->open_warning();
    return &g_video->info();
}

QZ_DG_EXPORT const unsigned char* getFrame(int frame_number) {
    std::lock_guard<std::mutex> lock(g_lock);
    if (!g_video) {
        g_last_error = "no project is open";
        return nullptr;
    }
    bool exact = true;
    const unsigned char* frame = g_video->frame(frame_number, exact);
    if (!frame) {
        g_last_error = "frame " + std::to_string(frame_number) + " is missing: the MPEG files end before it";
    } else if (exact) {
        g_last_error.clear();
    } else {
        g_last_error = "frame " + std::to_string(frame_number) + " could not be decoded; a neighbour stands in";
    }
    return frame;
}

QZ_DG_EXPORT void closeVideo(void) {
    std::lock_guard<std::mutex> lock(g_lock);
    g_video.reset();
    g_last_error.clear();
}

QZ_DG_EXPORT const char* getLastErrorText(void) {
    std::lock_guard<std::mutex> lock(g_lock);
    return g_last_error.c_str();
}
