// The handlers behind the Settings 1 page's dispatcher, one per control or group. Each returns true
// when it acted, so that the dispatcher refreshes the "current QZ.ini" listing once afterwards.
#pragma once

#include "state/app.h"

namespace qz::pages::settings1 {

// settings1_page.cpp: interlacing, field order, chroma downsampling, AQ, dead zone.
bool on_interlacing(App& app, int radio);
bool on_field_order(App& app, int radio);
bool on_chroma_downsampling(App& app, int radio);
bool on_aq_slid(App& app);
bool on_dead_zone_mode(App& app, int radio);
bool on_dead_zone_typed(App& app, int box);

// settings1_gop.cpp: GOP length and B frames, boxes and spins.
bool on_gop_length_typed(App& app);
bool on_gop_length_spun(App& app);
bool on_b_frames_typed(App& app);
bool on_b_frames_spun(App& app);

// settings1_quant.cpp: constant quantisation and its factors.
bool on_constant_quantisation(App& app);
// Remembers the quantiser the box holds; nothing shown changes.
void on_quantiser_entered(App& app);
bool on_quantiser_left(App& app);
bool on_check_max_bitrate(App& app);
bool on_factor_spun(App& app, int spin);

}  // namespace qz::pages::settings1
