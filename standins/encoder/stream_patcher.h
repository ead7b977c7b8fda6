// Rewrites each coded picture's headers where libavcodec's MPEG-2 encoder cannot be told what we
// want: soft 3:2 pulldown (frame rate code, progressive_sequence, per picture top_field_first /
// repeat_first_field / progressive_frame, 29.97 drop-frame GOP time codes), the closed_gop flag of
// each GOP we closed, a progressive sequence flag that follows the settings, and the 4:3 pan-scan
// window (display size and one picture display extension per picture).
#pragma once

#include "encode_plan.h"
#include "picture_types.h"

#include <cstdint>
#include <vector>

namespace qz::encoder {

class StreamPatcher {
public:
    StreamPatcher(const EncodePlan& plan, const PictureTypePlanner& types);

    // `coded` is one picture with the headers that precede it; `display_index` its place in
    // display order. The patched bytes (possibly longer) go to `out`.
    void patch(const uint8_t* coded, size_t size, int64_t display_index, std::vector<uint8_t>& out);

private:
    void patch_sequence_header(uint8_t* s, size_t avail);
    void patch_sequence_extension(uint8_t* s, size_t avail);
    void patch_display_extension(uint8_t* s, size_t avail);
    void patch_gop(uint8_t* s, size_t avail, int64_t display_index, int temporal_reference);
    void patch_coding_extension(uint8_t* s, size_t avail, int64_t display_index);
    void append_picture_display(std::vector<uint8_t>& out, int64_t display_index) const;
    int16_t panscan_offset(int64_t display_index) const;

    const EncodePlan& plan_;
    const PictureTypePlanner& types_;
    bool top_field_first_ = false, repeat_first_field_ = false;  // of the current picture
    std::vector<uint8_t> extension_;  // the picture display extension being made
};

// Fields shown before film frame `index` under the 3:2 cycle (3, 2, 3, 2 fields per frame).
int64_t pulldown_fields_before(int64_t index);

// A 30 frames per second drop-frame time code of frame `frames` (counted from 00:00:00;00).
void drop_frame_timecode(int64_t frames, int& hours, int& minutes, int& seconds, int& pictures);
// The frame count of a drop-frame time code.
int64_t drop_frame_count(int hours, int minutes, int seconds, int pictures);

}  // namespace qz::encoder
