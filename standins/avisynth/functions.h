// The built-in functions of the script language and the matching of call arguments to them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "value.h"

namespace avs_standin {

class Evaluator;

struct CallArgs {
    std::vector<Value> values;
    std::vector<std::string> names;  // one per value; "" for a positional argument
};

bool builtin_exists(std::string_view name);

// Calls the built-in `name`. With `implicit_last`, a function whose first parameter is a clip gets the
// variable `last` in front when the arguments do not fit without it (so a line `Trim(0, 99)` works on
// the clip of the line before). Throws ScriptError: "Script error: there is no function named 'X'",
// "Script error: Invalid arguments to function 'X': <why>", or the function's own failure.
Value call_builtin(Evaluator& evaluator, std::string_view name, const CallArgs& args, bool implicit_last);

}  // namespace avs_standin
