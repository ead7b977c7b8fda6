#include "evaluator.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "formats.h"
#include "operators.h"

namespace avs_standin {

namespace {

std::string lower_case(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

// Reads a whole regular file of at most max_script_bytes; false when that is not possible.
bool read_script_file(const std::string& path, std::string& text, bool& too_large) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (text.size() > max_script_bytes) {
            too_large = true;
            break;
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed && !too_large;
}

}  // namespace

const Value* Evaluator::variable(std::string_view name) const {
    const auto found = variables_.find(lower_case(name));
    return found == variables_.end() ? nullptr : &found->second;
}

Value Evaluator::import_file(const std::string& path) {
    if (int(scripts_.size()) >= max_import_depth)
        throw ScriptError("Import: scripts import each other more than " + std::to_string(max_import_depth) + " levels deep");
    std::filesystem::path full(path);
    if (full.is_relative() && !scripts_.empty()) full = std::filesystem::path(scripts_.back()).parent_path() / full;
    std::string text;
    bool too_large = false;
    if (!read_script_file(full.string(), text, too_large)) {
        if (too_large) throw ScriptError("Import: \"" + path + "\" is larger than 16 MiB");
        throw ScriptError("Import: couldn't open \"" + path + "\"");
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // a UTF-8 mark from Windows editors
    return run_text(text, full.string());
}

Value Evaluator::run_text(std::string_view text, const std::string& path) {
    scripts_.push_back(path);
    struct Pop {
        std::vector<std::string>& stack;
        ~Pop() { stack.pop_back(); }
    } pop{scripts_};
    const Script script = parse_script(text, path, int(scripts_.size()));
    return run_script(script);
}

Value Evaluator::run_script(const Script& script) {
    Value result;
    bool ended_with_expression = false;
    for (const Statement& statement : script.statements) {
        Value value = eval(*statement.expr);
        switch (statement.kind) {
            case Statement::Kind::return_value: return value;
            case Statement::Kind::assignment:
                variables_[lower_case(statement.name)] = std::move(value);
                ended_with_expression = false;
                break;
            case Statement::Kind::expression:
                // A clip on a line of its own becomes `last`, the clip later lines work on.
                if (value.kind == Value::Kind::clip) variables_["last"] = value;
                result = std::move(value);
                ended_with_expression = true;
                break;
        }
    }
    if (ended_with_expression) return result;
    const Value* last = variable("last");
    return last ? *last : Value();
}

void Evaluator::locate(ScriptError& error, SourcePos pos) const {
    const int depth = int(scripts_.size());
    if (depth == 0 || error.located_depth == depth) return;
    error.message += location_suffix(scripts_.back(), pos);
    error.located_depth = depth;
}

Value Evaluator::eval(const Node& node) {
    switch (node.kind) {
        case Node::Kind::literal: return node.literal;
        case Node::Kind::name: return eval_name(node);
        case Node::Kind::call: return eval_call(node);
        case Node::Kind::chain: return eval_chain(node);
        case Node::Kind::unary: return eval_unary(node);
        case Node::Kind::ternary: return eval_ternary(node);
    }
    return Value();
}

// A name is a variable, or else a function called without arguments (`ColorBars`, `last.KillVideo`).
Value Evaluator::eval_name(const Node& node) {
    if (const Value* value = variable(node.name)) return *value;
    try {
        if (!builtin_exists(node.name)) throw ScriptError("Script error: I don't know what '" + node.name + "' means");
        return call_builtin(*this, node.name, CallArgs(), true);
    } catch (ScriptError& error) {
        locate(error, node.pos);
        throw;
    }
}

Value Evaluator::eval_call(const Node& node) {
    CallArgs args;
    for (const auto& arg : node.args) args.values.push_back(eval(*arg));
    args.names = node.arg_names;
    try {
        return call_builtin(*this, node.name, args, !node.method_form);
    } catch (ScriptError& error) {
        locate(error, node.pos);
        throw;
    }
}

Value Evaluator::eval_chain(const Node& node) {
    Value result = eval(*node.args[0]);
    for (std::size_t i = 0; i < node.ops.size(); ++i) {
        const std::string& op = node.ops[i];
        try {
            if (op == "&&" || op == "||") {
                if (result.kind != Value::Kind::boolean)
                    throw ScriptError("Evaluate: operator '" + op + "' needs bools, not " + kind_name(result.kind));
                if (result.boolean == (op == "||")) continue;  // decided; the right side is not evaluated
                result = eval(*node.args[i + 1]);
                if (result.kind != Value::Kind::boolean)
                    throw ScriptError("Evaluate: operator '" + op + "' needs bools, not " + kind_name(result.kind));
            } else {
                result = apply_binary(op, result, eval(*node.args[i + 1]));
            }
        } catch (ScriptError& error) {
            locate(error, node.op_pos[i]);
            throw;
        }
    }
    return result;
}

Value Evaluator::eval_unary(const Node& node) {
    const Value operand = eval(*node.args[0]);
    try {
        return apply_unary(node.name, operand);
    } catch (ScriptError& error) {
        locate(error, node.pos);
        throw;
    }
}

Value Evaluator::eval_ternary(const Node& node) {
    const Value condition = eval(*node.args[0]);
    if (condition.kind != Value::Kind::boolean) {
        ScriptError error(std::string("Evaluate: the condition of '?' must be a bool, not ") + kind_name(condition.kind));
        locate(error, node.pos);
        throw error;
    }
    return eval(*node.args[condition.boolean ? 1 : 2]);
}

}  // namespace avs_standin
