// The time texts of the encode report.
#pragma once

#include "platform/platform.h"

#include <string>

namespace qz::commands {

// "hh:mm:ss", each part with exactly two digits.
std::string clock_text(const platform::TimeOfDay& time);

// 12 characters: hours right-aligned in 2, ":", minutes in 2 digits, ":", seconds in 2 digits, then the
// fraction of the second as a full stop and three digits (125.25 s gives " 0:02:05.250").
std::string duration_text(double elapsed_seconds);

// A path longer than 40 characters is shown as its first 5 characters, "..." and its last 32.
std::string shortened_path(const std::string& path);

}  // namespace qz::commands
