// The exported C functions: environments, values, clips and frames handed to the client.
//
// No exception leaves these functions; failures become error values, error texts or null results.
#include <cstdlib>
#include <deque>
#include <exception>
#include <new>
#include <string>

#include "avs_c_interface.h"
#include "clips.h"
#include "evaluator.h"

using namespace avs_standin;

namespace {

// Reads a positive interface version from the environment (used by tests of clients' checks).
int version_from_environment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return (*end == '\0' && value > 0 && value < 1000) ? int(value) : fallback;
}

// What a clip value's payload points at; released with avs_release_value.
struct ClipHandle {
    ClipPtr clip;
};

constexpr int default_memory_max_mb = 1024;
constexpr int min_memory_max_mb = 16;

}  // namespace

struct AVS_ScriptEnvironment {
    std::string creation_error;
    Evaluator evaluator;
    // Strings handed out in values live as long as the environment, as clients expect.
    std::deque<std::string> saved_strings;
    int interface_version = AVS_STANDIN_INTERFACE_VERSION;
    int reported_clip_version = AVS_STANDIN_INTERFACE_VERSION;
    int memory_max_mb = default_memory_max_mb;

    const char* save(std::string text) {
        saved_strings.push_back(std::move(text));
        return saved_strings.back().c_str();
    }
};

struct AVS_Clip {
    ClipPtr clip;
    AVS_VideoInfo info{};
    std::string error;
    int version = AVS_STANDIN_INTERFACE_VERSION;
};

struct AVS_VideoFrame {
    FramePtr frame;
};

namespace {

AVS_Value void_value() {
    AVS_Value value{};
    value.type = AVS_VALUE_VOID;
    return value;
}

AVS_Value error_value(const char* text) {
    AVS_Value value{};
    value.type = AVS_VALUE_ERROR;
    value.d.string = text;
    return value;
}

AVS_Value to_c_value(AVS_ScriptEnvironment& env, const Value& value) {
    AVS_Value out{};
    switch (value.kind) {
        case Value::Kind::none: return void_value();
        case Value::Kind::boolean: out.type = AVS_VALUE_BOOL, out.d.boolean = value.boolean; break;
        case Value::Kind::integer: out.type = AVS_VALUE_INT, out.d.integer = value.integer; break;
        case Value::Kind::floating: out.type = AVS_VALUE_FLOAT, out.d.floating_pt = float(value.floating); break;
        case Value::Kind::string: out.type = AVS_VALUE_STRING, out.d.string = env.save(value.text); break;
        case Value::Kind::clip: out.type = AVS_VALUE_CLIP, out.d.clip = new ClipHandle{value.clip}; break;
    }
    return out;
}

// One argument from the client; false for a kind the language has no use for.
bool from_c_value(const AVS_Value& in, Value& out) {
    switch (in.type) {
        case AVS_VALUE_BOOL: out = Value::of_bool(in.d.boolean != 0); return true;
        case AVS_VALUE_INT: out = Value::of_int(in.d.integer); return true;
        case AVS_VALUE_LONG:
            if (in.d.longlong < INT32_MIN || in.d.longlong > INT32_MAX) return false;
            out = Value::of_int(int(in.d.longlong));
            return true;
        case AVS_VALUE_FLOAT: out = Value::of_float(in.d.floating_pt); return true;
        case AVS_VALUE_DOUBLE: out = Value::of_float(in.d.double_pt); return true;
        case AVS_VALUE_STRING:
            if (!in.d.string) return false;
            out = Value::of_string(in.d.string);
            return true;
        case AVS_VALUE_CLIP:
            if (!in.d.clip) return false;
            out = Value::of_clip(static_cast<const ClipHandle*>(in.d.clip)->clip);
            return true;
        default: return false;
    }
}

// A single value is one argument, an array its elements, void none.
bool to_call_args(const AVS_Value& args, const char** arg_names, CallArgs& out) {
    const bool is_array = args.type == AVS_VALUE_ARRAY;
    const int count = is_array ? args.array_size : (args.type == AVS_VALUE_VOID ? 0 : 1);
    if (count < 0 || (is_array && count > 0 && !args.d.array)) return false;
    for (int i = 0; i < count; ++i) {
        Value value;
        if (!from_c_value(is_array ? args.d.array[i] : args, value)) return false;
        out.values.push_back(std::move(value));
        out.names.emplace_back(arg_names && arg_names[i] ? arg_names[i] : "");
    }
    return true;
}

AVS_VideoInfo to_c_info(const ClipInfo& info) {
    AVS_VideoInfo out{};
    out.width = info.format ? info.width : 0;
    out.height = info.format ? info.height : 0;
    out.fps_numerator = info.fps_numerator;
    out.fps_denominator = info.fps_denominator;
    out.num_frames = info.frame_count;
    out.pixel_type = info.format ? info.format->pixel_type : 0;
    return out;
}

// Plane index in a frame for a plane id, -1 when the frame has no such plane.
int plane_index(const AVS_VideoFrame* frame, int plane) {
    if (!frame || !frame->frame) return -1;
    const int index = (plane == AVS_DEFAULT_PLANE || plane == AVS_PLANAR_Y) ? 0
                      : plane == AVS_PLANAR_U                               ? 1
                      : plane == AVS_PLANAR_V                               ? 2
                                                                            : -1;
    return index < frame->frame->plane_count() ? index : -1;
}

}  // namespace

extern "C" {

AVS_ScriptEnvironment* avs_create_script_environment(int version) {
    try {
        auto* env = new AVS_ScriptEnvironment;
        env->interface_version = version_from_environment("QZ_AVS_STANDIN_VERSION", AVS_STANDIN_INTERFACE_VERSION);
        env->reported_clip_version = version_from_environment("QZ_AVS_STANDIN_CLIP_VERSION", env->interface_version);
        if (version > env->interface_version)
            env->creation_error = "Avisynth: the client asks for interface version " + std::to_string(version) +
                                  ", this library provides version " + std::to_string(env->interface_version);
        return env;
    } catch (...) {
        return nullptr;
    }
}

const char* avs_get_error(AVS_ScriptEnvironment* env) {
    if (!env) return "Avisynth: no script environment";
    return env->creation_error.empty() ? nullptr : env->creation_error.c_str();
}

void avs_delete_script_environment(AVS_ScriptEnvironment* env) { delete env; }

int avs_set_memory_max(AVS_ScriptEnvironment* env, int mb) {
    if (!env || !env->creation_error.empty()) return -1;
    if (mb > 0) env->memory_max_mb = mb < min_memory_max_mb ? min_memory_max_mb : mb;
    return env->memory_max_mb;
}

AVS_Value avs_invoke(AVS_ScriptEnvironment* env, const char* name, AVS_Value args, const char** arg_names) {
    if (!env) return error_value("Avisynth: no script environment");
    if (!env->creation_error.empty()) return error_value(env->creation_error.c_str());
    try {
        if (!name || !builtin_exists(name)) return error_value("Function Not Found");
        CallArgs call_args;
        if (!to_call_args(args, arg_names, call_args))
            return error_value(env->save(std::string("Invalid arguments to function '") + name + "'"));
        return to_c_value(*env, env->evaluator.call(name, call_args));
    } catch (const std::bad_alloc&) {
        return error_value("Avisynth: out of memory");
    } catch (const std::exception& error) {
        try {
            return error_value(env->save(error.what()));
        } catch (...) {
            return error_value("Avisynth: out of memory");
        }
    }
}

void avs_release_value(AVS_Value value) {
    if (value.type == AVS_VALUE_CLIP) delete static_cast<ClipHandle*>(value.d.clip);
}

AVS_Clip* avs_take_clip(AVS_Value value, AVS_ScriptEnvironment* env) {
    if (value.type != AVS_VALUE_CLIP || !value.d.clip) return nullptr;
    try {
        auto* clip = new AVS_Clip;
        clip->clip = static_cast<const ClipHandle*>(value.d.clip)->clip;
        clip->info = to_c_info(clip->clip->info());
        if (env) clip->version = env->reported_clip_version;
        return clip;
    } catch (...) {
        return nullptr;
    }
}

void avs_release_clip(AVS_Clip* clip) { delete clip; }

const AVS_VideoInfo* avs_get_video_info(AVS_Clip* clip) { return clip ? &clip->info : nullptr; }

int avs_get_version(AVS_Clip* clip) { return clip ? clip->version : 0; }

AVS_VideoFrame* avs_get_frame(AVS_Clip* clip, int n) {
    if (!clip) return nullptr;
    try {
        clip->error.clear();
        return new AVS_VideoFrame{clip->clip->frame(n)};
    } catch (const std::bad_alloc&) {
        clip->error = "GetFrame: out of memory";
    } catch (const std::exception& error) {
        clip->error = error.what();
    }
    return nullptr;
}

const char* avs_clip_get_error(AVS_Clip* clip) {
    return clip && !clip->error.empty() ? clip->error.c_str() : nullptr;
}

int avs_get_pitch_p(const AVS_VideoFrame* frame, int plane) {
    const int index = plane_index(frame, plane);
    return index < 0 ? 0 : frame->frame->plane(index).pitch;
}

int avs_get_row_size_p(const AVS_VideoFrame* frame, int plane) {
    const int index = plane_index(frame, plane);
    return index < 0 ? 0 : frame->frame->plane(index).row_size;
}

int avs_get_height_p(const AVS_VideoFrame* frame, int plane) {
    const int index = plane_index(frame, plane);
    return index < 0 ? 0 : frame->frame->plane(index).height;
}

const unsigned char* avs_get_read_ptr_p(const AVS_VideoFrame* frame, int plane) {
    const int index = plane_index(frame, plane);
    return index < 0 ? nullptr : frame->frame->plane(index).data;
}

void avs_release_video_frame(AVS_VideoFrame* frame) { delete frame; }

}  // extern "C"
