// How option values are shown on the pages: the number formats of the edit boxes, the step scale of the
// quantiser factor spins and the captions that the combo boxes show for a record value.
#pragma once

#include <array>
#include <string>

namespace qz::settings {

// Whole numbers: decimal, left-aligned, no leading blanks.
std::string int_text(int value);
// The constant quantiser: three decimals ("5.000").
std::string quantiser_text(float value);
// The P/B factors and the minimum bitrate factor: two decimals ("1.00").
std::string factor_text(float value);

// The P and B factor spins of the Settings 1 page select a factor by position 1 to 32.
inline constexpr int kFactorStepCount = 32;
inline constexpr int kFactorOnePosition = 9;  // factor 1.0, the default
inline constexpr std::array<float, kFactorStepCount> kFactorSteps = {
    0.5f, 0.6f, 0.7f, 0.75f, 0.8f, 0.85f, 0.9f, 0.95f, 1.0f, 1.05f, 1.1f, 1.15f, 1.2f, 1.25f, 1.3f, 1.4f,
    1.5f, 1.6f, 1.7f, 1.8f, 1.9f, 2.0f, 2.2f, 2.4f, 2.6f, 2.8f, 3.0f, 3.2f, 3.4f, 3.6f, 3.8f, 4.0f};

// The factor at spin position 1 to 32 (positions outside are brought to the nearer end).
float factor_at_position(int position);
// The spin position (1 to 32) whose factor is nearest to `factor`; on a tie the smaller factor wins;
// a value that is not a number gives the position of 1.0.
int nearest_factor_position(float factor);

// Combo captions for record codes; an unknown code gives the combo's default caption.
const char* colorimetry_caption(int code);  // 0 "DEFAULT", 1 "BT.709", 4 .. 7; 2, 3 and others "DEFAULT"
const char* mpeg_level_caption(int code);   // 0 "AUTO", 1 "MP@ML", 2 "MP@H-14", 3 "MP@HL"
const char* intra_vlc_caption(int code);    // 0 "TABLE 14", 1 "TABLE 15", 2 and others "AUTO"
// The Matrix page's combo caption of a built-in matrix number (1 to 18, 99); nullptr for any other.
const char* matrix_caption(int number);

}  // namespace qz::settings
