#include "commands/fetch_frame.h"

namespace qz::input {

namespace {

FramePlanes video_planes(VideoSource& video) {
    return {{video.y.data(), video.y.size()}, {video.u.data(), video.u.size()}, {video.v.data(), video.v.size()}};
}

bool fits_planes(const AvsClip& clip) {
    return clip.width > 0 && clip.height > 0 && clip.width <= kMaxFrameWidth && clip.height <= kMaxFrameHeight;
}

int fetch_project_frame(App& app, int n) {
    InputBridges& bridges = app.bridges;
    const int code = dg_get_frame(bridges.dgdecode, n, video_planes(app.video), bridges.kernels);
    switch (code) {
        case kDgOk: break;
        case kDgNotLoaded: app.log.add("GetFrame failed, DGDecode.dll NOT loaded"); break;
        case kDgTooLarge: app.log.add("DGDecode GetFrame failed, frame larger than 1920 x 1152"); break;
        default: {
            const std::string reason = dg_last_error_text(bridges.dgdecode);
            app.log.add(reason.empty() ? std::string("DGDecode GetFrame failed") : "DGDecode GetFrame failed: " + reason);
            break;
        }
    }
    return code;
}

// By the clip's colour space: YV12 straight into the planes, the others through the scratch
// buffers and a conversion.
int fetch_script_frame_into_planes(App& app, int n) {
    InputBridges& bridges = app.bridges;
    AvisynthBridge& avisynth = bridges.avisynth;
    VideoSource& video = app.video;
    const AvsClip& clip = avisynth.clip_info;
    if (!avisynth.clip || clip.colour_space == kOtherColourSpace) return kAvsNotLoaded;

    const int width = clip.width, height = clip.height;
    const bool interleaved = clip.colour_space == kYUY2;
    // Only a clip that passed the open's checks reaches here; the test keeps the planes safe anyway.
    const bool scratch_ready = clip.colour_space == kYV12 || bridges.ensure_scratch();
    if (!fits_planes(clip) || !scratch_ready) return interleaved ? kAvsInterleavedFrameFailed : kAvsPlanarFrameFailed;

    switch (clip.colour_space) {
        case kYV12: return avs_get_planar_frame(avisynth, n, width, width / 2, video_planes(video));
        case kYUY2: {
            const int code = avs_get_interleaved_frame(avisynth, n, width, {bridges.packed_frame.get(), kPackedFrameBytes});
            if (code == kAvsOk)
                bridges.kernels.yuy2_to_420(bridges.packed_frame.get(), width, height, video.y.data(), video.u.data(),
                                            video.v.data());
            return code;
        }
        default: {
            const bool full_chroma = clip.colour_space == kYV24;
            const FramePlanes planes{{video.y.data(), video.y.size()},
                                     {bridges.chroma_u.get(), kScratchChromaBytes},
                                     {bridges.chroma_v.get(), kScratchChromaBytes}};
            const int code = avs_get_planar_frame(avisynth, n, width, full_chroma ? width : width / 2, planes);
            if (code != kAvsOk) return code;
            if (full_chroma) {
                bridges.kernels.chroma_444_to_420(bridges.chroma_u.get(), width, height, video.u.data());
                bridges.kernels.chroma_444_to_420(bridges.chroma_v.get(), width, height, video.v.data());
            } else {
                bridges.kernels.chroma_422_to_420(bridges.chroma_u.get(), width / 2, height, video.u.data());
                bridges.kernels.chroma_422_to_420(bridges.chroma_v.get(), width / 2, height, video.v.data());
            }
            return code;
        }
    }
}

int fetch_script_frame(App& app, int n) {
    const int code = fetch_script_frame_into_planes(app, n);
    switch (code) {
        case kAvsOk: break;
        case kAvsNotLoaded: app.log.add("GetFrame failed, Avisynth.dll NOT loaded"); break;
        case kAvsPlanarFrameFailed: app.log.add("planar GetFrame failed"); break;
        case kAvsInterleavedFrameFailed: app.log.add("interleaved GetFrame failed"); break;
        default: break;
    }
    return code;
}

}  // namespace

int fetch_frame(App& app, int n) {
    if (app.video.kind.is_d2v) return fetch_project_frame(app, n);
    if (app.video.kind.is_avs) return fetch_script_frame(app, n);
    return kAvsNotLoaded;
}

}  // namespace qz::input
