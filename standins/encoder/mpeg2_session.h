// One pass of libavcodec's MPEG-2 encoder, set up from the plan: the codec context, the pictures
// sent with their decided types (and, for a constant quantiser, their quantiser), the packets that
// come back handed to a sink.
#pragma once

#include "encode_plan.h"
#include "picture_types.h"
#include "planes.h"

#include <cstdint>
#include <string>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace qz::encoder {

// What one coded picture reports.
struct CodedPicture {
    uint8_t* data = nullptr;  // may be patched in place
    int size = 0;
    int64_t display_index = 0;
    char type = '?';               // 'I', 'P' or 'B'
    double quantiser = 0;          // as the rate control chose it
    bool has_error = false;
    uint64_t error[3] = {0, 0, 0}; // sum of squared errors per plane, with PSNR
};

class PacketSink {
public:
    virtual ~PacketSink() = default;
    // False stops the pass (the sink has logged why).
    virtual bool picture(CodedPicture& coded) = 0;
};

enum class Pass { Single, First, Second };

class Mpeg2Session {
public:
    Mpeg2Session() = default;
    Mpeg2Session(const Mpeg2Session&) = delete;
    Mpeg2Session& operator=(const Mpeg2Session&) = delete;
    ~Mpeg2Session();

    // `stats_in` is the first pass's statistics for the second pass.
    bool open(const EncodePlan& plan, Pass pass, const std::string& stats_in, bool psnr, std::string& error);
    bool send(const Planes& picture, int index, const PictureChoice& choice, PacketSink& sink, std::string& error);
    bool finish(PacketSink& sink, std::string& error);

    // The first pass's statistics, complete after finish().
    const std::string& stats() const { return stats_; }

private:
    bool drain(PacketSink& sink, std::string& error);

    const EncodePlan* plan_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    std::string stats_;
};

// libavcodec's warnings and errors go to `log` (nullptr: back to standard error).
class EncoderLog;
void route_library_messages(EncoderLog* log);

// The libavcodec CPU flags for a *CPU level (0 leaves libavcodec's own detection).
void limit_cpu_features(int cpu_level);

}  // namespace qz::encoder
