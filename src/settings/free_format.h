// Free-format numbers as settings files and D2V projects write them: values separated by blanks,
// commas or tabs; integers with an optional sign; reals also with a decimal point and an exponent
// (E or D). A value that ends in anything else is not a number, so "5000abc" is refused while
// "5000 kbit/s" reads as 5000 (only as many values as needed are looked at).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qz::settings {

inline bool is_value_separator(char c) { return c == ' ' || c == ',' || c == '\t'; }

// The next value of `text` from `pos` on; false when only separators remain. `pos` ends after it.
bool next_value(std::string_view text, size_t& pos, std::string_view& value);

// A whole token as one number. Overflow of the 32-bit range is not a number.
bool parse_int(std::string_view token, int32_t& out);
bool parse_real(std::string_view token, float& out);

// A text box's content as one number: blanks around it allowed, nothing else.
bool parse_int_text(std::string_view text, int32_t& out);
bool parse_real_text(std::string_view text, float& out);

// Reads up to `count` integers (or reals) from `text`; returns how many parsed before the first
// failure or the end. The values before a failure are stored.
int read_ints(std::string_view text, int32_t* out, int count);
int read_reals(std::string_view text, float* out, int count);

}  // namespace qz::settings
