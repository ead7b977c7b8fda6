#include "parser.h"

#include <initializer_list>

#include "formats.h"

namespace avs_standin {

namespace {

// Parentheses, calls and unary operators may nest this deep; deeper text is refused rather than
// allowed to exhaust the stack.
constexpr int max_nesting = 200;

class Parser {
public:
    Parser(std::vector<Token> tokens, const std::string& path, int depth)
        : tokens_(std::move(tokens)), path_(path), depth_(depth) {}

    Script run() {
        Script script;
        while (true) {
            while (current().kind == TokenKind::newline) ++i_;
            if (current().kind == TokenKind::end) break;
            script.statements.push_back(statement());
            if (current().kind != TokenKind::newline && current().kind != TokenKind::end) fail("syntax error");
        }
        return script;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        ScriptError error("Script error: " + what + location_suffix(path_, current().pos));
        error.located_depth = depth_;
        throw error;
    }

    const Token& current() const { return tokens_[i_]; }
    const Token& ahead(std::size_t n) const { return tokens_[std::min(i_ + n, tokens_.size() - 1)]; }
    bool is_symbol(const Token& token, const char* text) const {
        return token.kind == TokenKind::symbol && token.text == text;
    }
    bool is_word(const Token& token, const char* word) const {
        return token.kind == TokenKind::identifier && same_name(token.text, word);
    }
    void expect(const char* symbol) {
        if (!is_symbol(current(), symbol)) fail(std::string("expected '") + symbol + "'");
        ++i_;
    }

    Statement statement() {
        Statement s;
        s.pos = current().pos;
        if (is_word(current(), "return")) {
            ++i_;
            s.kind = Statement::Kind::return_value;
            s.expr = expression();
            return s;
        }
        if (is_word(current(), "global") && ahead(1).kind == TokenKind::identifier) ++i_;
        if (current().kind == TokenKind::identifier && is_symbol(ahead(1), "=")) {
            s.kind = Statement::Kind::assignment;
            s.name = current().text;
            i_ += 2;
        }
        s.expr = expression();
        return s;
    }

    struct NestingGuard {
        explicit NestingGuard(Parser& p) : parser(p) {
            if (++parser.nesting_ > max_nesting) parser.fail("expression nested too deeply");
        }
        ~NestingGuard() { --parser.nesting_; }
        Parser& parser;
    };

    std::unique_ptr<Node> expression() {
        NestingGuard guard(*this);
        auto condition = chain(0);
        if (!is_symbol(current(), "?")) return condition;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::ternary;
        node->pos = current().pos;
        ++i_;
        node->args.push_back(std::move(condition));
        node->args.push_back(expression());
        expect(":");
        node->args.push_back(expression());
        return node;
    }

    // Binary operator levels, loosest first.
    static const std::vector<std::vector<const char*>>& levels() {
        static const std::vector<std::vector<const char*>> table = {
            {"||"}, {"&&"}, {"==", "!=", "<>", "<", ">", "<=", ">="}, {"+", "++", "-"}, {"*", "/", "%"}};
        return table;
    }

    const char* operator_of_level(std::size_t level) const {
        for (const char* op : levels()[level])
            if (is_symbol(current(), op)) return op;
        return nullptr;
    }

    std::unique_ptr<Node> chain(std::size_t level) {
        if (level == levels().size()) return unary();
        auto first = chain(level + 1);
        if (!operator_of_level(level)) return first;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::chain;
        node->pos = first->pos;
        node->args.push_back(std::move(first));
        while (const char* op = operator_of_level(level)) {
            node->ops.push_back(op);
            node->op_pos.push_back(current().pos);
            ++i_;
            node->args.push_back(chain(level + 1));
        }
        return node;
    }

    std::unique_ptr<Node> unary() {
        for (const char* op : {"-", "+", "!"}) {
            if (!is_symbol(current(), op)) continue;
            NestingGuard guard(*this);
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::unary;
            node->pos = current().pos;
            node->name = op;
            ++i_;
            node->args.push_back(unary());
            return node;
        }
        return postfix();
    }

    std::unique_ptr<Node> postfix() {
        auto node = primary();
        while (is_symbol(current(), ".")) {
            ++i_;
            if (current().kind != TokenKind::identifier) fail("syntax error");
            auto call = std::make_unique<Node>();
            call->kind = Node::Kind::call;
            call->pos = current().pos;
            call->name = current().text;
            call->method_form = true;
            ++i_;
            call->args.push_back(std::move(node));
            call->arg_names.emplace_back();
            if (is_symbol(current(), "(")) arguments(*call);
            node = std::move(call);
        }
        return node;
    }

    std::unique_ptr<Node> primary() {
        const Token& token = current();
        auto node = std::make_unique<Node>();
        node->pos = token.pos;
        switch (token.kind) {
            case TokenKind::integer: node->literal = Value::of_int(token.integer); break;
            case TokenKind::floating: node->literal = Value::of_float(token.floating); break;
            case TokenKind::string: node->literal = Value::of_string(token.text); break;
            case TokenKind::identifier: return name_or_call();
            case TokenKind::symbol:
                if (is_symbol(token, "(")) {
                    ++i_;
                    auto inner = expression();
                    expect(")");
                    return inner;
                }
                fail("syntax error");
            default: fail("syntax error");
        }
        ++i_;
        return node;
    }

    std::unique_ptr<Node> name_or_call() {
        const Token& token = current();
        auto node = std::make_unique<Node>();
        node->pos = token.pos;
        if (is_word(token, "true") || is_word(token, "yes") || is_word(token, "false") || is_word(token, "no")) {
            node->literal = Value::of_bool(is_word(token, "true") || is_word(token, "yes"));
            ++i_;
            return node;
        }
        node->name = token.text;
        ++i_;
        if (!is_symbol(current(), "(")) {
            node->kind = Node::Kind::name;
            return node;
        }
        node->kind = Node::Kind::call;
        arguments(*node);
        return node;
    }

    void arguments(Node& call) {
        NestingGuard guard(*this);
        expect("(");
        if (is_symbol(current(), ")")) {
            ++i_;
            return;
        }
        while (true) {
            std::string arg_name;
            if (current().kind == TokenKind::identifier && is_symbol(ahead(1), "=")) {
                arg_name = current().text;
                i_ += 2;
            }
            call.args.push_back(expression());
            call.arg_names.push_back(arg_name);
            if (is_symbol(current(), ")")) break;
            if (!is_symbol(current(), ",")) fail("expected ')'");
            ++i_;
        }
        ++i_;
    }

    std::vector<Token> tokens_;
    const std::string& path_;
    int depth_;
    std::size_t i_ = 0;
    int nesting_ = 0;
};

}  // namespace

Script parse_script(std::string_view source, const std::string& path, int depth) {
    return Parser(tokenize(source, path, depth), path, depth).run();
}

}  // namespace avs_standin
