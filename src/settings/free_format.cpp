#include "settings/free_format.h"

#include <charconv>

namespace qz::settings {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view trim_blanks(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && (text[first] == ' ' || text[first] == '\t')) ++first;
    size_t last = text.size();
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
    return text.substr(first, last - first);
}

}  // namespace

bool next_value(std::string_view text, size_t& pos, std::string_view& value) {
    while (pos < text.size() && is_value_separator(text[pos])) ++pos;
    if (pos >= text.size()) return false;
    size_t start = pos;
    while (pos < text.size() && !is_value_separator(text[pos])) ++pos;
    value = text.substr(start, pos - start);
    return true;
}

bool parse_int(std::string_view token, int32_t& out) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty() || token.front() == '+') return false;
    int32_t value = 0;
    auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) return false;
    out = value;
    return true;
}

bool parse_real(std::string_view token, float& out) {
    // Checks the shape first: from_chars alone would accept "inf", "nan" and hexadecimal forms.
    char buffer[64];
    if (token.empty() || token.size() >= sizeof buffer) return false;
    size_t i = 0, n = 0;
    if (token[i] == '+' || token[i] == '-') {
        if (token[i] == '-') buffer[n++] = '-';
        ++i;
    }
    int mantissa_digits = 0;
    while (i < token.size() && is_digit(token[i])) buffer[n++] = token[i++], ++mantissa_digits;
    if (i < token.size() && token[i] == '.') {
        buffer[n++] = token[i++];
        while (i < token.size() && is_digit(token[i])) buffer[n++] = token[i++], ++mantissa_digits;
    }
    if (mantissa_digits == 0) return false;
    if (i < token.size()) {
        char e = token[i];
        if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return false;
        buffer[n++] = 'e';
        ++i;
        if (i < token.size() && (token[i] == '+' || token[i] == '-')) buffer[n++] = token[i++];
        int exponent_digits = 0;
        while (i < token.size() && is_digit(token[i])) buffer[n++] = token[i++], ++exponent_digits;
        if (exponent_digits == 0 || i != token.size()) return false;
    }
    float value = 0.0f;
    auto [end, ec] = std::from_chars(buffer, buffer + n, value);
    if (ec != std::errc() || end != buffer + n) return false;
    out = value;
    return true;
}

bool parse_int_text(std::string_view text, int32_t& out) { return parse_int(trim_blanks(text), out); }
bool parse_real_text(std::string_view text, float& out) { return parse_real(trim_blanks(text), out); }

int read_ints(std::string_view text, int32_t* out, int count) {
    size_t pos = 0;
    std::string_view token;
    for (int i = 0; i < count; ++i) {
        if (!next_value(text, pos, token) || !parse_int(token, out[i])) return i;
    }
    return count;
}

int read_reals(std::string_view text, float* out, int count) {
    size_t pos = 0;
    std::string_view token;
    for (int i = 0; i < count; ++i) {
        if (!next_value(text, pos, token) || !parse_real(token, out[i])) return i;
    }
    return count;
}

}  // namespace qz::settings
