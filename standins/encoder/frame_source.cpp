#include "frame_source.h"

#include "input/video_source.h"

#include <cstring>

namespace qz::encoder {

namespace {

const char* avisynth_load_failure(int code) {
    switch (code) {
        case input::kAvsNotLoaded: return "Avisynth library NOT loaded (libavisynth.so not found on the loader's path)";
        case input::kAvsNoCreateFunction: return "the Avisynth library has no avs_create_script_environment";
        case input::kAvsNoEnvironment: return "can't create an Avisynth script environment of interface version 6";
        case input::kAvsFunctionMissing: return "the Avisynth library lacks a function the encoder needs";
        default: return "Avisynth could not be loaded";
    }
}

const char* dgdecode_failure(int code) {
    switch (code) {
        case input::kDgNotLoaded: return "DGDecode.dll could not be loaded";
        case input::kDgRoutinesMissing: return "DGDecode.dll lacks openMPEG2Source, getFrame or closeVideo";
        case input::kDgOpenFailed: return "DGDecode can't open the project's MPEG files";
        case input::kDgNoSpecifications: return "DGDecode opened the project but reports no size, frame count or frame rate";
        default: return "DGDecode failed";
    }
}

}  // namespace

FrameSource::~FrameSource() {
    input::avs_release(avisynth_);
    input::dg_unload_library(dgdecode_);
}

bool FrameSource::accept_format(EncoderLog& log) {
    const VideoFormat& f = format_;
    if (f.width <= 0 || f.height <= 0 || f.width > kMaxPictureWidth || f.height > kMaxPictureHeight) {
        log.error("picture size " + std::to_string(f.width) + "x" + std::to_string(f.height) +
                  " is outside 1 .. 1920 x 1 .. 1152, not a valid MPEG-2 picture for any level");
        return false;
    }
    if (f.width % 2 != 0 || f.height % 2 != 0) {
        log.error("picture size " + std::to_string(f.width) + "x" + std::to_string(f.height) + " is odd");
        return false;
    }
    if (f.frame_count <= 0 || f.rate_numerator == 0 || f.rate_denominator == 0) {
        log.error("the input has no frames or no frame rate");
        return false;
    }
    return true;
}

bool FrameSource::open_project(const std::string& d2v_path, const std::string& dgdecode_library, EncoderLog& log) {
    if (!is_regular_file(dgdecode_library)) {
        log.error("DGDecode.dll NOT found beside the encoder: " + dgdecode_library);
        return false;
    }
    int code = input::dg_load_library(dgdecode_, dgdecode_library);
    input::DgVideo video;
    if (code == input::kDgOk) code = input::dg_open_video(dgdecode_, d2v_path, video);
    if (code != input::kDgOk) {
        const std::string reason = input::dg_last_error_text(dgdecode_);
        log.error(std::string(dgdecode_failure(code)) + (reason.empty() ? "" : ": " + reason));
        return false;
    }
    if (video.colour_space == 0) {
        log.error("DGDecode: the project is neither 4:2:0 nor 4:2:2");
        return false;
    }
    kind_ = Kind::Project;
    format_ = {video.width, video.height, video.frame_count, video.rate_numerator, video.rate_denominator,
               video.colour_space == 2 ? Chroma::k422 : Chroma::k420, video.colour_space == 2 ? "4:2:2" : "YV12"};
    log.line("DGDecode.dll loaded, project opened");
    return accept_format(log);
}

bool FrameSource::open_script(const std::string& avs_path, int32_t memory_mb, EncoderLog& log) {
    int32_t memory = memory_mb;
    int code = input::avs_load(avisynth_, memory);
    if (code != input::kAvsOk) {
        log.error(avisynth_load_failure(code));
        return false;
    }
    if (memory_mb >= 0) log.line("Avisynth memory limit: " + std::to_string(memory) + " MB");
    input::AvsClip clip;
    code = input::avs_import_script(avisynth_, avs_path, clip);
    if (code != input::kAvsOk) {
        std::string text(avisynth_.error_text.data(), strnlen(avisynth_.error_text.data(), avisynth_.error_text.size()));
        for (char& c : text)
            if (c == '\n' || c == '\r') c = ' ';
        if (code == input::kAvsNoVideo) log.error("Avisynth does not return a video");
        else if (code == input::kAvsFirstFrameFailed) log.error("Avisynth: error reading the first frame");
        else log.error("can't process the AVS file" + (text.empty() ? std::string() : ": " + text));
        return false;
    }
    if (clip.interface_version < input::kAvisynthInterfaceVersion) {
        log.error("Avisynth interface version " + std::to_string(clip.interface_version) + " is too old, 6 or higher is needed");
        return false;
    }
    Chroma chroma = Chroma::k420;
    const char* name = "YV12";
    switch (clip.colour_space) {
        case input::kYV12: break;
        case input::kYUY2: chroma = Chroma::k422; name = "YUY2"; break;
        case input::kYV16: chroma = Chroma::k422; name = "YV16"; break;
        case input::kYV24: chroma = Chroma::k444; name = "YV24"; break;
        default: log.error("the script's video is not YV12, YUY2, YV16 or YV24"); return false;
    }
    kind_ = Kind::Script;
    format_ = {clip.width, clip.height, clip.frame_count, clip.rate_numerator, clip.rate_denominator, chroma, name};
    log.line("Avisynth script opened");
    if (!accept_format(log)) return false;
    if (clip.colour_space == input::kYUY2) packed_.assign(size_t(clip.width) * 2 * size_t(clip.height), 0);
    return true;
}

bool FrameSource::fetch(int n, Planes& raw, EncoderLog& log) {
    if (raw.width != format_.width || raw.height != format_.height || raw.chroma != format_.chroma) return false;
    if (kind_ == Kind::Project) return fetch_project_frame(n, raw, log);
    if (kind_ == Kind::Script) return fetch_script_frame(n, raw, log);
    return false;
}

bool FrameSource::fetch_project_frame(int n, Planes& raw, EncoderLog& log) {
    // The raw planes, not the bridge's 4:2:0 ones: a 4:2:2 project stays 4:2:2 for a 4:2:2 encode.
    if (!dgdecode_.video_open || dgdecode_.luma_size != raw.luma_bytes() || dgdecode_.chroma_size != raw.chroma_bytes()) {
        log.error("DGDecode: the project's frame size changed");
        return false;
    }
    const unsigned char* frame = dgdecode_.get_frame(n);
    if (!frame) {
        const std::string reason = input::dg_last_error_text(dgdecode_);
        log.error("DGDecode GetFrame failed at frame " + std::to_string(n) + (reason.empty() ? "" : ": " + reason));
        return false;
    }
    std::memcpy(raw.y.data(), frame, raw.luma_bytes());
    std::memcpy(raw.u.data(), frame + raw.luma_bytes(), raw.chroma_bytes());
    std::memcpy(raw.v.data(), frame + raw.luma_bytes() + raw.chroma_bytes(), raw.chroma_bytes());
    return true;
}

bool FrameSource::fetch_script_frame(int n, Planes& raw, EncoderLog& log) {
    int code = input::kAvsOk;
    if (!packed_.empty()) {
        code = input::avs_get_interleaved_frame(avisynth_, n, raw.width, {packed_.data(), packed_.size()});
        if (code == input::kAvsOk) unpack_yuy2(packed_.data(), raw);
    } else {
        const input::FramePlanes planes{{raw.y.data(), raw.y.size()}, {raw.u.data(), raw.u.size()}, {raw.v.data(), raw.v.size()}};
        code = input::avs_get_planar_frame(avisynth_, n, raw.width, raw.chroma_width(), planes);
    }
    if (code != input::kAvsOk) {
        log.error("Avisynth GetFrame failed at frame " + std::to_string(n));
        return false;
    }
    return true;
}

void unpack_yuy2(const uint8_t* packed, Planes& planes) {
    const int w = planes.width;
    for (int row = 0; row < planes.height; ++row) {
        const uint8_t* in = packed + size_t(row) * size_t(2 * w);
        uint8_t* y = planes.y.data() + size_t(row) * size_t(w);
        uint8_t* u = planes.u.data() + size_t(row) * size_t(w / 2);
        uint8_t* v = planes.v.data() + size_t(row) * size_t(w / 2);
        for (int x = 0; x < w / 2; ++x) {
            y[2 * x] = in[4 * x];
            u[x] = in[4 * x + 1];
            y[2 * x + 1] = in[4 * x + 2];
            v[x] = in[4 * x + 3];
        }
    }
}

}  // namespace qz::encoder
