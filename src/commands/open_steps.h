// Steps the two open procedures share.
#pragma once

#include "input/open_outcome.h"
#include "state/app.h"

#include <string>
#include <string_view>

namespace qz::input {

// The input file name as the libraries get it: without trailing blanks.
std::string input_path(const App& app);

// What every failed open leaves: the Video source not open and without properties or frames, no
// input name, no valid input, the input button back at its caption.
void forget_input(App& app);

// The plane sizes of the opened frame: width x height, twice and a quarter of it, and the row widths
// of the frame fetch.
void store_plane_sizes(VideoSource& video);

// Frame rate and duration from the reported rate.
void store_rate(VideoSource& video, uint32_t numerator, uint32_t denominator);

// The start and end frame settings for the opened input: a range from a settings file is kept
// inside the input, otherwise the whole input.
void apply_frame_range(App& app);

// The "AVS memory" setting in MB; -1 (Avisynth's own default) when the box is empty or holds no number.
int32_t avisynth_memory_setting(const App& app);
// After the environment took a setting of `before` MB (0 or more), the setting holds what it reports.
void store_avisynth_memory_setting(App& app, int32_t before, int32_t in_force);

// The Main page follows the input: movie information and file length.
void refresh_main_page(App& app);

// Writes the log lines of how an open ended (see open_outcome_text).
void write_open_outcome(App& app, OpenOutcome outcome, std::string_view detail = {});

}  // namespace qz::input
