#include "ffmpeg_reference.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
}

#include <cmath>
#include <cstring>
#include <memory>

namespace qz::previewtest {

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

std::vector<uint8_t> copy_plane(const uint8_t* data, int pitch, int width, int height) {
    std::vector<uint8_t> plane(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row)
        std::memcpy(plane.data() + size_t(row) * size_t(width), data + ptrdiff_t(row) * pitch, size_t(width));
    return plane;
}

Yuv420 picture_of(const AVFrame* frame) {
    Yuv420 p;
    if (frame->format != AV_PIX_FMT_YUV420P) return p;
    p.width = frame->width;
    p.height = frame->height;
    p.y = copy_plane(frame->data[0], frame->linesize[0], p.width, p.height);
    p.u = copy_plane(frame->data[1], frame->linesize[1], p.width / 2, p.height / 2);
    p.v = copy_plane(frame->data[2], frame->linesize[2], p.width / 2, p.height / 2);
    return p;
}

int floor_div_65536(int64_t sum) { return int(std::floor(double(sum) / 65536.0)); }

uint8_t limited(int value) { return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value); }

}  // namespace

Yuv420 decode_mpeg2_frame(const std::string& path, int index) {
    AVFormatContext* raw_format = nullptr;
    if (avformat_open_input(&raw_format, path.c_str(), nullptr, nullptr) < 0) return {};
    std::unique_ptr<AVFormatContext, FormatCloser> format(raw_format);
    if (avformat_find_stream_info(format.get(), nullptr) < 0) return {};
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0) return {};
    const AVCodec* codec = avcodec_find_decoder(format->streams[stream]->codecpar->codec_id);
    std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
    if (!codec || !decoder) return {};
    avcodec_parameters_to_context(decoder.get(), format->streams[stream]->codecpar);
    decoder->thread_count = 1;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return {};

    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    int delivered = 0;
    bool input_left = true;
    while (true) {
        if (input_left) {
            if (av_read_frame(format.get(), packet.get()) < 0) {
                input_left = false;
                avcodec_send_packet(decoder.get(), nullptr);
            } else {
                const bool ours = packet->stream_index == stream;
                if (ours) avcodec_send_packet(decoder.get(), packet.get());
                av_packet_unref(packet.get());
                if (!ours) continue;
            }
        }
        int got;
        while ((got = avcodec_receive_frame(decoder.get(), frame.get())) == 0) {
            if (delivered++ == index) return picture_of(frame.get());
            av_frame_unref(frame.get());
        }
        if (!input_left && got != AVERROR(EAGAIN)) return {};
    }
}

Bgr decode_bmp(std::span<const uint8_t> file) {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_BMP);
    std::unique_ptr<AVCodecContext, CodecFreer> decoder(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!decoder || avcodec_open2(decoder.get(), codec, nullptr) < 0) return {};
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (av_new_packet(packet.get(), int(file.size())) < 0) return {};
    std::memcpy(packet->data, file.data(), file.size());
    if (avcodec_send_packet(decoder.get(), packet.get()) < 0) return {};
    if (avcodec_receive_frame(decoder.get(), frame.get()) < 0 || frame->format != AV_PIX_FMT_BGR24) return {};
    Bgr picture;
    picture.width = frame->width;
    picture.height = frame->height;
    picture.pixels = copy_plane(frame->data[0], frame->linesize[0], 3 * frame->width, frame->height);
    return picture;
}

Bgr convert_bt601_studio(const Yuv420& picture) {
    Bgr out;
    out.width = picture.width;
    out.height = picture.height;
    out.pixels.resize(size_t(3) * size_t(picture.width) * size_t(picture.height));
    for (int row = 0; row < picture.height; ++row) {
        for (int x = 0; x < picture.width; ++x) {
            const size_t chroma = size_t(row / 2) * size_t(picture.width / 2) + size_t(x / 2);
            const int64_t y = picture.y[size_t(row) * size_t(picture.width) + size_t(x)];
            const int64_t cb = int64_t(picture.u[chroma]) - 128;
            const int64_t cr = int64_t(picture.v[chroma]) - 128;
            uint8_t* pixel = out.pixels.data() + 3 * (size_t(row) * size_t(picture.width) + size_t(x));
            pixel[0] = limited(floor_div_65536(76284 * y - 1220544 + 132252 * cb));
            pixel[1] = limited(floor_div_65536(76284 * y - 1220544 - 25625 * cb - 53281 * cr));
            pixel[2] = limited(floor_div_65536(76284 * y - 1220544 + 104595 * cr));
        }
    }
    return out;
}

}  // namespace qz::previewtest
