// Splits script text into tokens.
//
// The language is a subset of AviSynth's: names, integers ($hex for colours), floats, "strings" and
// """strings""", operators, `#` line comments, /* */ and nestable [* *] block comments, a `\` at the
// end of a line or at the start of the next one to join lines, and `__END__` to end the script.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace avs_standin {

struct SourcePos {
    int line = 1;
    int column = 1;  // counted in bytes from 1
};

// "\n(path, line L, column C)", the line an error message gets for a place in a script.
std::string location_suffix(const std::string& path, SourcePos pos);

enum class TokenKind { end, newline, identifier, integer, floating, string, symbol };

struct Token {
    TokenKind kind = TokenKind::end;
    std::string text;  // the name, the string's content or the symbol ("(", "++", ...)
    int integer = 0;
    double floating = 0.0;
    SourcePos pos;
};

// The tokens of `source`, ending with one `end` token. Throws ScriptError (with the location of the
// fault, marked as located at `depth`) for text that is not a token.
std::vector<Token> tokenize(std::string_view source, const std::string& path, int depth);

}  // namespace avs_standin
