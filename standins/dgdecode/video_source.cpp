#include "video_source.h"

#include <vector>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

namespace qz::dgdecode {

namespace {

constexpr int64_t kElementaryReadBytes = 256 << 10;
constexpr int kIoBufferBytes = 64 << 10;

class ElementarySource final : public VideoSource {
public:
    explicit ElementarySource(SourceFiles& files) : files_(files), buffer_(size_t(kElementaryReadBytes)) {}
    bool seek(int64_t position) override {
        if (position < 0 || position > files_.total_size()) return false;
        position_ = position;
        return true;
    }
    bool next(VideoPiece& piece) override {
        int64_t got = files_.read(position_, buffer_.data(), kElementaryReadBytes);
        if (got <= 0) return false;
        piece = {buffer_.data(), size_t(got), position_, true};
        position_ += got;
        return true;
    }

private:
    SourceFiles& files_;
    std::vector<uint8_t> buffer_;
    int64_t position_ = 0;
};

// A program or transport stream through libavformat, reading the joined files through our own
// I/O callbacks. Packets are taken unparsed so that each keeps the position of its packet.
class DemuxedSource final : public VideoSource {
public:
    DemuxedSource(SourceFiles& files, int pid) : files_(files), pid_(pid) {}
    ~DemuxedSource() override {
        av_packet_free(&packet_);
        avformat_close_input(&format_);
        if (io_) av_freep(&io_->buffer);
        avio_context_free(&io_);
    }

    bool open(const char* format_name, std::string& error) {
        const AVInputFormat* format = av_find_input_format(format_name);
        auto* io_buffer = static_cast<uint8_t*>(av_malloc(kIoBufferBytes));
        packet_ = av_packet_alloc();
        format_ = avformat_alloc_context();
        if (!format || !io_buffer || !packet_ || !format_) {
            av_free(io_buffer);
            error = "cannot set up the demultiplexer";
            return false;
        }
        io_ = avio_alloc_context(io_buffer, kIoBufferBytes, 0, this, &DemuxedSource::read_callback, nullptr,
                                 &DemuxedSource::seek_callback);
        if (!io_) {
            av_free(io_buffer);
            error = "cannot set up the demultiplexer";
            return false;
        }
        format_->pb = io_;
        format_->flags |= AVFMT_FLAG_CUSTOM_IO | AVFMT_FLAG_NOPARSE;
        if (avformat_open_input(&format_, "", format, nullptr) < 0) {
            error = std::string("the MPEG files are not a ") + format_name + " stream";
            return false;  // avformat_open_input freed the context
        }
        return true;
    }

    bool seek(int64_t position) override {
        if (position < 0 || position > files_.total_size()) return false;
        return av_seek_frame(format_, -1, position, AVSEEK_FLAG_BYTE) >= 0;
    }

    bool next(VideoPiece& piece) override {
        for (;;) {
            av_packet_unref(packet_);
            if (av_read_frame(format_, packet_) < 0) return false;
            if (!is_video(packet_->stream_index) || packet_->size <= 0) continue;
            piece = {packet_->data, size_t(packet_->size), packet_->pos >= 0 ? packet_->pos : 0, false};
            return true;
        }
    }

private:
    bool is_video(int index) {
        if (index < 0 || index >= int(format_->nb_streams)) return false;
        if (video_index_ >= 0) return index == video_index_;
        const AVStream* st = format_->streams[index];
        bool mpeg_video = st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
                          (st->codecpar->codec_id == AV_CODEC_ID_MPEG2VIDEO ||
                           st->codecpar->codec_id == AV_CODEC_ID_MPEG1VIDEO);
        if (!mpeg_video || (pid_ > 0 && st->id != pid_)) return false;
        video_index_ = index;  // the first video stream met stays the one
        return true;
    }

    static int read_callback(void* opaque, uint8_t* buffer, int size) {
        auto* self = static_cast<DemuxedSource*>(opaque);
        int64_t got = self->files_.read(self->io_position_, buffer, size);
        if (got < 0) return AVERROR(EIO);
        if (got == 0) return AVERROR_EOF;
        self->io_position_ += got;
        return int(got);
    }

    static int64_t seek_callback(void* opaque, int64_t offset, int whence) {
        auto* self = static_cast<DemuxedSource*>(opaque);
        int64_t total = self->files_.total_size();
        switch (whence & ~AVSEEK_FORCE) {
            case AVSEEK_SIZE: return total;
            case SEEK_SET: break;
            case SEEK_CUR: offset += self->io_position_; break;
            case SEEK_END: offset += total; break;
            default: return -1;
        }
        if (offset < 0 || offset > total) return -1;
        self->io_position_ = offset;
        return offset;
    }

    SourceFiles& files_;
    int pid_;
    AVFormatContext* format_ = nullptr;
    AVIOContext* io_ = nullptr;
    AVPacket* packet_ = nullptr;
    int64_t io_position_ = 0;
    int video_index_ = -1;
};

}  // namespace

StreamType sniff_stream_type(SourceFiles& files) {
    uint8_t head[188 * 3] = {};
    int64_t got = files.read(0, head, sizeof head);
    if (got >= 4 && head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0xBA) return StreamType::program;
    if (got >= 188 * 2 + 1 && head[0] == 0x47 && head[188] == 0x47 && head[376] == 0x47) return StreamType::transport;
    return StreamType::elementary;
}

std::unique_ptr<VideoSource> open_video_source(SourceFiles& files, StreamType type, int transport_pid,
                                               std::string& error) {
    if (type == StreamType::unknown) type = sniff_stream_type(files);
    if (type == StreamType::elementary) return std::make_unique<ElementarySource>(files);
    auto source = std::make_unique<DemuxedSource>(files, type == StreamType::transport ? transport_pid : -1);
    if (!source->open(type == StreamType::program ? "mpeg" : "mpegts", error)) return nullptr;
    return source;
}

}  // namespace qz::dgdecode
