#include "d2v_video.h"

#include <algorithm>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

namespace qz::dgdecode {

D2vVideo::~D2vVideo() { av_frame_free(&held_); }

bool D2vVideo::open(const std::string& d2v_path, std::string& error) {
    if (!read_d2v_project(d2v_path, project_, error)) return false;
    if (!files_.open(project_.files, error)) return false;
    if (!decoder_.open(project_, files_, error)) return false;
    held_ = av_frame_alloc();
    if (!held_) {
        error = "out of memory";
        return false;
    }
    map_.build(project_);
    if (map_.frame_count() <= 0) {
        error = "the project holds no frames";
        return false;
    }
    inside_files_ = pictures_inside_files(project_, files_);
    const MissingFrames missing = missing_frames(map_, inside_files_);
    if (missing.first == 0) {
        error = "the MPEG files are shorter than the index: they end before its first frame";
        return false;
    }
    open_warning_ = shorter_source_warning(missing);
    bool exact = false;
    const AVFrame* first = decoder_.picture(0, exact);
    if (!first) {
        error = "no picture of the MPEG files could be decoded";
        return false;
    }
    return fill_info(*first, error);
}

bool D2vVideo::fill_info(const AVFrame& first, std::string& error) {
    bool chroma_422 = first.format == AV_PIX_FMT_YUV422P;
    if (first.format != AV_PIX_FMT_YUV420P && !chroma_422) {
        error = "the video is neither 4:2:0 nor 4:2:2";
        return false;
    }
    geometry_ = make_output_geometry(first.width, first.height, chroma_422, project_.clip_left,
                                     project_.clip_right, project_.clip_top, project_.clip_bottom);
    if (geometry_.width <= 0 || geometry_.height <= 0) {
        error = "the video has no size";
        return false;
    }
    buffer_.assign(geometry_.frame_bytes(), 0);

    unsigned num = project_.rate_numerator, den = project_.rate_denominator;
    if (num == 0 || den == 0) {
        num = unsigned(std::max(0, decoder_.stream_rate_numerator()));
        den = unsigned(std::max(0, decoder_.stream_rate_denominator()));
    }
    // Force film delivers each coded picture once: pulldown material runs at 4/5 of the field rate.
    if (project_.field_operation == 1 && has_pulldown(project_) && ((num == 30000 && den == 1001) || (num == 30 && den == 1))) {
        num = num * 4 / 5;
    }

    info_ = DgVideoInfo{};
    info_.width = geometry_.width;
    info_.height = geometry_.height;
    info_.fps_numerator = num;
    info_.fps_denominator = den;
    info_.num_frames = map_.frame_count();
    info_.pixel_type = chroma_422 ? DG_PIXEL_TYPE_YUY2 : DG_PIXEL_TYPE_YV12;
    info_.image_type = (project_.picture_flags[0] & kFlagTopFieldFirst) ? DG_IMAGE_TFF : DG_IMAGE_BFF;
    return true;
}

const uint8_t* D2vVideo::frame(int number, bool& exact) {
    number = std::clamp(number, 0, map_.frame_count() - 1);
    FrameSources sources = map_.sources(number);
    exact = false;
    if (!inside_files_[size_t(sources.top_picture)] || !inside_files_[size_t(sources.bottom_picture)]) return nullptr;
    bool top_exact = true, bottom_exact = true;
    const AVFrame* top = decoder_.picture(sources.top_picture, top_exact);
    if (decoder_.beyond_data()) return nullptr;
    if (!top) {
        exact = false;
        black_frame(geometry_, buffer_.data());
        return buffer_.data();
    }
    if (sources.bottom_picture == sources.top_picture) {
        copy_frame(*top, *top, geometry_, buffer_.data());
        exact = top_exact;
        return buffer_.data();
    }
    // The decoder's next call may reuse the top picture's slot: hold a reference to it.
    av_frame_unref(held_);
    if (av_frame_ref(held_, top) < 0) {
        exact = false;
        copy_frame(*top, *top, geometry_, buffer_.data());
        return buffer_.data();
    }
    const AVFrame* bottom = decoder_.picture(sources.bottom_picture, bottom_exact);
    if (decoder_.beyond_data()) {
        av_frame_unref(held_);
        return nullptr;
    }
    copy_frame(*held_, bottom ? *bottom : *held_, geometry_, buffer_.data());
    av_frame_unref(held_);
    exact = top_exact && bottom_exact && bottom;
    return buffer_.data();
}

}  // namespace qz::dgdecode
