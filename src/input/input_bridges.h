// The state of the two input bridges, one member of the program state: the DGDecode loader, the
// Avisynth bridge, the chosen conversion kernels and the scratch buffers of frames that need
// converting to 4:2:0.
#pragma once

#include "input/avisynth_bridge.h"
#include "input/conversions.h"
#include "input/dgdecode_bridge.h"
#include "input/video_source.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qz::input {

inline constexpr size_t kPackedFrameBytes = 2 * kLumaPlaneBytes;  // one YUY2 frame of 1920 x 1152
inline constexpr size_t kScratchChromaBytes = kLumaPlaneBytes;    // one YV24 chroma plane of 1920 x 1152

struct InputBridges {
    InputBridges() = default;
    InputBridges(const InputBridges&) = delete;
    InputBridges& operator=(const InputBridges&) = delete;
    // Whatever is still loaded is released: the libraries' handles are ours alone.
    ~InputBridges();

    DgDecodeBridge dgdecode;
    AvisynthBridge avisynth;
    ConversionKernels kernels = select_conversion_kernels(0);

    // The clip the Video source describes, so that reopening the script after an encode can tell
    // whether it still gives frames of the same shape.
    AvsClip opened_clip;

    // Allocated by the first open that needs them and kept for the rest of the run: a frame fetch
    // never allocates.
    std::unique_ptr<uint8_t[]> packed_frame;            // kPackedFrameBytes
    std::unique_ptr<uint8_t[]> chroma_u, chroma_v;      // kScratchChromaBytes each

    // False when the memory cannot be had.
    bool ensure_scratch();
};

}  // namespace qz::input
