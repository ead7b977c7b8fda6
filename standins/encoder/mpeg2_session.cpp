#include "mpeg2_session.h"

#include "encoder_log.h"

#include <algorithm>
#include <cstdarg>
#include <mutex>
#include <cmath>
#include <cstdio>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/cpu.h>
#include <libavutil/imgutils.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libavutil/rational.h>
}

namespace qz::encoder {

namespace {

std::string av_error_text(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// Display aspect ratio code -> the sample aspect ratio from which the encoder picks that code.
AVRational sample_aspect(const EncodePlan& p) {
    int num = 1, den = 1;
    switch (p.aspect_code) {
        case 2: num = 4 * p.height; den = 3 * p.width; break;
        case 3: num = 16 * p.height; den = 9 * p.width; break;
        case 4: num = 221 * p.height; den = 100 * p.width; break;
        default: break;
    }
    AVRational sar{1, 1};
    av_reduce(&sar.num, &sar.den, num, den, 65535);
    return sar;
}

uint16_t* matrix_copy(const std::array<uint16_t, 64>& m) {
    auto* out = static_cast<uint16_t*>(av_malloc(64 * sizeof(uint16_t)));
    if (out) std::memcpy(out, m.data(), 64 * sizeof(uint16_t));
    return out;
}

void set_colour(AVCodecContext* c, int code) {
    // The colour_primaries code with the transfer and matrix that belong to it.
    switch (code) {
        case 1: c->color_primaries = AVCOL_PRI_BT709; c->color_trc = AVCOL_TRC_BT709; c->colorspace = AVCOL_SPC_BT709; break;
        case 4: c->color_primaries = AVCOL_PRI_BT470M; c->color_trc = AVCOL_TRC_GAMMA22; c->colorspace = AVCOL_SPC_FCC; break;
        case 5: c->color_primaries = AVCOL_PRI_BT470BG; c->color_trc = AVCOL_TRC_GAMMA28; c->colorspace = AVCOL_SPC_BT470BG; break;
        case 6: c->color_primaries = AVCOL_PRI_SMPTE170M; c->color_trc = AVCOL_TRC_SMPTE170M; c->colorspace = AVCOL_SPC_SMPTE170M; break;
        case 7: c->color_primaries = AVCOL_PRI_SMPTE240M; c->color_trc = AVCOL_TRC_SMPTE240M; c->colorspace = AVCOL_SPC_SMPTE240M; break;
        default: break;
    }
}

// The video_format of the sequence display extension: PAL for 25 Hz systems, NTSC for 30 Hz ones.
int video_format(const EncodePlan& p) {
    const double rate = double(p.rate_numerator) / double(p.rate_denominator);
    if (std::fabs(rate - 25.0) < 0.01 || std::fabs(rate - 50.0) < 0.01) return 1;
    if (p.pulldown || std::fabs(rate - 29.97) < 0.01 || std::fabs(rate - 59.94) < 0.01) return 2;
    return 5;  // unspecified
}

bool set_rate_control(AVCodecContext* c, const EncodePlan& p, Pass pass, const std::string& stats_in, std::string& error) {
    const int64_t max_rate = int64_t(p.max_bitrate_kbps) * 1000;
    if (p.mode == RateMode::ConstantQuantiser) {
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = int(std::lround(FF_QP2LAMBDA * p.quantiser));
        c->bit_rate = max_rate;
        // No VBV: nothing limits the rate (the header then says "variable").
        return true;
    }
    if (p.mode == RateMode::CappedQuantiser) {
        // The quantiser is the finest the rate control may use; aiming at the maximum rate, it uses
        // it wherever the VBV allows. The factors set the P and B quantisers against the I ones.
        c->bit_rate = max_rate;
        c->qmin = std::max(1, int(std::lround(p.quantiser)));
        c->i_quant_factor = 1.0f / p.p_factor;
        c->i_quant_offset = 0.0f;
        c->b_quant_factor = p.b_factor / p.p_factor;
        c->b_quant_offset = 0.0f;
    } else {
        c->bit_rate = int64_t(p.bitrate_kbps) * 1000;
    }
    if (p.vbv) {
        c->rc_max_rate = max_rate;
        c->rc_buffer_size = p.vbv_buffer_bits;
        c->rc_initial_buffer_occupancy = p.vbv_buffer_bits * 3 / 4;
    }
    if (pass == Pass::First) c->flags |= AV_CODEC_FLAG_PASS1;
    if (pass == Pass::Second) {
        c->flags |= AV_CODEC_FLAG_PASS2;
        c->stats_in = av_strdup(stats_in.c_str());
        if (!c->stats_in) {
            error = "out of memory";
            return false;
        }
    }
    if (!p.zones.empty()) {
        // A zone's factor scales the bitrate; the override scales the quantiser, so it takes the inverse.
        c->rc_override = static_cast<RcOverride*>(av_malloc_array(p.zones.size(), sizeof(RcOverride)));
        if (!c->rc_override) {
            error = "out of memory";
            return false;
        }
        c->rc_override_count = int(p.zones.size());
        for (size_t i = 0; i < p.zones.size(); ++i)
            c->rc_override[i] = RcOverride{p.zones[i].first, p.zones[i].last, 0, 1.0f / p.zones[i].factor};
    }
    return true;
}

void set_speed(AVCodecContext* c, const EncodePlan& p) {
    if (p.speed == 1) {
        c->mb_decision = FF_MB_DECISION_SIMPLE;
    } else if (p.speed == 2) {
        c->mb_decision = FF_MB_DECISION_BITS;
    } else {
        c->mb_decision = FF_MB_DECISION_RD;
        av_opt_set_int(c->priv_data, "trellis", 1, 0);
    }
    c->spatial_cplx_masking = 0.05f * float(p.adaptive_quant);
    c->lumi_masking = 0.05f * float(p.luminance_gain);
}

std::string timecode_text(const EncodePlan& p) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d%c%02d", p.timecode[0], p.timecode[1], p.timecode[2],
                  p.drop_frame && !p.pulldown ? ';' : ':', p.timecode[3]);
    return text;
}

std::mutex g_library_log_mutex;
EncoderLog* g_library_log = nullptr;

// Slice threads may report at the same time; one line at a time reaches the log.
void library_message(void* context, int level, const char* format, va_list arguments) {
    if (level > AV_LOG_WARNING) return;
    std::lock_guard<std::mutex> lock(g_library_log_mutex);
    if (!g_library_log) {
        av_log_default_callback(context, level, format, arguments);
        return;
    }
    char text[1024];
    std::vsnprintf(text, sizeof text, format, arguments);
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    if (!message.empty()) g_library_log->line("libavcodec: " + message);
}

}  // namespace

void route_library_messages(EncoderLog* log) {
    std::lock_guard<std::mutex> lock(g_library_log_mutex);
    g_library_log = log;
    av_log_set_callback(log ? library_message : av_log_default_callback);
}

void limit_cpu_features(int cpu_level) {
    if (cpu_level <= 0) return;
#if defined(__x86_64__) || defined(__i386__)
    static const int kLevels[8] = {
        0,
        AV_CPU_FLAG_MMX | AV_CPU_FLAG_MMXEXT,
        AV_CPU_FLAG_MMX | AV_CPU_FLAG_MMXEXT | AV_CPU_FLAG_SSE | AV_CPU_FLAG_SSE2,
        AV_CPU_FLAG_MMX | AV_CPU_FLAG_MMXEXT | AV_CPU_FLAG_SSE | AV_CPU_FLAG_SSE2 | AV_CPU_FLAG_SSE3,
        AV_CPU_FLAG_MMX | AV_CPU_FLAG_MMXEXT | AV_CPU_FLAG_SSE | AV_CPU_FLAG_SSE2 | AV_CPU_FLAG_SSE3 | AV_CPU_FLAG_SSSE3,
        AV_CPU_FLAG_MMX | AV_CPU_FLAG_MMXEXT | AV_CPU_FLAG_SSE | AV_CPU_FLAG_SSE2 | AV_CPU_FLAG_SSE3 | AV_CPU_FLAG_SSSE3 |
            AV_CPU_FLAG_SSE4 | AV_CPU_FLAG_SSE42,
        AV_CPU_FLAG_MMX | AV_CPU_FLAG_MMXEXT | AV_CPU_FLAG_SSE | AV_CPU_FLAG_SSE2 | AV_CPU_FLAG_SSE3 | AV_CPU_FLAG_SSSE3 |
            AV_CPU_FLAG_SSE4 | AV_CPU_FLAG_SSE42 | AV_CPU_FLAG_AVX,
        AV_CPU_FLAG_MMX | AV_CPU_FLAG_MMXEXT | AV_CPU_FLAG_SSE | AV_CPU_FLAG_SSE2 | AV_CPU_FLAG_SSE3 | AV_CPU_FLAG_SSSE3 |
            AV_CPU_FLAG_SSE4 | AV_CPU_FLAG_SSE42 | AV_CPU_FLAG_AVX | AV_CPU_FLAG_AVX2,
    };
    // Never more than the processor has: a level from a settings file must not select an
    // instruction it lacks.
    av_force_cpu_flags(kLevels[std::min(cpu_level, 7)] & av_get_cpu_flags());
#endif
}

Mpeg2Session::~Mpeg2Session() {
    // The first pass's statistics belong to the caller: freeing the context leaves them.
    if (codec_) av_freep(&codec_->stats_in);
    avcodec_free_context(&codec_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
}

bool Mpeg2Session::open(const EncodePlan& p, Pass pass, const std::string& stats_in, bool psnr, std::string& error) {
    plan_ = &p;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG2VIDEO);
    codec_ = codec ? avcodec_alloc_context3(codec) : nullptr;
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!codec_ || !frame_ || !packet_) {
        error = "libavcodec has no MPEG-2 encoder";
        return false;
    }
    AVCodecContext* c = codec_;
    c->width = p.width;
    c->height = p.height;
    c->pix_fmt = p.chroma == Chroma::k422 ? AV_PIX_FMT_YUV422P : AV_PIX_FMT_YUV420P;
    c->time_base = AVRational{int(p.rate_denominator), int(p.rate_numerator)};
    c->framerate = AVRational{int(p.rate_numerator), int(p.rate_denominator)};
    c->sample_aspect_ratio = sample_aspect(p);
    // Picture types are decided by us; libavcodec must never start a GOP of its own.
    c->gop_size = 600;
    c->max_b_frames = p.b_frames;
    av_opt_set_int(c->priv_data, "sc_threshold", 1000000000, 0);
    av_opt_set_int(c->priv_data, "b_strategy", 0, 0);
    c->profile = p.profile_422 ? 0 : 4;
    c->level = int(p.level);
    c->intra_dc_precision = p.dc_precision_bits - 8;
    av_opt_set_int(c->priv_data, "intra_vlc", p.intra_vlc, 0);
    av_opt_set_int(c->priv_data, "alternate_scan", p.alternate_scan ? 1 : 0, 0);
    if (p.interlaced) c->flags |= AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME;
    if (p.load_matrices) {
        c->intra_matrix = matrix_copy(p.intra_matrix);
        c->inter_matrix = matrix_copy(p.inter_matrix);
        if (!c->intra_matrix || !c->inter_matrix) {
            error = "out of memory";
            return false;
        }
    }
    av_opt_set_int(c->priv_data, "seq_disp_ext", p.sequence_display ? 1 : 0, 0);
    if (p.sequence_display) av_opt_set_int(c->priv_data, "video_format", video_format(p), 0);
    set_colour(c, p.colour);
    if (p.drop_frame && !p.pulldown) c->flags2 |= AV_CODEC_FLAG2_DROP_FRAME_TIMECODE;
    av_opt_set(c->priv_data, "gop_timecode", timecode_text(p).c_str(), 0);
    c->thread_count = p.multithreaded ? 0 : 1;
    c->thread_type = FF_THREAD_SLICE;
    if (psnr) c->flags |= AV_CODEC_FLAG_PSNR;
    set_speed(c, p);
    if (!set_rate_control(c, p, pass, stats_in, error)) return false;

    const int code = avcodec_open2(c, codec, nullptr);
    if (code < 0) {
        error = "libavcodec refused the MPEG-2 settings: " + av_error_text(code);
        return false;
    }
    frame_->format = c->pix_fmt;
    frame_->width = c->width;
    frame_->height = c->height;
    if (av_frame_get_buffer(frame_, 0) < 0) {
        error = "out of memory";
        return false;
    }
    return true;
}

bool Mpeg2Session::send(const Planes& picture, int index, const PictureChoice& choice, PacketSink& sink, std::string& error) {
    const EncodePlan& p = *plan_;
    if (av_frame_make_writable(frame_) < 0) {
        error = "out of memory";
        return false;
    }
    av_image_copy_plane(frame_->data[0], frame_->linesize[0], picture.y.data(), picture.width, picture.width, picture.height);
    av_image_copy_plane(frame_->data[1], frame_->linesize[1], picture.u.data(), picture.chroma_width(),
                        picture.chroma_width(), picture.chroma_height());
    av_image_copy_plane(frame_->data[2], frame_->linesize[2], picture.v.data(), picture.chroma_width(),
                        picture.chroma_width(), picture.chroma_height());
    frame_->pts = index;
    frame_->pict_type = choice.type == PictureType::I ? AV_PICTURE_TYPE_I
                        : choice.type == PictureType::P ? AV_PICTURE_TYPE_P
                                                        : AV_PICTURE_TYPE_B;
    frame_->key_frame = choice.type == PictureType::I;
    frame_->interlaced_frame = p.interlaced ? 1 : 0;
    frame_->top_field_first = p.top_field_first ? 1 : 0;
    if (p.mode == RateMode::ConstantQuantiser) {
        double q = p.quantiser;
        if (choice.type == PictureType::P) q *= p.p_factor;
        if (choice.type == PictureType::B) q *= p.b_factor;
        q = std::clamp(q / zone_factor(p, index), 1.0, 31.0);
        frame_->quality = int(std::lround(FF_QP2LAMBDA * q));
    }
    const int code = avcodec_send_frame(codec_, frame_);
    if (code < 0) {
        error = "encoding frame " + std::to_string(index) + " failed: " + av_error_text(code);
        return false;
    }
    return drain(sink, error);
}

bool Mpeg2Session::finish(PacketSink& sink, std::string& error) {
    const int code = avcodec_send_frame(codec_, nullptr);
    if (code < 0) {
        error = "flushing the encoder failed: " + av_error_text(code);
        return false;
    }
    return drain(sink, error);
}

bool Mpeg2Session::drain(PacketSink& sink, std::string& error) {
    for (;;) {
        const int code = avcodec_receive_packet(codec_, packet_);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
        if (code < 0) {
            error = "encoding failed: " + av_error_text(code);
            return false;
        }
        if (codec_->stats_out) stats_ += codec_->stats_out;
        CodedPicture coded;
        coded.data = packet_->data;
        coded.size = packet_->size;
        coded.display_index = packet_->pts;
        size_t side_size = 0;
        const uint8_t* side = av_packet_get_side_data(packet_, AV_PKT_DATA_QUALITY_STATS, &side_size);
        if (side && side_size >= 6) {
            uint32_t quality = 0;
            std::memcpy(&quality, side, 4);
            coded.quantiser = double(quality) / FF_QP2LAMBDA;
            coded.type = av_get_picture_type_char(AVPictureType(side[4]));
            const int errors = side[5];
            if (errors >= 3 && side_size >= 8 + 3 * sizeof(uint64_t)) {
                std::memcpy(coded.error, side + 8, 3 * sizeof(uint64_t));
                coded.has_error = true;
            }
        }
        const bool ok = sink.picture(coded);
        av_packet_unref(packet_);
        if (!ok) {
            error.clear();  // the sink has logged its reason
            return false;
        }
    }
}

}  // namespace qz::encoder
