/* The interface of the DGDecode libraries ("DGDecode06.dll" .. "DGDecode16.dll" in the program's
 * "DGDecode" folder): three C functions, resolved by name at run time. All eleven files are the
 * same library; any of them decodes a D2V project of any version from 06 to 16.
 *
 *   const DgVideoInfo* openMPEG2Source(const char* d2v_path);
 *       Opens the project (closing one opened before). Null when the project or its MPEG files
 *       cannot be read or nothing in them decodes. The record stays valid until the next open,
 *       closeVideo or unloading; its fields are the size of the delivered frames (even numbers),
 *       the frame rate, the number of frames and the pixel type.
 *   const unsigned char* getFrame(int frame_number);
 *       Frame 0 .. num_frames-1 (numbers outside are clamped) as one buffer of
 *       dg_frame_size(info) bytes: the Y plane (width x height bytes), then the U plane and the
 *       V plane, rows one after the other without padding (pitch = width, chroma pitch =
 *       width / 2). Chroma planes are width/2 x height/2 for DG_PIXEL_TYPE_YV12 and
 *       width/2 x height for DG_PIXEL_TYPE_YUY2 (4:2:2 sources; the data is planar all the same).
 *       The buffer belongs to the library and stays valid until the next call. A picture that
 *       cannot be decoded is replaced by the nearest one that can. Null when no project is open,
 *       or when the frame lies beyond the end of the MPEG files (a copy shorter than the files
 *       the project was made from): nothing stands in for a frame that is not there.
 *   void closeVideo(void);
 *       Closes the project. Unloading the library closes it as well.
 *
 * Optional (not every build of such a library has it; look it up and tolerate its absence):
 *   const char* getLastErrorText(void);
 *       Why the last openMPEG2Source failed, why the last getFrame had to deliver a replacement
 *       picture or returned null; after a successful openMPEG2Source, a warning about the project
 *       (its MPEG files are shorter than its index: which frames are missing); "" otherwise.
 *
 * Calls may come from any thread, one at a time or not: the library serialises them. The C
 * calling convention is used. */
#ifndef QZ_DGDECODE_INTERFACE_H
#define QZ_DGDECODE_INTERFACE_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The video information record. Its layout is that of Avisynth's video information (48 bytes on
 * x86-64); only the first six fields carry meaning here. */
typedef struct DgVideoInfo {
    int width;
    int height;
    unsigned fps_numerator;
    unsigned fps_denominator;
    int num_frames;
    int pixel_type;
    int audio_samples_per_second; /* always 0: no audio */
    int sample_type;              /* always 0 */
    int64_t num_audio_samples;    /* always 0 */
    int nchannels;                /* always 0 */
    int image_type;               /* DG_IMAGE_TFF or DG_IMAGE_BFF from the first picture */
} DgVideoInfo;

#define DG_PIXEL_TYPE_YV12 (-1610612728) /* 0xA0000008 as a 32-bit int */
#define DG_PIXEL_TYPE_YUY2 0x60000004

#define DG_IMAGE_BFF 1
#define DG_IMAGE_TFF 2

typedef const DgVideoInfo* (*DgOpenMPEG2SourceFn)(const char* d2v_path);
typedef const unsigned char* (*DgGetFrameFn)(int frame_number);
typedef void (*DgCloseVideoFn)(void);
typedef const char* (*DgGetLastErrorTextFn)(void);

/* Bytes in one buffer getFrame returns for this record. */
static inline size_t dg_frame_size(const DgVideoInfo* info) {
    size_t luma = (size_t)info->width * (size_t)info->height;
    return info->pixel_type == DG_PIXEL_TYPE_YUY2 ? luma * 2 : luma + luma / 2;
}

#ifdef __cplusplus
}
#endif

#endif /* QZ_DGDECODE_INTERFACE_H */
