// The DVD and BD compliance fixes behind the Main page's buttons "make DVD compliant" and "make BD
// compliant": they change settings on every settings page so that the encoder's output stays within
// the limits of the disc, using the opened video's size and frame rate. They never change the video.
#pragma once

#include "state/app.h"

namespace qz::pages {

// Frame rates within 0.01 of a disc rate count as that rate.
enum class RateClass { Rate59_94, Rate50, Rate29_97, Rate25, Rate24, Rate23_976, Other };
RateClass classify_rate(float frame_rate);

void make_dvd_compliant(App& app);
// Also reports a frame size or a frame rate that no setting can make BD compliant.
void make_bd_compliant(App& app);

}  // namespace qz::pages
