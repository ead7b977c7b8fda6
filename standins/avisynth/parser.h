// Turns tokens into statements and expression trees.
//
// Statements, one per line: `name = expr`, `global name = expr`, `return expr`, or an expression.
// Expressions, loosest first: a ? b : c; ||; &&; == != <> < > <= >=; + ++ -; * / %; unary - + !;
// method calls a.Name(args) or a.Name; then literals, names, calls Name(args, key=value) and
// parentheses. A run of operators of one level is one chain node, so long splices nest no deeper
// than short ones.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lexer.h"
#include "value.h"

namespace avs_standin {

struct Node {
    enum class Kind { literal, name, call, unary, chain, ternary };
    Kind kind = Kind::literal;
    SourcePos pos;
    Value literal;                            // literal
    std::string name;                         // name, call (the function), unary (the operator)
    std::vector<std::unique_ptr<Node>> args;  // call arguments, unary operand, chain operands, ternary parts
    std::vector<std::string> arg_names;       // call: "" for a positional argument
    bool method_form = false;                 // call written as receiver.Name(...)
    std::vector<std::string> ops;             // chain: ops[i] joins args[i] and args[i + 1]
    std::vector<SourcePos> op_pos;
};

struct Statement {
    enum class Kind { expression, assignment, return_value };
    Kind kind = Kind::expression;
    SourcePos pos;
    std::string name;  // assignment target
    std::unique_ptr<Node> expr;
};

struct Script {
    std::vector<Statement> statements;
};

// Parses `source`; errors are ScriptErrors carrying `path` and the line and column, located at `depth`.
Script parse_script(std::string_view source, const std::string& path, int depth);

}  // namespace avs_standin
