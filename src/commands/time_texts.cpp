#include "commands/time_texts.h"

#include <cmath>
#include <cstdio>

namespace qz::commands {

std::string clock_text(const platform::TimeOfDay& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour % 100, time.minute % 100, time.second % 100);
    return text;
}

std::string duration_text(double elapsed_seconds) {
    if (!(elapsed_seconds >= 0.0)) elapsed_seconds = 0.0;  // a clock that went backwards is no duration
    long long whole = static_cast<long long>(elapsed_seconds);
    double fraction = elapsed_seconds - static_cast<double>(whole);
    int thousandths = static_cast<int>(std::lround(fraction * 1000.0));
    if (thousandths > 999) thousandths = 999;  // never round up into the next second's text
    char text[40];
    std::snprintf(text, sizeof text, "%2lld:%02lld:%02lld.%03d", whole / 3600, (whole / 60) % 60, whole % 60,
                  thousandths);
    return text;
}

std::string shortened_path(const std::string& path) {
    size_t length = path.find_last_not_of(' ');
    std::string trimmed = length == std::string::npos ? std::string() : path.substr(0, length + 1);
    if (trimmed.size() <= 40) return trimmed;
    return trimmed.substr(0, 5) + "..." + trimmed.substr(trimmed.size() - 32);
}

}  // namespace qz::commands
