// The one frame fetch for either input kind: frame n of the open input into the Video source's Y, U
// and V planes as 4:2:0. Its outcome is typed; each failure has one Message log line, given by
// fetch_outcome_text.
#pragma once

#include "input/frame_planes.h"
#include "input/input_bridges.h"
#include "input/video_source.h"

#include <string>

namespace qz::input {

enum class FetchOutcome {
    fetched,
    no_input,                  // neither a script nor a project is open: nothing to report
    avisynth_not_loaded,
    planar_frame_failed,       // the script's planar frame could not be had
    interleaved_frame_failed,  // the script's YUY2 frame could not be had
    dgdecode_not_loaded,       // no DGDecode library or no project
    frame_too_large,           // the project's frame is larger than the planes
    no_frame_delivered,        // the DGDecode library delivered no frame
};

// On any outcome but `fetched` the planes keep their previous content.
FetchOutcome fetch_frame(InputBridges& bridges, VideoSource& video, int n);

// The same into planes of the caller's (each at least the size of the Video source's plane), for a
// reader that keeps frames of its own, as the scene-change scan does.
FetchOutcome fetch_frame_into(InputBridges& bridges, const VideoSource& video, int n, const FramePlanes& target);

// The Message log line of an outcome; empty for `fetched` and `no_input`.
std::string fetch_outcome_text(FetchOutcome outcome, const InputBridges& bridges);

}  // namespace qz::input
