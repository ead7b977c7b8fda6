// Runs scripts: holds the variables (including `last`) and evaluates statements and expressions.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "functions.h"
#include "parser.h"
#include "value.h"

namespace avs_standin {

// Scripts larger than this are refused rather than read into memory.
constexpr std::size_t max_script_bytes = std::size_t(16) << 20;
// Strings made by `+` are capped so that a doubling loop cannot take all memory.
constexpr std::size_t max_string_bytes = std::size_t(16) << 20;
// Scripts importing scripts (or themselves) stop here.
constexpr int max_import_depth = 16;

class Evaluator {
public:
    // Reads and runs the script file at `path` (relative to the importing script's folder when one
    // script imports another). Throws ScriptError: `Import: couldn't open "path"` when it cannot be
    // read, or the script's error with its "(path, line L, column C)" lines.
    Value import_file(const std::string& path);

    // Runs script text; `path` names it in error messages.
    Value run_text(std::string_view text, const std::string& path);

    // Calls a built-in function from outside any script.
    Value call(std::string_view name, const CallArgs& args) { return call_builtin(*this, name, args, false); }

    // The variable called `name` (any case), nullptr when it has no value.
    const Value* variable(std::string_view name) const;

private:
    Value run_script(const Script& script);
    Value eval(const Node& node);
    Value eval_name(const Node& node);
    Value eval_call(const Node& node);
    Value eval_chain(const Node& node);
    Value eval_unary(const Node& node);
    Value eval_ternary(const Node& node);
    // Adds the place in the running script to an error that does not carry it yet.
    void locate(ScriptError& error, SourcePos pos) const;

    std::map<std::string, Value> variables_;  // keys in lower case
    std::vector<std::string> scripts_;        // the running script and those that imported it
};

}  // namespace avs_standin
