// The number formats of the Main page's movie information, shared with its field checks.
#pragma once

#include <cstdint>
#include <string>

namespace qz::pages {

// Nearest integer, halves away from zero (2.5 gives 3, -2.5 gives -3), held to the 64-bit range.
long long round_half_away(double value);

// A time in seconds as "h:mm:ss" rounded to whole seconds (halves away from zero): the hours
// right-aligned in two characters, minutes and seconds in two digits (3599.5 gives " 1:00:00").
std::string hms_text(double seconds);

// Seconds of `frames` frames at `frame_rate`; 0 when the rate is not above 0.
double seconds_of(long long frames, float frame_rate);

// "1920x1080 HD res", "720x576": the size, marked as HD beyond 720 pixels or 576 lines.
std::string frame_size_text(int32_t width, int32_t height);

// "25.0000 / YV12": the frame rate with four decimals and the colour space name.
std::string rate_and_format_text(float frame_rate, int32_t colour_space);

}  // namespace qz::pages
