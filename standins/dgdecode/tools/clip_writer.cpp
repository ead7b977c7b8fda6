#include "clip_writer.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "test_pattern.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libavutil/rational.h>
}

namespace qz::testclip {

namespace {

bool ends_with(const std::string& s, const char* suffix) {
    std::string x(suffix);
    return s.size() >= x.size() && s.compare(s.size() - x.size(), x.size(), x) == 0;
}

bool is_program_stream(const std::string& path) { return ends_with(path, ".mpg") || ends_with(path, ".vob"); }
bool is_transport_stream(const std::string& path) { return ends_with(path, ".ts"); }

// Rewrites an encoded 24000/1001 film picture for soft pulldown: the sequence says 30000/1001
// interlaced, and each picture gets the (top field first, repeat first field) pair of the cycle
// (1,1) (0,0) (0,1) (1,0) by its display index.
class PulldownPatcher {
public:
    void patch(uint8_t* data, int size) {
        int64_t display = -1;
        for (int i = 0; i + 4 < size; ++i) {
            if (data[i] != 0 || data[i + 1] != 0 || data[i + 2] != 1) continue;
            uint8_t code = data[i + 3];
            uint8_t* p = data + i + 4;
            int avail = size - i - 4;
            if (code == 0xB3 && avail >= 4) {
                p[3] = uint8_t((p[3] & 0xF0) | 4);
            } else if (code == 0xB8) {
                gop_base_ = coded_;
            } else if (code == 0x00 && avail >= 2) {
                display = gop_base_ + ((p[0] << 2) | (p[1] >> 6));
            } else if (code == 0xB5 && avail >= 5) {
                int id = p[0] >> 4;
                if (id == 1) {
                    p[1] = uint8_t(p[1] & ~0x08);
                } else if (id == 8 && display >= 0) {
                    static const bool kTff[4] = {true, false, false, true};
                    static const bool kRff[4] = {true, false, true, false};
                    int phase = int(display % 4);
                    p[3] = uint8_t((p[3] & ~0x82) | (kTff[phase] ? 0x80 : 0) | (kRff[phase] ? 0x02 : 0));
                    p[4] = uint8_t(p[4] | 0x80);
                }
            }
        }
        if (display >= 0) ++coded_;
    }

private:
    int64_t coded_ = 0;
    int64_t gop_base_ = 0;
};

// Where encoded packets go: a plain file, or a program stream muxer.
class PacketSink {
public:
    virtual ~PacketSink() = default;
    virtual bool write(AVPacket* packet) = 0;
    virtual bool finish() = 0;
};

class ElementarySink final : public PacketSink {
public:
    bool open(const std::string& path) {
        file_ = std::fopen(path.c_str(), "wb");
        return file_ != nullptr;
    }
    ~ElementarySink() override {
        if (file_) std::fclose(file_);
    }
    bool write(AVPacket* packet) override {
        return std::fwrite(packet->data, 1, size_t(packet->size), file_) == size_t(packet->size);
    }
    bool finish() override {
        static const uint8_t kSequenceEnd[4] = {0, 0, 1, 0xB7};
        bool ok = std::fwrite(kSequenceEnd, 1, 4, file_) == 4;
        ok = std::fclose(file_) == 0 && ok;
        file_ = nullptr;
        return ok;
    }

private:
    std::FILE* file_ = nullptr;
};

// A program stream (DVD style) or a transport stream.
class MultiplexSink final : public PacketSink {
public:
    ~MultiplexSink() override {
        if (format_ && !(format_->oformat->flags & AVFMT_NOFILE)) avio_closep(&format_->pb);
        avformat_free_context(format_);
    }
    bool open(const std::string& path, const char* format_name, const AVCodecContext* codec, std::string& error) {
        if (avformat_alloc_output_context2(&format_, nullptr, format_name, path.c_str()) < 0 || !format_) {
            error = "cannot set up the multiplexer";
            return false;
        }
        stream_ = avformat_new_stream(format_, nullptr);
        if (!stream_ || avcodec_parameters_from_context(stream_->codecpar, codec) < 0) {
            error = "cannot set up the multiplexer";
            return false;
        }
        stream_->time_base = codec->time_base;
        codec_time_base_ = codec->time_base;
        // A generous decoder buffer: the fixed-quantiser pictures are far larger than a DVD's.
        size_t props_size = 0;
        AVCPBProperties* props = av_cpb_properties_alloc(&props_size);
        if (props) {
            props->buffer_size = 64 * 1024 * 1024;
            props->max_bitrate = 200'000'000;
            if (av_stream_add_side_data(stream_, AV_PKT_DATA_CPB_PROPERTIES, reinterpret_cast<uint8_t*>(props),
                                        props_size) < 0)
                av_free(props);
        }
        stream_->codecpar->bit_rate = 100'000'000;
        if (avio_open(&format_->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) {
            error = "cannot write " + path;
            return false;
        }
        AVDictionary* options = nullptr;
        // A program stream's pack rate must cover the fixed-quantiser rate; a transport stream
        // would pad itself up to it.
        if (std::string(format_name) == "vob") av_dict_set(&options, "muxrate", "200000000", 0);
        int r = avformat_write_header(format_, &options);
        av_dict_free(&options);
        if (r < 0) {
            error = "cannot write the stream header";
            return false;
        }
        return true;
    }
    bool write(AVPacket* packet) override {
        av_packet_rescale_ts(packet, codec_time_base_, stream_->time_base);
        packet->stream_index = stream_->index;
        return av_interleaved_write_frame(format_, packet) >= 0;
    }
    bool finish() override { return av_write_trailer(format_) >= 0; }

private:
    AVFormatContext* format_ = nullptr;
    AVStream* stream_ = nullptr;
    AVRational codec_time_base_{1, 25};
};

struct EncoderParts {
    AVCodecContext* codec = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    ~EncoderParts() {
        avcodec_free_context(&codec);
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
};

bool open_encoder(const ClipSpec& spec, EncoderParts& parts, std::string& error) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG2VIDEO);
    parts.codec = codec ? avcodec_alloc_context3(codec) : nullptr;
    parts.frame = av_frame_alloc();
    parts.packet = av_packet_alloc();
    if (!parts.codec || !parts.frame || !parts.packet) {
        error = "no MPEG-2 encoder";
        return false;
    }
    AVCodecContext* c = parts.codec;
    c->width = spec.width;
    c->height = spec.height;
    c->pix_fmt = spec.chroma_422 ? AV_PIX_FMT_YUV422P : AV_PIX_FMT_YUV420P;
    c->framerate = AVRational{spec.rate_numerator, spec.rate_denominator};
    c->time_base = AVRational{spec.rate_denominator, spec.rate_numerator};
    c->gop_size = spec.gop;
    c->max_b_frames = spec.b_frames;
    c->flags |= AV_CODEC_FLAG_QSCALE;
    c->global_quality = FF_QP2LAMBDA * spec.qscale;
    c->rc_buffer_size = 9781248;
    c->rc_max_rate = 80'000'000;
    av_reduce(&c->sample_aspect_ratio.num, &c->sample_aspect_ratio.den, int64_t(4) * spec.height,
              int64_t(3) * spec.width, 255);
    if (spec.closed_gops) c->flags |= static_cast<int>(AV_CODEC_FLAG_CLOSED_GOP);  // the top bit of the int flags
    if (spec.interlaced) c->flags |= AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME;
    // Regular GOPs: no extra I pictures where the content jumps.
    av_opt_set_int(c->priv_data, "sc_threshold", 1000000000, 0);
    if (avcodec_open2(c, codec, nullptr) < 0) {
        error = "cannot open the MPEG-2 encoder for this clip";
        return false;
    }
    parts.frame->format = c->pix_fmt;
    parts.frame->width = c->width;
    parts.frame->height = c->height;
    if (av_frame_get_buffer(parts.frame, 0) < 0) {
        error = "out of memory";
        return false;
    }
    return true;
}

bool drain_packets(EncoderParts& parts, PacketSink& sink, PulldownPatcher* patcher) {
    for (;;) {
        int r = avcodec_receive_packet(parts.codec, parts.packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
        if (r < 0) return false;
        if (patcher) patcher->patch(parts.packet->data, parts.packet->size);
        bool ok = sink.write(parts.packet);
        av_packet_unref(parts.packet);
        if (!ok) return false;
    }
}

bool encode_all(const ClipSpec& spec, EncoderParts& parts, PacketSink& sink) {
    PulldownPatcher patcher;
    PulldownPatcher* patch = spec.pulldown ? &patcher : nullptr;
    AVFrame* f = parts.frame;
    for (int n = 0; n < spec.frames; ++n) {
        if (av_frame_make_writable(f) < 0) return false;
        draw_test_frame(n, spec.width, spec.height, spec.chroma_422, {f->data[0], f->linesize[0]},
                        {f->data[1], f->linesize[1]}, {f->data[2], f->linesize[2]});
        f->pts = n;
        f->quality = FF_QP2LAMBDA * spec.qscale;
        f->pict_type = AV_PICTURE_TYPE_NONE;
        f->interlaced_frame = spec.interlaced ? 1 : 0;
        f->top_field_first = spec.interlaced ? 1 : 0;
        if (avcodec_send_frame(parts.codec, f) < 0 || !drain_packets(parts, sink, patch)) return false;
    }
    if (avcodec_send_frame(parts.codec, nullptr) < 0 || !drain_packets(parts, sink, patch)) return false;
    return sink.finish();
}

std::string part_name(const std::string& path, int index) {
    std::filesystem::path p(path);
    std::string name = p.stem().string() + "_" + std::to_string(index) + p.extension().string();
    return (p.parent_path() / name).string();
}

// Cuts the whole stream into parts; multiplexes are cut at pack or packet boundaries.
bool split_file(const std::string& whole, const ClipSpec& spec, std::vector<std::string>& written,
                std::string& error) {
    std::error_code ec;
    auto size = std::filesystem::file_size(whole, ec);
    if (ec) {
        error = "cannot read back " + whole;
        return false;
    }
    std::FILE* in = std::fopen(whole.c_str(), "rb");
    if (!in) {
        error = "cannot read back " + whole;
        return false;
    }
    uintmax_t part_size = size / uintmax_t(spec.files);
    if (is_program_stream(spec.path)) part_size -= part_size % 2048;
    if (is_transport_stream(spec.path)) part_size -= part_size % 188;
    std::vector<char> buffer(1 << 16);
    bool ok = true;
    for (int i = 1; i <= spec.files && ok; ++i) {
        std::string name = part_name(spec.path, i);
        std::FILE* out = std::fopen(name.c_str(), "wb");
        if (!out) {
            error = "cannot write " + name;
            ok = false;
            break;
        }
        uintmax_t left = i == spec.files ? UINTMAX_MAX : part_size;
        while (left > 0) {
            size_t want = size_t(std::min<uintmax_t>(left, buffer.size()));
            size_t got = std::fread(buffer.data(), 1, want, in);
            if (got == 0) break;
            if (std::fwrite(buffer.data(), 1, got, out) != got) ok = false;
            left -= got;
        }
        if (std::fclose(out) != 0) ok = false;
        if (!ok) error = "cannot write " + name;
        written.push_back(name);
    }
    std::fclose(in);
    std::filesystem::remove(whole, ec);
    return ok;
}

}  // namespace

bool check_clip_spec(const ClipSpec& spec, std::string& error) {
    if (!ends_with(spec.path, ".m2v") && !is_program_stream(spec.path) && !is_transport_stream(spec.path)) {
        error = "the clip's name must end in .m2v (elementary stream), .mpg (program stream) or .ts (transport stream)";
    } else if (spec.width < kMinWidth || spec.height < kMinHeight || spec.width > 4095 || spec.height > 4095 ||
               spec.width % 2 || spec.height % 2) {
        error = "the size must be even, at least 128x96 and below 4096x4096";
    } else if (spec.frames < 1 || spec.frames > kMaxFrameNumber + 1) {
        error = "the clip must have 1 to 65536 frames";
    } else if (spec.rate_numerator <= 0 || spec.rate_denominator <= 0) {
        error = "the frame rate must be positive";
    } else if (spec.gop < 1 || spec.b_frames < 0 || spec.b_frames > 4 || spec.qscale < 1 || spec.qscale > 31) {
        error = "GOP length, B pictures (0 to 4) or quantiser (1 to 31) out of range";
    } else if (spec.files < 1 || spec.files > 99) {
        error = "a clip is split into 1 to 99 files";
    } else if (spec.pulldown && (spec.rate_numerator != 24000 || spec.rate_denominator != 1001 || spec.interlaced)) {
        error = "pulldown needs a progressive clip at 24000/1001";
    } else {
        return true;
    }
    return false;
}

std::vector<std::string> clip_file_names(const ClipSpec& spec) {
    if (spec.files <= 1) return {spec.path};
    std::vector<std::string> names;
    for (int i = 1; i <= spec.files; ++i) names.push_back(part_name(spec.path, i));
    return names;
}

bool write_clip(const ClipSpec& spec, std::vector<std::string>& written, std::string& error) {
    written.clear();
    if (!check_clip_spec(spec, error)) return false;
    EncoderParts parts;
    if (!open_encoder(spec, parts, error)) return false;
    std::string whole = spec.files > 1 ? spec.path + ".whole" : spec.path;
    std::unique_ptr<PacketSink> sink;
    if (is_program_stream(spec.path) || is_transport_stream(spec.path)) {
        auto mux = std::make_unique<MultiplexSink>();
        if (!mux->open(whole, is_transport_stream(spec.path) ? "mpegts" : "vob", parts.codec, error)) return false;
        sink = std::move(mux);
    } else {
        auto es = std::make_unique<ElementarySink>();
        if (!es->open(whole)) {
            error = "cannot write " + whole;
            return false;
        }
        sink = std::move(es);
    }
    if (!encode_all(spec, parts, *sink)) {
        error = "encoding or writing " + whole + " failed";
        return false;
    }
    sink.reset();
    if (spec.files == 1) {
        written.push_back(spec.path);
        return true;
    }
    return split_file(whole, spec, written, error);
}

}  // namespace qz::testclip
