// The Video source: the opened input's properties and its frame planes, one process-wide record.
// The planes are sized once for the largest accepted frame (1920 x 1152, 4:2:0), so no frame fetch
// ever allocates.
#pragma once

#include "input/input_kind.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace qz::input {

inline constexpr int kMaxFrameWidth = 1920;
inline constexpr int kMaxFrameHeight = 1152;
inline constexpr size_t kLumaPlaneBytes = size_t{kMaxFrameWidth} * kMaxFrameHeight;
inline constexpr size_t kChromaPlaneBytes = kLumaPlaneBytes / 4;

// Colour space codes.
enum ColourSpace : int32_t { kOtherColourSpace = 0, kYV12 = 1, kYUY2 = 2, kYV16 = 3, kYV24 = 4 };

struct VideoSource {
    bool open = false;  // an input is open and frames can be fetched
    int32_t width = 0;
    int32_t height = 0;  // may be corrected from 1088 to 1080 by check_input
    int32_t frame_count = 0;
    int32_t rate_numerator = 0, rate_denominator = 0;  // as the source reports them (Avisynth)
    float frame_rate = 0.0f;                           // numerator / denominator
    float duration = 0.0f;                             // frame_count / frame_rate, seconds
    int32_t colour_space = kOtherColourSpace;
    int32_t interface_version = 0;  // Avisynth's interface version of the clip
    int32_t luma_size = 0;          // width x height at the open
    int32_t double_luma_size = 0;
    int32_t quarter_luma_size = 0;  // one 4:2:0 chroma plane
    int32_t luma_row_width = 0, chroma_row_width = 0;
    int32_t current_frame = 0;  // the frame the preview pages show; 0 after every open
    bool film_rate = false;     // the frame rate is 23.976

    InputKind kind;  // what the input name denotes

    // The last fetched frame as 4:2:0.
    std::array<uint8_t, kLumaPlaneBytes> y{};
    std::array<uint8_t, kChromaPlaneBytes> u{};
    std::array<uint8_t, kChromaPlaneBytes> v{};

    // After a failed open: not open, no frames. The planes keep their bytes.
    void clear_properties();
};

// What check_input found, in the order it is reported.
struct InputAdvice {
    static constexpr int kMaxLines = 5;
    std::array<const char*, kMaxLines> lines{};
    int count = 0;
    void add(const char* line) { lines[static_cast<size_t>(count++)] = line; }
};

// Advises (never refuses) on a DVD's frame rates and sizes, sets the film rate flag, and corrects a
// height of 1088 to 1080. The frames keep their 1088 lines; only the first 1080 are used after that.
InputAdvice check_input(VideoSource& video, bool pulldown_checked);

}  // namespace qz::input
