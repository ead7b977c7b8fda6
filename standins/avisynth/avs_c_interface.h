/* The part of the AviSynth+ C interface that this stand-in library implements.
 *
 * Clients load the library at run time and resolve these functions by name; the types below must
 * match the real interface byte for byte, because a client built against one library works with the
 * other. Values, clips and frames are handed out as pointers that the client gives back to release. */
#ifndef QZ_STANDIN_AVS_C_INTERFACE_H
#define QZ_STANDIN_AVS_C_INTERFACE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define AVSC_EXPORT __attribute__((visibility("default")))
#else
#define AVSC_EXPORT
#endif

/* The interface version this library implements (AviSynth+ 3.7.3). */
#define AVS_STANDIN_INTERFACE_VERSION 10

typedef struct AVS_ScriptEnvironment AVS_ScriptEnvironment;
typedef struct AVS_Clip AVS_Clip;
typedef struct AVS_VideoFrame AVS_VideoFrame;

/* A script value: 16 bytes, the payload at offset 8. `type` is one of the characters below;
 * `array_size` counts the elements of an array value. */
typedef struct AVS_Value AVS_Value;
struct AVS_Value {
    short type;
    short array_size;
    union {
        void* clip;
        char boolean;
        int integer;
        float floating_pt;
        const char* string;
        const AVS_Value* array;
        void* function;
        int64_t longlong;
        double double_pt;
    } d;
};

#define AVS_VALUE_ARRAY 'a'
#define AVS_VALUE_CLIP 'c'
#define AVS_VALUE_BOOL 'b'
#define AVS_VALUE_INT 'i'
#define AVS_VALUE_FLOAT 'f'
#define AVS_VALUE_DOUBLE 'd'
#define AVS_VALUE_STRING 's'
#define AVS_VALUE_VOID 'v'
#define AVS_VALUE_LONG 'l'
#define AVS_VALUE_ERROR 'e'

/* 48 bytes. A clip has video when width is not 0. */
typedef struct AVS_VideoInfo {
    int width, height;
    unsigned fps_numerator, fps_denominator;
    int num_frames;
    int pixel_type;
    int audio_samples_per_second;
    int sample_type;
    int64_t num_audio_samples;
    int nchannels;
    int image_type;
} AVS_VideoInfo;

/* Pixel types. RGB types carry the BGR bit (28) with the interleaved bit (30). */
#define AVS_CS_YV12 ((int)0xA0000008u)
#define AVS_CS_I420 ((int)0xA0000010u)
#define AVS_CS_YUY2 ((int)0x60000004u)
#define AVS_CS_YV16 ((int)0xA0000308u)
#define AVS_CS_YV24 ((int)0xA000030Bu)
#define AVS_CS_Y8 ((int)0xE0000000u)
#define AVS_CS_BGR24 ((int)0x50000001u)
#define AVS_CS_BGR32 ((int)0x50000002u)

/* Plane ids for the *_p frame accessors; 0 names the only plane of an interleaved frame. */
#define AVS_DEFAULT_PLANE 0
#define AVS_PLANAR_Y 1
#define AVS_PLANAR_U 2
#define AVS_PLANAR_V 4

AVSC_EXPORT AVS_ScriptEnvironment* avs_create_script_environment(int version);
AVSC_EXPORT const char* avs_get_error(AVS_ScriptEnvironment* env);
AVSC_EXPORT void avs_delete_script_environment(AVS_ScriptEnvironment* env);
AVSC_EXPORT int avs_set_memory_max(AVS_ScriptEnvironment* env, int mb);

AVSC_EXPORT AVS_Value avs_invoke(AVS_ScriptEnvironment* env, const char* name, AVS_Value args,
                                 const char** arg_names);
AVSC_EXPORT void avs_release_value(AVS_Value value);

AVSC_EXPORT AVS_Clip* avs_take_clip(AVS_Value value, AVS_ScriptEnvironment* env);
AVSC_EXPORT void avs_release_clip(AVS_Clip* clip);
AVSC_EXPORT const AVS_VideoInfo* avs_get_video_info(AVS_Clip* clip);
AVSC_EXPORT int avs_get_version(AVS_Clip* clip);
AVSC_EXPORT AVS_VideoFrame* avs_get_frame(AVS_Clip* clip, int n);
AVSC_EXPORT const char* avs_clip_get_error(AVS_Clip* clip);

AVSC_EXPORT int avs_get_pitch_p(const AVS_VideoFrame* frame, int plane);
AVSC_EXPORT int avs_get_row_size_p(const AVS_VideoFrame* frame, int plane);
AVSC_EXPORT int avs_get_height_p(const AVS_VideoFrame* frame, int plane);
AVSC_EXPORT const unsigned char* avs_get_read_ptr_p(const AVS_VideoFrame* frame, int plane);
AVSC_EXPORT void avs_release_video_frame(AVS_VideoFrame* frame);

#ifdef __cplusplus
}
#endif

#endif
