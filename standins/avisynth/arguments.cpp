#include "arguments.h"

#include "formats.h"

namespace avs_standin {

namespace {

bool fits(const Value& value, unsigned types) {
    switch (value.kind) {
        case Value::Kind::clip: return types & arg_clip;
        case Value::Kind::integer: return types & (arg_int | arg_float);
        case Value::Kind::floating: return types & arg_float;
        case Value::Kind::string: return types & arg_string;
        case Value::Kind::boolean: return types & arg_bool;
        case Value::Kind::none: return false;
    }
    return false;
}

std::string expected_type(unsigned types) {
    if (types & arg_clip) return "a clip";
    if (types & arg_float) return "a number";
    if (types & arg_int) return "an int";
    if (types & arg_string) return "a string";
    return "a bool";
}

std::string mismatch(const ParamSpec& param, const Value& value) {
    return "'" + std::string(param.name) + "' must be " + expected_type(param.types) + ", not " + kind_name(value.kind);
}

bool bind_positional(const std::vector<ParamSpec>& params, const Value& value, std::size_t& p, BoundArgs& bound,
                     std::string& why) {
    while (true) {
        if (p >= params.size() || params[p].named_only) {
            why = "too many arguments";
            return false;
        }
        const ParamSpec& param = params[p];
        if (param.repeated && !bound.given(p) && !fits(value, param.types)) {
            why = mismatch(param, value);
            return false;
        }
        if (param.repeated && !fits(value, param.types)) {
            ++p;  // the repeated run has ended; this value belongs to the next parameter
            continue;
        }
        if (!fits(value, param.types)) {
            why = mismatch(param, value);
            return false;
        }
        bound.raw()[p].push_back(value);
        if (!param.repeated) ++p;
        return true;
    }
}

bool bind_named(const std::vector<ParamSpec>& params, const std::string& name, const Value& value, BoundArgs& bound,
                std::string& why) {
    for (std::size_t p = 0; p < params.size(); ++p) {
        if (!same_name(params[p].name, name)) continue;
        if (bound.given(p)) {
            why = "'" + std::string(params[p].name) + "' is given twice";
            return false;
        }
        if (!fits(value, params[p].types)) {
            why = mismatch(params[p], value);
            return false;
        }
        bound.raw()[p].push_back(value);
        return true;
    }
    why = "there is no argument named '" + name + "'";
    return false;
}

}  // namespace

std::optional<BoundArgs> bind_arguments(const std::vector<ParamSpec>& params, const CallArgs& args, std::string& why) {
    BoundArgs bound(params.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < args.values.size(); ++i) {
        const bool ok = args.names[i].empty() ? bind_positional(params, args.values[i], next, bound, why)
                                              : bind_named(params, args.names[i], args.values[i], bound, why);
        if (!ok) return std::nullopt;
    }
    for (std::size_t p = 0; p < params.size(); ++p) {
        if (params[p].required && !bound.given(p)) {
            why = "'" + std::string(params[p].name) + "' is missing";
            return std::nullopt;
        }
    }
    return bound;
}

}  // namespace avs_standin
