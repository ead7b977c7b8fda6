#include "input/input_bridges.h"

#include <new>

namespace qz::input {

InputBridges::~InputBridges() {
    avs_release(avisynth);
    dg_unload_library(dgdecode);
}

bool InputBridges::ensure_scratch() {
    if (!packed_frame) packed_frame.reset(new (std::nothrow) uint8_t[kPackedFrameBytes]);
    if (!chroma_u) chroma_u.reset(new (std::nothrow) uint8_t[kScratchChromaBytes]);
    if (!chroma_v) chroma_v.reset(new (std::nothrow) uint8_t[kScratchChromaBytes]);
    return packed_frame && chroma_u && chroma_v;
}

}  // namespace qz::input
