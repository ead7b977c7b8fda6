// Control states that reset to defaults and applying a loaded record both put on the pages, so that
// the two always agree on what a choice implies for its neighbours.
#pragma once

#include "state/app.h"

#include <initializer_list>
#include <span>

namespace qz::settings {

inline constexpr float kDefaultQuantiser = 5.0f;

inline constexpr const char* kInputCaption = "input file name (*.d2v, *.avs)";
inline constexpr const char* kOutputCaption = "output file name (not set)";
inline constexpr const char* kLogCaption = "log file name (not set)";

// The given mark of *INFILE doubles as "an input name is set".
bool input_name_set(const Settings& settings);

// Enables or disables several controls of one dialog at once.
void set_enabled_ids(App& app, int dialog, std::initializer_list<int> ids, bool enabled);
void set_enabled_ids(App& app, int dialog, std::span<const int> ids, bool enabled);

// "built in matrix" or "custom matrix" with the enabled states each implies: the combo for the built-in
// choice; the three custom matrix buttons and the value boxes for the custom one. The intra DC box
// stays disabled either way, its value is always 8.
void show_matrix_choice(App& app, bool custom);

// Maximum B-frames: the record value, the upper end of the B-frames spin and "allow 3 B-frames".
void set_b_frame_limit(App& app, int max_b_frames);

// "autogop" on: the automatic GOP box and spin enabled, the GOP length and B-frames boxes and spins
// of Settings 1 disabled; off: the other way round.
void show_automatic_gop(App& app, bool on);

// "3:2 pulldown" on: "progressive" selected, the four interlacing buttons locked, and "progressive
// sequence" usable, as with "progressive" chosen by hand or by a loaded file (a file written under
// pulldown holds *PROGRESSIVE and may hold *PROG_SEQ). Off: "auto detect" and "TFF" selected, the
// interlacing buttons usable, "progressive sequence" cleared and locked as under "auto detect".
void show_pulldown_interlacing(App& app, bool pulldown);

// The start and end frame boxes with the frame range kept in the record; first below 0 means no
// frame range (no valid input): the boxes show "-".
void show_frame_range(App& app, int first_frame, int last_frame);

// Kilobytes (of 1024 bytes) that an average in kilobits (of 1000 bits) per second fills in `seconds`,
// rounded half away from zero before the division by 8, which goes toward zero.
long long file_length_kbytes(long long average_kbits, double seconds);

// The Main page's file length box from an average bitrate over the frames to encode; emptied
// without a valid input.
void show_file_length(App& app, int average_kbits);

}  // namespace qz::settings
