// The handlers behind the Settings 2 page's dispatcher. Each returns true when it acted, so that the
// dispatcher refreshes the "current QZ.ini" listing once afterwards.
#pragma once

#include "state/app.h"

namespace qz::pages::settings2 {

// settings2_page.cpp: help lines, value boxes and the plain switches.
bool on_box_entered(App& app, int box);
bool on_bias_typed(App& app);
bool on_wait_typed(App& app);
bool on_min_bitrate_factor_left(App& app);
bool on_mask_left(App& app, int box);
bool on_switch(App& app, int check);

// settings2_stream.cpp: stream flags, B-frame limit, combos and luminance gain.
bool on_progressive_sequence(App& app);
bool on_allow_3_b_frames(App& app);
bool on_intra_vlc(App& app);
bool on_colorimetry(App& app);
bool on_mpeg_level(App& app);
bool on_luminance_gain(App& app);

}  // namespace qz::pages::settings2
