#include "input/video_source.h"

#include <cmath>

namespace qz::input {

namespace {

bool near_rate(float rate, float target) { return std::fabs(rate - target) < 0.01f; }

bool dvd_size_at_25(int32_t width, int32_t height) {
    if (width == 720 || width == 704) return height == 576;
    if (width == 352) return height == 576 || height == 288;
    return false;
}

// 29.97 and 23.976 accept the same sizes.
bool dvd_size_at_ntsc(int32_t width, int32_t height) {
    if (width == 720 || width == 704) return height == 480;
    if (width == 352) return height == 480 || height == 240;
    return false;
}

}  // namespace

void VideoSource::clear_properties() {
    open = false;
    width = height = frame_count = 0;
    rate_numerator = rate_denominator = 0;
    frame_rate = duration = 0.0f;
    colour_space = kOtherColourSpace;
    interface_version = 0;
    luma_size = double_luma_size = quarter_luma_size = 0;
    luma_row_width = chroma_row_width = 0;
    current_frame = 0;
    film_rate = false;
}

InputAdvice check_input(VideoSource& video, bool pulldown_checked) {
    InputAdvice advice;
    const bool film = near_rate(video.frame_rate, 23.976f);
    const bool pal = near_rate(video.frame_rate, 25.0f);
    const bool ntsc = near_rate(video.frame_rate, 29.97f);
    video.film_rate = film;

    if (!film && !pal && !ntsc) advice.add("frame rate not DVD-compliant");
    if (film && !pulldown_checked) advice.add("use pulldown for DVD compliancy");
    if (pal && !dvd_size_at_25(video.width, video.height)) advice.add("resolution not DVD-compliant for frame rate 25 fps");
    if (ntsc && !dvd_size_at_ntsc(video.width, video.height))
        advice.add("resolution not DVD-compliant for frame rate 29.97 fps");
    if (film && !dvd_size_at_ntsc(video.width, video.height))
        advice.add("resolution not DVD-compliant for frame rate 23.976 fps");
    if (video.height == 1088) {
        advice.add("1088 vertical resolution detected, vertical resolution set to 1080");
        video.height = 1080;
    }
    return advice;
}

}  // namespace qz::input
