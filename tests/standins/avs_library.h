// Loads the Avisynth stand-in by path, as the bridge loads a frame server, and wraps its C functions
// for tests.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "avs_c_interface.h"

namespace avs_test {

struct Library {
    void* handle = nullptr;
#define AVS_TEST_FUNCTION(name) decltype(&::name) name = nullptr;
    AVS_TEST_FUNCTION(avs_create_script_environment)
    AVS_TEST_FUNCTION(avs_get_error)
    AVS_TEST_FUNCTION(avs_delete_script_environment)
    AVS_TEST_FUNCTION(avs_set_memory_max)
    AVS_TEST_FUNCTION(avs_invoke)
    AVS_TEST_FUNCTION(avs_release_value)
    AVS_TEST_FUNCTION(avs_take_clip)
    AVS_TEST_FUNCTION(avs_release_clip)
    AVS_TEST_FUNCTION(avs_get_video_info)
    AVS_TEST_FUNCTION(avs_get_version)
    AVS_TEST_FUNCTION(avs_get_frame)
    AVS_TEST_FUNCTION(avs_clip_get_error)
    AVS_TEST_FUNCTION(avs_get_pitch_p)
    AVS_TEST_FUNCTION(avs_get_row_size_p)
    AVS_TEST_FUNCTION(avs_get_height_p)
    AVS_TEST_FUNCTION(avs_get_read_ptr_p)
    AVS_TEST_FUNCTION(avs_release_video_frame)
#undef AVS_TEST_FUNCTION
};

// The library, loaded once for the whole test program; every symbol must be present.
inline const Library& library() {
    static const Library lib = [] {
        Library l;
        l.handle = dlopen(QZ_AVS_STANDIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!l.handle) return l;
#define AVS_TEST_RESOLVE(name) l.name = reinterpret_cast<decltype(l.name)>(dlsym(l.handle, #name));
        AVS_TEST_RESOLVE(avs_create_script_environment)
        AVS_TEST_RESOLVE(avs_get_error)
        AVS_TEST_RESOLVE(avs_delete_script_environment)
        AVS_TEST_RESOLVE(avs_set_memory_max)
        AVS_TEST_RESOLVE(avs_invoke)
        AVS_TEST_RESOLVE(avs_release_value)
        AVS_TEST_RESOLVE(avs_take_clip)
        AVS_TEST_RESOLVE(avs_release_clip)
        AVS_TEST_RESOLVE(avs_get_video_info)
        AVS_TEST_RESOLVE(avs_get_version)
        AVS_TEST_RESOLVE(avs_get_frame)
        AVS_TEST_RESOLVE(avs_clip_get_error)
        AVS_TEST_RESOLVE(avs_get_pitch_p)
        AVS_TEST_RESOLVE(avs_get_row_size_p)
        AVS_TEST_RESOLVE(avs_get_height_p)
        AVS_TEST_RESOLVE(avs_get_read_ptr_p)
        AVS_TEST_RESOLVE(avs_release_video_frame)
#undef AVS_TEST_RESOLVE
        return l;
    }();
    return lib;
}

inline AVS_Value string_value(const char* text) {
    AVS_Value value{};
    value.type = AVS_VALUE_STRING;
    value.d.string = text;
    return value;
}

// A script file in the test's temporary folder, removed again at the end of the test.
class ScriptFile {
public:
    explicit ScriptFile(const std::string& text, const std::string& name = "") {
        static int counter = 0;
        path_ = ::testing::TempDir() + "avs_standin_" + std::to_string(getpid()) + "_" +
                (name.empty() ? std::to_string(++counter) + ".avs" : name);
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
    }
    ~ScriptFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A script environment for one test, with helpers that import scripts the way the bridge does.
class Environment {
public:
    explicit Environment(int version = 6) : env_(library().avs_create_script_environment(version)) {}
    ~Environment() {
        for (AVS_Clip* clip : clips_) library().avs_release_clip(clip);
        library().avs_delete_script_environment(env_);
    }
    AVS_ScriptEnvironment* get() const { return env_; }

    AVS_Value import(const std::string& path) {
        return library().avs_invoke(env_, "Import", string_value(path.c_str()), nullptr);
    }

    // The error text of importing `script`, or "" when it gave no error value.
    std::string import_error(const std::string& script) {
        ScriptFile file(script);
        const AVS_Value value = import(file.path());
        std::string text = value.type == AVS_VALUE_ERROR ? value.d.string : "";
        library().avs_release_value(value);
        return text;
    }

    // The clip of `script`; fails the test (and returns nullptr) when the script yields no clip.
    AVS_Clip* clip(const std::string& script) {
        ScriptFile file(script);
        const AVS_Value value = import(file.path());
        if (value.type != AVS_VALUE_CLIP) {
            ADD_FAILURE() << "no clip from script:\n" << script << "\n"
                          << (value.type == AVS_VALUE_ERROR ? value.d.string : "(not an error value)");
            return nullptr;
        }
        AVS_Clip* clip = library().avs_take_clip(value, env_);
        library().avs_release_value(value);
        clips_.push_back(clip);
        return clip;
    }

private:
    AVS_ScriptEnvironment* env_;
    std::vector<AVS_Clip*> clips_;
};

// A fetched frame, released at the end of its scope.
class Frame {
public:
    Frame(AVS_Clip* clip, int n) : frame_(library().avs_get_frame(clip, n)) {}
    ~Frame() { library().avs_release_video_frame(frame_); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    bool valid() const { return frame_ != nullptr; }
    AVS_VideoFrame* get() const { return frame_; }
    int pitch(int plane) const { return library().avs_get_pitch_p(frame_, plane); }
    int row_size(int plane) const { return library().avs_get_row_size_p(frame_, plane); }
    int height(int plane) const { return library().avs_get_height_p(frame_, plane); }
    const unsigned char* data(int plane) const { return library().avs_get_read_ptr_p(frame_, plane); }
    int at(int plane, int x, int y) const { return data(plane)[y * pitch(plane) + x]; }

    // The picture bytes of every plane (without row padding), for comparing frames.
    std::vector<unsigned char> picture() const {
        std::vector<unsigned char> bytes;
        for (int plane : {AVS_PLANAR_Y, AVS_PLANAR_U, AVS_PLANAR_V})
            for (int y = 0; y < height(plane); ++y)
                bytes.insert(bytes.end(), data(plane) + y * pitch(plane), data(plane) + y * pitch(plane) + row_size(plane));
        return bytes;
    }

private:
    AVS_VideoFrame* frame_;
};

}  // namespace avs_test
