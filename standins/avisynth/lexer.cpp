#include "lexer.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "value.h"

namespace avs_standin {

std::string location_suffix(const std::string& path, SourcePos pos) {
    return "\n(" + path + ", line " + std::to_string(pos.line) + ", column " + std::to_string(pos.column) + ")";
}

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_name_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool is_name_char(char c) { return is_name_start(c) || is_digit(c); }
int hex_value(char c) {
    if (is_digit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Lexer {
public:
    Lexer(std::string_view source, const std::string& path, int depth) : src_(source), path_(path), depth_(depth) {}

    std::vector<Token> run() {
        while (true) {
            skip_blanks_and_comments();
            if (at_end()) break;
            const char c = peek();
            if (c == '\n') {
                newline();
            } else if (c == '\\') {
                join_with_next_line();
            } else if (is_name_start(c)) {
                if (name() == "__END__") break;
            } else if (is_digit(c)) {
                number();
            } else if (c == '$') {
                hex_number();
            } else if (c == '"') {
                string();
            } else {
                symbol();
            }
        }
        Token end;
        end.pos = pos_;
        tokens_.push_back(end);
        return std::move(tokens_);
    }

private:
    [[noreturn]] void fail(const std::string& what, SourcePos where) const {
        ScriptError error("Script error: " + what + location_suffix(path_, where));
        error.located_depth = depth_;
        throw error;
    }

    bool at_end() const { return i_ >= src_.size(); }
    char peek(std::size_t ahead = 0) const { return i_ + ahead < src_.size() ? src_[i_ + ahead] : '\0'; }
    bool starts_with(const char* text) const { return src_.substr(i_).substr(0, std::strlen(text)) == text; }

    void advance() {
        if (src_[i_] == '\n') {
            ++pos_.line;
            pos_.column = 1;
        } else {
            ++pos_.column;
        }
        ++i_;
    }
    void advance(std::size_t count) {
        for (std::size_t k = 0; k < count && !at_end(); ++k) advance();
    }

    Token& push(TokenKind kind, SourcePos where) {
        Token token;
        token.kind = kind;
        token.pos = where;
        tokens_.push_back(token);
        return tokens_.back();
    }

    void skip_blanks_and_comments() {
        while (!at_end()) {
            if (is_blank(peek())) {
                advance();
            } else if (peek() == '#') {
                while (!at_end() && peek() != '\n') advance();
            } else if (starts_with("/*")) {
                const SourcePos start = pos_;
                advance(2);
                while (!at_end() && !starts_with("*/")) advance();
                if (at_end()) fail("unterminated comment", start);
                advance(2);
            } else if (starts_with("[*")) {
                nested_comment();
            } else {
                return;
            }
        }
    }

    void nested_comment() {
        const SourcePos start = pos_;
        int level = 0;
        do {
            if (at_end()) fail("unterminated comment", start);
            if (starts_with("[*")) {
                ++level;
                advance(2);
            } else if (starts_with("*]")) {
                --level;
                advance(2);
            } else {
                advance();
            }
        } while (level > 0);
    }

    // A line whose next non-blank line starts with `\` goes on there.
    void newline() {
        const SourcePos where = pos_;
        std::size_t k = i_ + 1;
        while (k < src_.size() && is_blank(src_[k])) ++k;
        if (k < src_.size() && src_[k] == '\\') {
            advance(k + 1 - i_);
            return;
        }
        if (tokens_.empty() || tokens_.back().kind != TokenKind::newline) push(TokenKind::newline, where);
        advance();
    }

    // A `\` at the end of a line (blanks or a comment may follow) joins the next line to this one.
    void join_with_next_line() {
        const SourcePos where = pos_;
        std::size_t k = i_ + 1;
        while (k < src_.size() && is_blank(src_[k])) ++k;
        if (k < src_.size() && src_[k] == '#')
            while (k < src_.size() && src_[k] != '\n') ++k;
        if (k < src_.size() && src_[k] != '\n') fail("syntax error", where);
        advance(k + 1 - i_);
    }

    std::string name() {
        const SourcePos where = pos_;
        const std::size_t start = i_;
        while (!at_end() && is_name_char(peek())) advance();
        std::string text(src_.substr(start, i_ - start));
        if (text != "__END__") push(TokenKind::identifier, where).text = text;
        return text;
    }

    void number() {
        const SourcePos where = pos_;
        const std::size_t start = i_;
        while (!at_end() && is_digit(peek())) advance();
        bool is_float = false;
        if (peek() == '.' && is_digit(peek(1))) {
            is_float = true;
            advance();
            while (!at_end() && is_digit(peek())) advance();
        }
        const std::string text(src_.substr(start, i_ - start));
        if (is_float) {
            push(TokenKind::floating, where).floating = std::strtod(text.c_str(), nullptr);
            return;
        }
        errno = 0;
        const long long value = std::strtoll(text.c_str(), nullptr, 10);
        if (errno == ERANGE || value > 2147483647LL) fail("number out of range", where);
        push(TokenKind::integer, where).integer = int(value);
    }

    // $RRGGBB and other hexadecimal integers of up to 8 digits (the bit pattern of a 32-bit int).
    void hex_number() {
        const SourcePos where = pos_;
        advance();
        uint32_t value = 0;
        int digits = 0;
        while (!at_end() && hex_value(peek()) >= 0) {
            if (++digits > 8) fail("number out of range", where);
            value = value * 16u + uint32_t(hex_value(peek()));
            advance();
        }
        if (digits == 0) fail("syntax error", where);
        push(TokenKind::integer, where).integer = int(value);
    }

    void string() {
        const SourcePos where = pos_;
        const bool triple = starts_with("\"\"\"");
        const char* close = triple ? "\"\"\"" : "\"";
        advance(triple ? 3 : 1);
        const std::size_t start = i_;
        while (!at_end() && !starts_with(close)) advance();
        if (at_end()) fail("unterminated string", where);
        push(TokenKind::string, where).text = std::string(src_.substr(start, i_ - start));
        advance(triple ? 3 : 1);
    }

    void symbol() {
        static const char* const two_char[] = {"++", "==", "!=", "<>", "<=", ">=", "&&", "||"};
        const SourcePos where = pos_;
        for (const char* candidate : two_char) {
            if (starts_with(candidate)) {
                push(TokenKind::symbol, where).text = candidate;
                advance(2);
                return;
            }
        }
        if (std::strchr("(),.=+-*/%<>!?:", peek()) == nullptr || peek() == '\0') fail("syntax error", where);
        push(TokenKind::symbol, where).text = std::string(1, peek());
        advance();
    }

    std::string_view src_;
    const std::string& path_;
    int depth_;
    std::size_t i_ = 0;
    SourcePos pos_;
    std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> tokenize(std::string_view source, const std::string& path, int depth) {
    return Lexer(source, path, depth).run();
}

}  // namespace avs_standin
