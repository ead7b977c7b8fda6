// Matching the arguments of a call to a function's parameters.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "functions.h"
#include "value.h"

namespace avs_standin {

enum ArgType : unsigned {
    arg_clip = 1u,
    arg_int = 2u,
    arg_float = 4u,  // an int is accepted and read as a float
    arg_string = 8u,
    arg_bool = 16u,
};

struct ParamSpec {
    const char* name;
    unsigned types;
    bool required = false;
    bool repeated = false;    // takes every following positional argument of its type (one or more)
    bool named_only = false;  // never filled by position
};

// The arguments given for each parameter, in parameter order: none, one, or (repeated) several.
class BoundArgs {
public:
    explicit BoundArgs(std::size_t params) : values_(params) {}

    bool given(std::size_t i) const { return !values_[i].empty(); }
    const std::vector<Value>& all(std::size_t i) const { return values_[i]; }
    int integer(std::size_t i, int fallback) const { return given(i) ? values_[i][0].integer : fallback; }
    double number(std::size_t i, double fallback) const { return given(i) ? values_[i][0].as_double() : fallback; }
    bool boolean(std::size_t i, bool fallback) const { return given(i) ? values_[i][0].boolean : fallback; }
    std::string text(std::size_t i, const std::string& fallback) const { return given(i) ? values_[i][0].text : fallback; }
    ClipPtr clip(std::size_t i) const { return given(i) ? values_[i][0].clip : nullptr; }

    std::vector<std::vector<Value>>& raw() { return values_; }

private:
    std::vector<std::vector<Value>> values_;
};

// Binds `args` to `params`; on a mismatch returns nothing and sets `why` to the reason.
std::optional<BoundArgs> bind_arguments(const std::vector<ParamSpec>& params, const CallArgs& args, std::string& why);

}  // namespace avs_standin
