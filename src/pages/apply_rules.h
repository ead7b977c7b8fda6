// The rules of applying a loaded record to the pages that go beyond "the control takes the value":
// each touches several controls or depends on other marks. apply_record_to_pages runs them in a fixed
// order (the B-frames limit before the GOP, the interlacing choices last).
#pragma once

#include "state/app.h"

namespace qz::settings::apply {

// The maximum is raised to the average bitrate when it is lower, and stored so; the file length
// follows the average.
void bitrates(App& app);
// *B3: the maximum B-frames, the B-frames spin's upper end and the B-frames shown.
void b_frame_limit(App& app);
// *GOP and *AUTOGOP; when both are given the later line (the record's automatic GOP) decides.
void gop(App& app);
// *CQ and *CQ_MAXBITRATE: constant quantisation on, the bitrate boxes of the Main page off.
void constant_quantisation(App& app);
// *CQ_PFACTOR, *CQ_BFACTOR: the factor is brought to the nearest step of its spin's scale.
void quantiser_factors(App& app);
void dead_zone(App& app);
void silent(App& app);
// *AVSMEMORY and *LOSSLESS when not given; *DBPATH and *LLPATH captions.
void settings3_leftovers(App& app);
void matrix_choice(App& app);
// Values applied whether or not a line gave them: chroma downsampling, SMP, the output and log buttons.
void unmarked(App& app);
void frame_range(App& app);
// Interlacing and field order, then 3:2 pulldown.
void interlacing(App& app);

}  // namespace qz::settings::apply
