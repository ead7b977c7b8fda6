#include "settings/value_text.h"

#include <cmath>
#include <cstdio>

namespace qz::settings {

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

std::string int_text(int value) { return std::to_string(value); }

std::string quantiser_text(float value) { return format("%.3f", value); }

std::string factor_text(float value) { return format("%.2f", value); }

float factor_at_position(int position) {
    if (position < 1) position = 1;
    if (position > kFactorStepCount) position = kFactorStepCount;
    return kFactorSteps[static_cast<size_t>(position - 1)];
}

int nearest_factor_position(float factor) {
    if (std::isnan(factor)) return kFactorOnePosition;
    int best = 1;
    float best_distance = std::fabs(kFactorSteps[0] - factor);
    for (int position = 2; position <= kFactorStepCount; ++position) {
        float distance = std::fabs(kFactorSteps[static_cast<size_t>(position - 1)] - factor);
        if (distance < best_distance) {
            best = position;
            best_distance = distance;
        }
    }
    return best;
}

const char* colorimetry_caption(int code) {
    switch (code) {
        case 1: return "BT.709";
        case 4: return "BT.470-2M";
        case 5: return "BT.470-2BG";
        case 6: return "SMPTE170M";
        case 7: return "SMPTE240M";
        default: return "DEFAULT";
    }
}

const char* mpeg_level_caption(int code) {
    switch (code) {
        case 1: return "MP@ML";
        case 2: return "MP@H-14";
        case 3: return "MP@HL";
        default: return "AUTO";
    }
}

const char* intra_vlc_caption(int code) {
    switch (code) {
        case 0: return "TABLE 14";
        case 1: return "TABLE 15";
        default: return "AUTO";
    }
}

const char* matrix_caption(int number) {
    static constexpr const char* kCaptions[] = {"MPEG",    "QLB",     "NOTCH",   "QZ",        "TEAL1",   "KIRUN1CD",
                                                "HVSGOOD", "HVSBETTER", "HVSBEST", "OLUMAT6", "OLUMAT7", "QZLOW",
                                                "ELK1",    "ELK2",    "ELK3",    "TIRENO1",   "TIRENO2", "TIRENO3"};
    if (number >= 1 && number <= 18) return kCaptions[number - 1];
    if (number == 99) return "MPEG STANDARD";
    return nullptr;
}

}  // namespace qz::settings
