// The video elementary stream of a project's files, piece by piece from any byte position: read
// straight from an elementary stream, or taken out of a program or transport stream by
// libavformat.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "d2v_project.h"
#include "source_files.h"

namespace qz::dgdecode {

struct VideoPiece {
    const uint8_t* data = nullptr;
    size_t size = 0;
    int64_t position = 0;  // of the first byte, or of the packet that carried the piece
    bool exact = true;     // every byte at position + offset
};

class VideoSource {
public:
    virtual ~VideoSource() = default;
    // Continues from `position` of the joined files (a multiplex resumes at the next packet).
    virtual bool seek(int64_t position) = 0;
    // The next piece of video; false at the end of the files or on a read error.
    virtual bool next(VideoPiece& piece) = 0;
};

// `files` must outlive the source. Null with a reason in `error` when the stream type cannot be
// read.
std::unique_ptr<VideoSource> open_video_source(SourceFiles& files, StreamType type, int transport_pid,
                                               std::string& error);

// The stream type from the first bytes, for projects that do not name it.
StreamType sniff_stream_type(SourceFiles& files);

}  // namespace qz::dgdecode
