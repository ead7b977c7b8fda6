// The input of an encode, opened without the program state through the program's own bridges: a
// D2V project through the "DGDecode.dll" the front end leaves beside the encoder, an Avisynth
// script through the C interface. Frames come out in the source's own chroma format.
#pragma once

#include "encoder_log.h"
#include "input/avisynth_bridge.h"
#include "input/conversions.h"
#include "input/dgdecode_bridge.h"
#include "planes.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qz::encoder {

struct VideoFormat {
    int width = 0, height = 0, frame_count = 0;
    uint32_t rate_numerator = 0, rate_denominator = 0;
    Chroma chroma = Chroma::k420;
    const char* colour_space = "";  // as the source names it: "YV12", "YUY2", ...
};

// The largest picture the encoder takes (MPEG-2 allows more, no level of it does).
inline constexpr int kMaxPictureWidth = 1920;
inline constexpr int kMaxPictureHeight = 1152;

class FrameSource {
public:
    FrameSource() = default;
    FrameSource(const FrameSource&) = delete;
    FrameSource& operator=(const FrameSource&) = delete;
    ~FrameSource();

    // Each writes the reason of a failure to the log; true when the input is open.
    bool open_project(const std::string& d2v_path, const std::string& dgdecode_library, EncoderLog& log);
    bool open_script(const std::string& avs_path, int32_t memory_mb, EncoderLog& log);

    const VideoFormat& format() const { return format_; }

    // Frame `n` into `raw`, which must have been allocated for format(). False (with a log line)
    // when the library gives no frame.
    bool fetch(int n, Planes& raw, EncoderLog& log);

private:
    bool accept_format(EncoderLog& log);
    bool fetch_project_frame(int n, Planes& raw, EncoderLog& log);
    bool fetch_script_frame(int n, Planes& raw, EncoderLog& log);

    enum class Kind { None, Project, Script } kind_ = Kind::None;
    input::DgDecodeBridge dgdecode_;
    input::AvisynthBridge avisynth_;
    VideoFormat format_;
    std::vector<uint8_t> packed_;  // a YUY2 frame before it is unpacked
};

// Unpacks a YUY2 frame (Y0 U Y1 V ..., rows of 2 x width bytes) into 4:2:2 planes.
void unpack_yuy2(const uint8_t* packed, Planes& planes);

}  // namespace qz::encoder
