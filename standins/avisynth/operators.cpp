#include "operators.h"

#include <climits>
#include <cmath>
#include <string>

#include "clips.h"
#include "evaluator.h"
#include "formats.h"

namespace avs_standin {

namespace {

[[noreturn]] void misfit(std::string_view op, const Value& a, const Value& b) {
    throw ScriptError("Evaluate: operator '" + std::string(op) + "' can't be used on " + kind_name(a.kind) + " and " +
                      kind_name(b.kind));
}

// Ints wrap around like the 32-bit ints of the language rather than overflow.
int wrap(int64_t value) { return int(int32_t(uint32_t(uint64_t(value)))); }

int compare_text(const std::string& a, const std::string& b) {
    // Names and strings compare without regard to ASCII case.
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        auto lower = [](char ch) {
            const int c = static_cast<unsigned char>(ch);
            return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
        };
        if (lower(a[i]) != lower(b[i])) return lower(a[i]) < lower(b[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

Value compare(std::string_view op, const Value& a, const Value& b) {
    int order = 0;
    if (a.is_number() && b.is_number()) {
        const double x = a.as_double(), y = b.as_double();
        order = x < y ? -1 : (x > y ? 1 : 0);
        if (std::isnan(x) || std::isnan(y)) return Value::of_bool(op == "!=" || op == "<>");
    } else if (a.kind == Value::Kind::string && b.kind == Value::Kind::string) {
        order = compare_text(a.text, b.text);
    } else if (a.kind == Value::Kind::boolean && b.kind == Value::Kind::boolean && (op == "==" || op == "!=" || op == "<>")) {
        order = a.boolean == b.boolean ? 0 : 1;
    } else {
        misfit(op, a, b);
    }
    if (op == "==") return Value::of_bool(order == 0);
    if (op == "!=" || op == "<>") return Value::of_bool(order != 0);
    if (op == "<") return Value::of_bool(order < 0);
    if (op == ">") return Value::of_bool(order > 0);
    if (op == "<=") return Value::of_bool(order <= 0);
    return Value::of_bool(order >= 0);
}

Value arithmetic(std::string_view op, const Value& a, const Value& b) {
    if (!a.is_number() || !b.is_number()) misfit(op, a, b);
    if (a.kind == Value::Kind::integer && b.kind == Value::Kind::integer) {
        const int64_t x = a.integer, y = b.integer;
        if (op == "+") return Value::of_int(wrap(x + y));
        if (op == "-") return Value::of_int(wrap(x - y));
        if (op == "*") return Value::of_int(wrap(x * y));
        if (y == 0) throw ScriptError("Evaluate: division by zero");
        if (op == "/") return Value::of_int(wrap(x / y));
        return Value::of_int(wrap(x % y));
    }
    const double x = a.as_double(), y = b.as_double();
    if (op == "+") return Value::of_float(x + y);
    if (op == "-") return Value::of_float(x - y);
    if (op == "*") return Value::of_float(x * y);
    if (op == "/") return Value::of_float(x / y);
    return Value::of_float(std::fmod(x, y));
}

}  // namespace

Value apply_binary(std::string_view op, const Value& a, const Value& b) {
    const bool clips = a.kind == Value::Kind::clip && b.kind == Value::Kind::clip;
    if (op == "++") {
        if (!clips) misfit(op, a, b);
        return Value::of_clip(make_splice(a.clip, b.clip, "Splice"));
    }
    if (op == "+" && clips) return Value::of_clip(make_splice(a.clip, b.clip, "Splice"));
    if (op == "+" && a.kind == Value::Kind::string && b.kind == Value::Kind::string) {
        if (a.text.size() + b.text.size() > max_string_bytes) throw ScriptError("Evaluate: string too long");
        return Value::of_string(a.text + b.text);
    }
    if (op == "+" || op == "-" || op == "*" || op == "/" || op == "%") return arithmetic(op, a, b);
    return compare(op, a, b);
}

Value apply_unary(std::string_view op, const Value& a) {
    if (op == "!") {
        if (a.kind != Value::Kind::boolean)
            throw ScriptError(std::string("Evaluate: operator '!' can't be used on ") + kind_name(a.kind));
        return Value::of_bool(!a.boolean);
    }
    if (!a.is_number())
        throw ScriptError("Evaluate: operator '" + std::string(op) + "' can't be used on " + kind_name(a.kind));
    if (op == "+") return a;
    if (a.kind == Value::Kind::integer) return Value::of_int(wrap(-int64_t(a.integer)));
    return Value::of_float(-a.floating);
}

}  // namespace avs_standin
