// The lossless intermediate file on the Settings 3 page and the estimate of its size.
#include "pages/settings3_page.h"
#include "pages/settings3_parts.h"
#include "pages/page_states.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings3_page.h"

#include <algorithm>
#include <cstdio>

namespace qz::pages {

using ui::dialog::kSettings1Page;
using ui::dialog::kSettings3Page;
using namespace ui::settings1_ids;
using namespace ui::settings3_ids;

namespace {

constexpr double kBytesPerGigabyte = 1024.0 * 1024.0 * 1024.0;
// The estimate takes the lossless file as this share of the raw 4:2:0 frames.
constexpr double kLosslessShare = 0.4;

// Frames coded as fields compress less well than progressive ones; DV sources least.
double interlacing_factor(const App& app) {
    switch (app.controls.checked_radio(kSettings1Page, kAutoDetectRadio)) {
        case kProgressiveRadio: return 0.9;
        case kInterlacedRadio: return 1.1;
        case kDvSourceRadio: return 1.4;
        default: return 1.0;
    }
}

}  // namespace

double lossless_size_gb(const App& app) {
    const input::VideoSource& video = app.video;
    if (!video.open) return 0.0;
    const double luma_bytes = static_cast<double>(std::max(video.width, 0)) * std::max(video.height, 0);
    const double frame_bytes = luma_bytes + 2.0 * (luma_bytes / 4.0);  // Y plus two quarter-size chroma planes
    const double frames = std::max(app.settings.values.frames_to_encode, 0);
    return frames * kLosslessShare * frame_bytes / kBytesPerGigabyte * interlacing_factor(app);
}

void refresh_size_estimate(App& app) {
    auto& c = app.controls;
    // Only the Avisynth path of the encoder writes the intermediate file.
    if (!app.video.kind.is_avs) {
        c.set_checked(kSettings3Page, kLosslessCheck, false);
        c.set_enabled(kSettings3Page, kLosslessCheck, false);
        c.set_text(kSettings3Page, kEstimatedSizeText, "");
        return;
    }
    c.set_enabled(kSettings3Page, kLosslessCheck, true);
    if (!app.video.open || !c.checked(kSettings3Page, kLosslessCheck)) {
        c.set_text(kSettings3Page, kEstimatedSizeText, "");
        return;
    }
    c.set_text(kSettings3Page, kEstimatedSizeText, settings3::size_text(lossless_size_gb(app)));
}

namespace settings3 {

std::string size_text(double gigabytes) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f GB", gigabytes);
    return text;
}

bool on_lossless(App& app) {
    refresh_size_estimate(app);
    if (!app.controls.checked(kSettings3Page, kLosslessCheck)) {
        app.log.add("No lossless intermediate file");
        app.controls.set_text(kSettings3Page, kEstimatedSizeText, "");
        return true;
    }
    app.log.add("Use a lossless intermediate file for the second pass (Avisynth input only),");
    app.log.add("WARNING, this can create a HUGE file, estimated file size: " + size_text(lossless_size_gb(app)));
    return true;
}

}  // namespace settings3

}  // namespace qz::pages
