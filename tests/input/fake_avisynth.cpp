// A fake Avisynth library with the C interface the bridge resolves, for the bridge's tests. What it
// does is set through environment variables read at every call:
//   FAKE_AVS_ENV_FAILS       the environment comes back with an error set
//   FAKE_AVS_IMPORT          "error" (an error value with FAKE_AVS_ERROR_TEXT), "silent_error" (an
//                            error value without text), "int" (a value that is no clip), else a clip
//   FAKE_AVS_WIDTH, FAKE_AVS_HEIGHT, FAKE_AVS_FRAMES, FAKE_AVS_PIXEL, FAKE_AVS_NUM, FAKE_AVS_DEN,
//   FAKE_AVS_VERSION         the clip (width 0 is a clip without video)
//   FAKE_AVS_FRAME_FAILS     "all" every frame fails, "later" every frame but frame 0
//   FAKE_AVS_MEMORY_REPLY    what avs_set_memory_max answers (default: the value asked for)
// Frame n: luma (x, y) = (n + x + 3y) mod 256; chroma row r of U = 2r mod 256, of V = 255 - r.
// fake_avs_live_objects() counts environments, clips and frames not yet released.
// Built whole, without avs_create_script_environment and without avs_invoke.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Value {
    short type;
    short array_size;
    union {
        void* clip;
        int integer;
        const char* string;
        int64_t longlong;
        double double_pt;
    } d;
};

struct VideoInfo {
    int width, height;
    unsigned fps_numerator, fps_denominator;
    int num_frames, pixel_type;
    int audio_samples_per_second, sample_type;
    int64_t num_audio_samples;
    int nchannels, image_type;
};

struct Environment {
    std::string error;
    std::string saved_text;
};

struct Clip {
    VideoInfo info{};
    int version = 10;
    std::string error;
};

struct Plane {
    std::vector<unsigned char> bytes;
    int pitch = 0, row_size = 0, height = 0;
};

struct Frame {
    Plane planes[3];
};

int live_objects = 0;

long setting(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 0) : fallback;
}

std::string text_setting(const char* name) {
    const char* text = std::getenv(name);
    return text ? text : "";
}

constexpr int kYUY2 = int(0x60000004u);
constexpr int kYV16 = int(0xA0000308u);
constexpr int kYV24 = int(0xA000030Bu);

// A plane of rows `row_size` bytes, `pitch` apart with 16 bytes of padding that must never be copied.
Plane make_plane(int row_size, int height) {
    Plane plane;
    plane.row_size = row_size;
    plane.height = height;
    plane.pitch = row_size + 16;
    plane.bytes.assign(size_t(plane.pitch) * size_t(height), 0xEE);
    return plane;
}

Frame* make_frame(const VideoInfo& info, int n) {
    auto* frame = new Frame;
    const int w = info.width, h = info.height;
    if (info.pixel_type == kYUY2) {
        Plane& packed = frame->planes[0] = make_plane(2 * w, h);
        for (int y = 0; y < h; ++y) {
            unsigned char* row = packed.bytes.data() + size_t(y) * size_t(packed.pitch);
            for (int x = 0; x < w; ++x) row[2 * x] = (unsigned char)((n + x + 3 * y) & 0xFF);
            for (int p = 0; p < w / 2; ++p) {
                row[4 * p + 1] = (unsigned char)((2 * y) & 0xFF);
                row[4 * p + 3] = (unsigned char)(255 - (y & 0xFF));
            }
        }
        return frame;
    }
    const int chroma_width = info.pixel_type == kYV24 ? w : w / 2;
    const int chroma_height = (info.pixel_type == kYV24 || info.pixel_type == kYV16) ? h : h / 2;
    frame->planes[0] = make_plane(w, h);
    frame->planes[1] = make_plane(chroma_width, chroma_height);
    frame->planes[2] = make_plane(chroma_width, chroma_height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            frame->planes[0].bytes[size_t(y) * size_t(frame->planes[0].pitch) + size_t(x)] =
                (unsigned char)((n + x + 3 * y) & 0xFF);
    for (int r = 0; r < chroma_height; ++r)
        for (int x = 0; x < chroma_width; ++x) {
            frame->planes[1].bytes[size_t(r) * size_t(frame->planes[1].pitch) + size_t(x)] = (unsigned char)((2 * r) & 0xFF);
            frame->planes[2].bytes[size_t(r) * size_t(frame->planes[2].pitch) + size_t(x)] = (unsigned char)(255 - (r & 0xFF));
        }
    return frame;
}

const Plane* plane_of(const void* frame, int plane) {
    const int index = plane == 0 || plane == 1 ? 0 : plane == 2 ? 1 : plane == 4 ? 2 : -1;
    if (!frame || index < 0) return nullptr;
    const Plane* p = &static_cast<const Frame*>(frame)->planes[index];
    return p->bytes.empty() ? nullptr : p;
}

}  // namespace

FAKE_EXPORT int fake_avs_live_objects() { return live_objects; }

#ifndef FAKE_AVS_WITHOUT_CREATE
FAKE_EXPORT void* avs_create_script_environment(int) {
    auto* env = new Environment;
    ++live_objects;
    if (setting("FAKE_AVS_ENV_FAILS", 0)) env->error = "fake: interface version not provided";
    return env;
}
#endif

FAKE_EXPORT const char* avs_get_error(void* env) {
    auto* e = static_cast<Environment*>(env);
    return e && !e->error.empty() ? e->error.c_str() : nullptr;
}

FAKE_EXPORT void avs_delete_script_environment(void* env) {
    if (!env) return;
    delete static_cast<Environment*>(env);
    --live_objects;
}

FAKE_EXPORT int avs_set_memory_max(void*, int mb) { return int(setting("FAKE_AVS_MEMORY_REPLY", mb)); }

#ifndef FAKE_AVS_WITHOUT_INVOKE
FAKE_EXPORT Value avs_invoke(void* env, const char* name, Value args, const char**) {
    Value result{};
    const std::string mode = text_setting("FAKE_AVS_IMPORT");
    if (std::strcmp(name, "Import") != 0 || args.type != 's' || mode == "silent_error") {
        result.type = 'e';
        result.d.string = nullptr;
        return result;
    }
    if (mode == "error") {
        auto* e = static_cast<Environment*>(env);
        e->saved_text = text_setting("FAKE_AVS_ERROR_TEXT");
        result.type = 'e';
        result.d.string = e->saved_text.c_str();
        return result;
    }
    if (mode == "int") {
        result.type = 'i';
        result.d.integer = 7;
        return result;
    }
    auto* clip = new Clip;
    ++live_objects;
    clip->info.width = int(setting("FAKE_AVS_WIDTH", 720));
    clip->info.height = int(setting("FAKE_AVS_HEIGHT", 576));
    clip->info.num_frames = int(setting("FAKE_AVS_FRAMES", 50));
    clip->info.pixel_type = int(setting("FAKE_AVS_PIXEL", long(0xA0000008u)));
    clip->info.fps_numerator = unsigned(setting("FAKE_AVS_NUM", 25));
    clip->info.fps_denominator = unsigned(setting("FAKE_AVS_DEN", 1));
    clip->version = int(setting("FAKE_AVS_VERSION", 10));
    result.type = 'c';
    result.d.clip = clip;
    return result;
}
#endif

FAKE_EXPORT void avs_release_value(Value value) {
    if (value.type == 'c' && value.d.clip) {
        delete static_cast<Clip*>(value.d.clip);
        --live_objects;
    }
}

FAKE_EXPORT void* avs_take_clip(Value value, void*) {
    if (value.type != 'c' || !value.d.clip) return nullptr;
    auto* copy = new Clip(*static_cast<Clip*>(value.d.clip));
    ++live_objects;
    return copy;
}

FAKE_EXPORT void avs_release_clip(void* clip) {
    if (!clip) return;
    delete static_cast<Clip*>(clip);
    --live_objects;
}

FAKE_EXPORT const VideoInfo* avs_get_video_info(void* clip) { return clip ? &static_cast<Clip*>(clip)->info : nullptr; }

FAKE_EXPORT int avs_get_version(void* clip) { return clip ? static_cast<Clip*>(clip)->version : 0; }

FAKE_EXPORT void* avs_get_frame(void* clip, int n) {
    auto* c = static_cast<Clip*>(clip);
    const std::string fails = text_setting("FAKE_AVS_FRAME_FAILS");
    if (fails == "all" || (fails == "later" && n != 0)) {
        c->error = "fake: frame " + std::to_string(n) + " cannot be made";
        return nullptr;
    }
    c->error.clear();
    ++live_objects;
    return make_frame(c->info, n);
}

FAKE_EXPORT const char* avs_clip_get_error(void* clip) {
    auto* c = static_cast<Clip*>(clip);
    return c && !c->error.empty() ? c->error.c_str() : nullptr;
}

FAKE_EXPORT int avs_get_pitch_p(const void* frame, int plane) {
    const Plane* p = plane_of(frame, plane);
    return p ? p->pitch : 0;
}

FAKE_EXPORT int avs_get_row_size_p(const void* frame, int plane) {
    const Plane* p = plane_of(frame, plane);
    return p ? p->row_size : 0;
}

FAKE_EXPORT int avs_get_height_p(const void* frame, int plane) {
    const Plane* p = plane_of(frame, plane);
    return p ? p->height : 0;
}

FAKE_EXPORT const unsigned char* avs_get_read_ptr_p(const void* frame, int plane) {
    const Plane* p = plane_of(frame, plane);
    return p ? p->bytes.data() : nullptr;
}

FAKE_EXPORT void avs_release_video_frame(void* frame) {
    if (!frame) return;
    delete static_cast<Frame*>(frame);
    --live_objects;
}
