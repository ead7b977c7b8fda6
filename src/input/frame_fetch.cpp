#include "input/frame_fetch.h"

namespace qz::input {

namespace {

FramePlanes video_planes(VideoSource& video) {
    return {{video.y.data(), video.y.size()}, {video.u.data(), video.u.size()}, {video.v.data(), video.v.size()}};
}

bool fits_planes(const AvsClip& clip) {
    return clip.width > 0 && clip.height > 0 && clip.width <= kMaxFrameWidth && clip.height <= kMaxFrameHeight;
}

FetchOutcome fetch_project_frame(InputBridges& bridges, const FramePlanes& target, int n) {
    switch (dg_get_frame(bridges.dgdecode, n, target, bridges.kernels)) {
        case kDgOk: return FetchOutcome::fetched;
        case kDgNotLoaded: return FetchOutcome::dgdecode_not_loaded;
        case kDgTooLarge: return FetchOutcome::frame_too_large;
        default: return FetchOutcome::no_frame_delivered;
    }
}

// By the clip's colour space: YV12 straight into the planes, the others through the scratch
// buffers and a conversion.
int fetch_script_frame_into_planes(InputBridges& bridges, const FramePlanes& target, int n) {
    AvisynthBridge& avisynth = bridges.avisynth;
    const AvsClip& clip = avisynth.clip_info;
    if (!avisynth.clip || clip.colour_space == kOtherColourSpace) return kAvsNotLoaded;

    const int width = clip.width, height = clip.height;
    const bool interleaved = clip.colour_space == kYUY2;
    // Only a clip that passed the open's checks reaches here; the test keeps the planes safe anyway.
    const bool scratch_ready = clip.colour_space == kYV12 || bridges.ensure_scratch();
    if (!fits_planes(clip) || !scratch_ready) return interleaved ? kAvsInterleavedFrameFailed : kAvsPlanarFrameFailed;

    switch (clip.colour_space) {
        case kYV12: return avs_get_planar_frame(avisynth, n, width, width / 2, target);
        case kYUY2: {
            const int code = avs_get_interleaved_frame(avisynth, n, width, {bridges.packed_frame.get(), kPackedFrameBytes});
            if (code == kAvsOk)
                bridges.kernels.yuy2_to_420(bridges.packed_frame.get(), width, height, target.y.data, target.u.data,
                                            target.v.data);
            return code;
        }
        default: {
            const bool full_chroma = clip.colour_space == kYV24;
            const FramePlanes planes{target.y,
                                     {bridges.chroma_u.get(), kScratchChromaBytes},
                                     {bridges.chroma_v.get(), kScratchChromaBytes}};
            const int code = avs_get_planar_frame(avisynth, n, width, full_chroma ? width : width / 2, planes);
            if (code != kAvsOk) return code;
            if (full_chroma) {
                bridges.kernels.chroma_444_to_420(bridges.chroma_u.get(), width, height, target.u.data);
                bridges.kernels.chroma_444_to_420(bridges.chroma_v.get(), width, height, target.v.data);
            } else {
                bridges.kernels.chroma_422_to_420(bridges.chroma_u.get(), width / 2, height, target.u.data);
                bridges.kernels.chroma_422_to_420(bridges.chroma_v.get(), width / 2, height, target.v.data);
            }
            return code;
        }
    }
}

FetchOutcome fetch_script_frame(InputBridges& bridges, const FramePlanes& target, int n) {
    switch (fetch_script_frame_into_planes(bridges, target, n)) {
        case kAvsOk: return FetchOutcome::fetched;
        case kAvsNotLoaded: return FetchOutcome::avisynth_not_loaded;
        case kAvsInterleavedFrameFailed: return FetchOutcome::interleaved_frame_failed;
        default: return FetchOutcome::planar_frame_failed;
    }
}

}  // namespace

FetchOutcome fetch_frame(InputBridges& bridges, VideoSource& video, int n) {
    return fetch_frame_into(bridges, video, n, video_planes(video));
}

FetchOutcome fetch_frame_into(InputBridges& bridges, const VideoSource& video, int n, const FramePlanes& target) {
    if (video.kind.is_d2v) return fetch_project_frame(bridges, target, n);
    if (video.kind.is_avs) return fetch_script_frame(bridges, target, n);
    return FetchOutcome::no_input;
}

std::string fetch_outcome_text(FetchOutcome outcome, const InputBridges& bridges) {
    switch (outcome) {
        case FetchOutcome::fetched: return {};
        case FetchOutcome::no_input: return {};
        case FetchOutcome::avisynth_not_loaded: return "GetFrame failed, Avisynth.dll NOT loaded";
        case FetchOutcome::planar_frame_failed: return "planar GetFrame failed";
        case FetchOutcome::interleaved_frame_failed: return "interleaved GetFrame failed";
        case FetchOutcome::dgdecode_not_loaded: return "GetFrame failed, DGDecode.dll NOT loaded";
        case FetchOutcome::frame_too_large: return "DGDecode GetFrame failed, frame larger than 1920 x 1152";
        case FetchOutcome::no_frame_delivered: {
            const std::string reason = dg_last_error_text(bridges.dgdecode);
            return reason.empty() ? std::string("DGDecode GetFrame failed") : "DGDecode GetFrame failed: " + reason;
        }
    }
    return {};
}

}  // namespace qz::input
