// One open D2V project: its index, its files, the decoder and the frame buffer handed out.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "d2v_project.h"
#include "dgdecode_interface.h"
#include "frame_map.h"
#include "frame_output.h"
#include "index_coverage.h"
#include "picture_decoder.h"
#include "source_files.h"

struct AVFrame;

namespace qz::dgdecode {

class D2vVideo {
public:
    D2vVideo() = default;
    D2vVideo(const D2vVideo&) = delete;
    D2vVideo& operator=(const D2vVideo&) = delete;
    ~D2vVideo();

    // False with a reason in `error` when the project or its files cannot be used or no picture
    // of them decodes.
    bool open(const std::string& d2v_path, std::string& error);

    const DgVideoInfo& info() const { return info_; }

    // After a successful open: what the caller should know about the project, such as MPEG files
    // shorter than its index; empty when there is nothing to say.
    const std::string& open_warning() const { return open_warning_; }

    // The frame (clamped to the valid range) in the delivered layout. `exact` is false when a
    // picture it needs could not be decoded and a neighbour stands in. Null when a picture it
    // needs lies beyond the end of the MPEG files (a copy shorter than its index).
    const uint8_t* frame(int number, bool& exact);

private:
    bool fill_info(const AVFrame& first, std::string& error);

    D2vProject project_;
    SourceFiles files_;
    PictureDecoder decoder_;
    FrameMap map_;
    OutputGeometry geometry_;
    std::vector<uint8_t> buffer_;
    AVFrame* held_ = nullptr;  // the top-field picture while the bottom-field one is decoded
    std::vector<bool> inside_files_;  // per picture: its GOP's data is in the files
    std::string open_warning_;
    DgVideoInfo info_{};
};

}  // namespace qz::dgdecode
