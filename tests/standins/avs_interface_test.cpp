// The C interface of the Avisynth stand-in: environments, versions, values and error values.
#include <cstdlib>
#include <string>

#include "avs_library.h"

using namespace avs_test;

namespace {

const Library& lib() { return library(); }

TEST(AvsInterface, LoadsUnderBothNamesAndResolvesEveryFunction) {
    ASSERT_NE(lib().handle, nullptr) << dlerror();
    EXPECT_NE(lib().avs_create_script_environment, nullptr);
    EXPECT_NE(lib().avs_invoke, nullptr);
    EXPECT_NE(lib().avs_get_read_ptr_p, nullptr);
    EXPECT_NE(lib().avs_release_video_frame, nullptr);
    void* versioned = dlopen(QZ_AVS_STANDIN_LIBRARY ".10", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(versioned, nullptr) << dlerror();
    EXPECT_EQ(dlsym(versioned, "avs_invoke"), reinterpret_cast<void*>(lib().avs_invoke));
    dlclose(versioned);
}

TEST(AvsInterface, EnvironmentRefusesNewerInterfaceVersionsAndIsNullSafe) {
    AVS_ScriptEnvironment* env = lib().avs_create_script_environment(6);
    ASSERT_NE(env, nullptr);
    EXPECT_EQ(lib().avs_get_error(env), nullptr);
    lib().avs_delete_script_environment(env);

    env = lib().avs_create_script_environment(AVS_STANDIN_INTERFACE_VERSION + 1);
    ASSERT_NE(env, nullptr);
    ASSERT_NE(lib().avs_get_error(env), nullptr);
    EXPECT_NE(std::string(lib().avs_get_error(env)).find("interface version 11"), std::string::npos);
    const AVS_Value value = lib().avs_invoke(env, "Import", string_value("x.avs"), nullptr);
    EXPECT_EQ(value.type, AVS_VALUE_ERROR);
    EXPECT_EQ(lib().avs_set_memory_max(env, 512), -1);
    lib().avs_delete_script_environment(env);

    lib().avs_delete_script_environment(nullptr);
    lib().avs_release_clip(nullptr);
    lib().avs_release_video_frame(nullptr);
    EXPECT_EQ(lib().avs_get_frame(nullptr, 0), nullptr);
    EXPECT_EQ(lib().avs_get_video_info(nullptr), nullptr);
    EXPECT_EQ(lib().avs_get_read_ptr_p(nullptr, AVS_PLANAR_Y), nullptr);
    EXPECT_EQ(lib().avs_get_pitch_p(nullptr, AVS_PLANAR_Y), 0);
}

TEST(AvsInterface, MemoryMaxReportsTheValueInForce) {
    Environment env;
    const int initial = lib().avs_set_memory_max(env.get(), 0);
    EXPECT_GT(initial, 0);
    EXPECT_EQ(lib().avs_set_memory_max(env.get(), 512), 512);
    EXPECT_EQ(lib().avs_set_memory_max(env.get(), -1), 512);
    EXPECT_EQ(lib().avs_set_memory_max(env.get(), 1), 16);
    EXPECT_EQ(lib().avs_set_memory_max(nullptr, 512), -1);
}

class VersionVariables : public ::testing::Test {
protected:
    void TearDown() override {
        unsetenv("QZ_AVS_STANDIN_VERSION");
        unsetenv("QZ_AVS_STANDIN_CLIP_VERSION");
    }
    int clip_version() {
        Environment env;
        if (lib().avs_get_error(env.get())) return -1;
        AVS_Clip* clip = env.clip("BlankClip(length=1)");
        return clip ? lib().avs_get_version(clip) : -2;
    }
};

TEST_F(VersionVariables, ClipsReportTheLibraryVersionUnlessOverridden) {
    EXPECT_EQ(clip_version(), 10);

    // An older library cannot serve a client that asks for a newer interface.
    setenv("QZ_AVS_STANDIN_VERSION", "5", 1);
    EXPECT_EQ(clip_version(), -1);
    setenv("QZ_AVS_STANDIN_VERSION", "8", 1);
    EXPECT_EQ(clip_version(), 8);

    // Only the clips' version: lets clients test their check of old clips.
    unsetenv("QZ_AVS_STANDIN_VERSION");
    setenv("QZ_AVS_STANDIN_CLIP_VERSION", "5", 1);
    EXPECT_EQ(clip_version(), 5);

    setenv("QZ_AVS_STANDIN_CLIP_VERSION", "not a number", 1);
    EXPECT_EQ(clip_version(), 10);
}

TEST(AvsInterface, InvokeAnswersUnknownFunctionsAndMissingFilesWithErrorValues) {
    Environment env;
    AVS_Value value = lib().avs_invoke(env.get(), "NoSuchFilter", string_value("x"), nullptr);
    ASSERT_EQ(value.type, AVS_VALUE_ERROR);
    EXPECT_STREQ(value.d.string, "Function Not Found");

    value = env.import("/nonexistent/folder/movie.avs");
    ASSERT_EQ(value.type, AVS_VALUE_ERROR);
    EXPECT_STREQ(value.d.string, "Import: couldn't open \"/nonexistent/folder/movie.avs\"");

    value = env.import(::testing::TempDir());  // a folder is not a script
    ASSERT_EQ(value.type, AVS_VALUE_ERROR);
    EXPECT_EQ(std::string(value.d.string).rfind("Import: couldn't open", 0), 0u);

    AVS_Value wrong{};
    wrong.type = AVS_VALUE_INT;
    wrong.d.integer = 3;
    value = lib().avs_invoke(env.get(), "Import", wrong, nullptr);
    ASSERT_EQ(value.type, AVS_VALUE_ERROR);
    EXPECT_EQ(std::string(value.d.string).find("Invalid arguments to function 'Import'"), 14u) << value.d.string;
}

TEST(AvsInterface, InvokeTakesArraysWithNamedArgumentsAndClipValues) {
    Environment env;
    AVS_Value args[3] = {};
    args[0].type = AVS_VALUE_INT, args[0].d.integer = 50;
    args[1].type = AVS_VALUE_INT, args[1].d.integer = 320;
    args[2].type = AVS_VALUE_STRING, args[2].d.string = "YV24";
    const char* names[3] = {"length", "width", "pixel_type"};
    AVS_Value array{};
    array.type = AVS_VALUE_ARRAY, array.array_size = 3, array.d.array = args;
    const AVS_Value blank = lib().avs_invoke(env.get(), "BlankClip", array, names);
    ASSERT_EQ(blank.type, AVS_VALUE_CLIP);

    // The clip value goes back in as the first argument of another function.
    AVS_Value trim_args[3] = {blank, {}, {}};
    trim_args[1].type = AVS_VALUE_INT, trim_args[1].d.integer = 10;
    trim_args[2].type = AVS_VALUE_INT, trim_args[2].d.integer = 19;
    AVS_Value trim_array{};
    trim_array.type = AVS_VALUE_ARRAY, trim_array.array_size = 3, trim_array.d.array = trim_args;
    const AVS_Value trimmed = lib().avs_invoke(env.get(), "Trim", trim_array, nullptr);
    lib().avs_release_value(blank);
    ASSERT_EQ(trimmed.type, AVS_VALUE_CLIP);
    AVS_Clip* clip = lib().avs_take_clip(trimmed, env.get());
    lib().avs_release_value(trimmed);
    const AVS_VideoInfo* vi = lib().avs_get_video_info(clip);
    EXPECT_EQ(vi->width, 320);
    EXPECT_EQ(vi->num_frames, 10);
    EXPECT_EQ(vi->pixel_type, AVS_CS_YV24);
    lib().avs_release_clip(clip);
}

TEST(AvsInterface, NonClipResultsComeBackAsTheirOwnTypes) {
    Environment env;
    ScriptFile number("x = 6\nx * 7\n");
    AVS_Value value = env.import(number.path());
    EXPECT_EQ(value.type, AVS_VALUE_INT);
    EXPECT_EQ(value.d.integer, 42);
    EXPECT_EQ(lib().avs_take_clip(value, env.get()), nullptr);

    ScriptFile text("\"a\" + \"b\"\n");
    value = env.import(text.path());
    ASSERT_EQ(value.type, AVS_VALUE_STRING);
    EXPECT_STREQ(value.d.string, "ab");

    ScriptFile nothing("x = 1\n");
    value = env.import(nothing.path());
    EXPECT_EQ(value.type, AVS_VALUE_VOID);
}

TEST(AvsInterface, ClipWithoutVideoHasZeroWidthAndNoFrames) {
    Environment env;
    AVS_Clip* clip = env.clip("BlankClip(length=10, pixel_type=\"YV12\").KillVideo()");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(lib().avs_get_video_info(clip)->width, 0);
    EXPECT_EQ(lib().avs_get_frame(clip, 0), nullptr);
    ASSERT_NE(lib().avs_clip_get_error(clip), nullptr);
    EXPECT_STREQ(lib().avs_clip_get_error(clip), "GetFrame: the clip has no video");
}

TEST(AvsInterface, FramesOutliveTheirClipEnvironmentAndValue) {
    auto* env = lib().avs_create_script_environment(6);
    ScriptFile file("BlankClip(length=5, width=64, height=48, pixel_type=\"YV12\", color=$FFFFFF)");
    const AVS_Value value = lib().avs_invoke(env, "Import", string_value(file.path().c_str()), nullptr);
    AVS_Clip* clip = lib().avs_take_clip(value, env);
    AVS_VideoFrame* first = lib().avs_get_frame(clip, 0);
    AVS_VideoFrame* again = lib().avs_get_frame(clip, 0);
    EXPECT_EQ(lib().avs_clip_get_error(clip), nullptr);
    lib().avs_release_value(value);
    lib().avs_release_clip(clip);
    lib().avs_delete_script_environment(env);
    lib().avs_release_video_frame(again);
    // Still readable: the frame holds its own reference (AddressSanitizer catches a use after free).
    EXPECT_EQ(lib().avs_get_read_ptr_p(first, AVS_PLANAR_Y)[0], 235);
    lib().avs_release_video_frame(first);
}

}  // namespace
