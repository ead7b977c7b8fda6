// Values of the script language and the one error type that carries a message to the user.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <utility>

namespace avs_standin {

class Clip;
using ClipPtr = std::shared_ptr<const Clip>;

struct Value {
    enum class Kind { none, boolean, integer, floating, string, clip };
    Kind kind = Kind::none;
    bool boolean = false;
    int integer = 0;
    double floating = 0.0;
    std::string text;
    ClipPtr clip;

    static Value of_bool(bool b) { Value v; v.kind = Kind::boolean; v.boolean = b; return v; }
    static Value of_int(int i) { Value v; v.kind = Kind::integer; v.integer = i; return v; }
    static Value of_float(double f) { Value v; v.kind = Kind::floating; v.floating = f; return v; }
    static Value of_string(std::string s) { Value v; v.kind = Kind::string; v.text = std::move(s); return v; }
    static Value of_clip(ClipPtr c) { Value v; v.kind = Kind::clip; v.clip = std::move(c); return v; }

    bool is_number() const { return kind == Kind::integer || kind == Kind::floating; }
    double as_double() const { return kind == Kind::integer ? integer : floating; }
};

// The word a message uses for a value's type ("clip", "int", ...).
const char* kind_name(Value::Kind kind);

// An error of a script or of a filter. `message` is the whole text the user sees; while it travels
// out through nested scripts each one adds its "(path, line, column)" line once, and
// `located_depth` remembers the nesting depth that added the last one.
class ScriptError : public std::exception {
public:
    explicit ScriptError(std::string text) : message(std::move(text)) {}
    const char* what() const noexcept override { return message.c_str(); }

    std::string message;
    int located_depth = -1;
};

}  // namespace avs_standin
