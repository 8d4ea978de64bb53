#include "player/engine/query/Parser.h"

#include <string>

#include "player/engine/query/Lexer.h"
#include "player/engine/titleformat/Script.h"

namespace player::query {

namespace {

// A left side with either character is a title-formatting script rather than a field name.
bool is_script(std::string_view text) { return text.find_first_of("%$") != std::string_view::npos; }

class Parser {
public:
    Parser(std::vector<Token> tokens, ParseError& error) : tokens_(std::move(tokens)), error_(error) {}

    std::optional<QueryTree> run() {
        if (peek().kind == Token::Kind::end) {
            fail(peek(), "empty query");
            return std::nullopt;
        }
        std::optional<std::size_t> root = any(0);
        if (!root) return std::nullopt;
        if (peek().kind != Token::Kind::end) {
            fail(peek(), peek().kind == Token::Kind::close ? "')' without '('" : "unexpected text after the query");
            return std::nullopt;
        }
        tree_.root = *root;
        return std::move(tree_);
    }

private:
    using Result = std::optional<std::size_t>;

    Result any(std::size_t depth) { return chain(depth, "OR", Expression::Kind::any); }

    Result all(std::size_t depth) { return chain(depth, "AND", Expression::Kind::all); }

    // term (KEYWORD term)*, one node for the whole chain.
    Result chain(std::size_t depth, std::string_view keyword, Expression::Kind kind) {
        Result first = kind == Expression::Kind::any ? all(depth) : negation(depth);
        if (!first || !is_keyword(peek(), keyword)) return first;
        Expression node;
        node.kind = kind;
        node.operands.push_back(*first);
        while (is_keyword(peek(), keyword)) {
            ++pos_;
            Result next = kind == Expression::Kind::any ? all(depth) : negation(depth);
            if (!next) return std::nullopt;
            node.operands.push_back(*next);
        }
        return add(std::move(node));
    }

    Result negation(std::size_t depth) {
        if (!is_keyword(peek(), "NOT")) return primary(depth);
        if (depth >= max_query_nesting) return fail(peek(), "nested too deeply");
        ++pos_;
        Result operand = negation(depth + 1);
        if (!operand) return std::nullopt;
        Expression node;
        node.kind = Expression::Kind::negate;
        node.operands.push_back(*operand);
        return add(std::move(node));
    }

    Result primary(std::size_t depth) {
        const Token& token = peek();
        if (token.kind == Token::Kind::open) {
            if (depth >= max_query_nesting) return fail(token, "nested too deeply");
            ++pos_;
            Result inner = any(depth + 1);
            if (!inner) return std::nullopt;
            if (peek().kind != Token::Kind::close) return fail(token, "'(' without ')'");
            ++pos_;
            return inner;
        }
        return condition();
    }

    Result condition() {
        const Token& left = peek();
        if (!is_operand(left)) return fail(left, "missing field name");
        ++pos_;
        std::optional<titleformat::Script> script;
        if (is_script(left.text)) {
            titleformat::CompileError compile_error;
            script = titleformat::Script::compile(left.text, &compile_error);
            if (!script) return fail(left, "title formatting: " + compile_error.message);
        }
        const Token& op = peek();
        Condition::Test test;
        if (is_keyword(op, "IS")) {
            test = Condition::Test::is;
        } else if (is_keyword(op, "HAS")) {
            test = Condition::Test::has;
        } else if (is_keyword(op, "MISSING")) {
            test = Condition::Test::missing;
        } else if (is_keyword(op, "PRESENT")) {
            test = Condition::Test::present;
        } else {
            return fail(op, op.kind == Token::Kind::end ? "missing operator" : "unknown operator");
        }
        ++pos_;
        std::string_view text;
        if (test == Condition::Test::is || test == Condition::Test::has) {
            if (!is_operand(peek())) return fail(peek(), "missing text");
            text = peek().text;
            ++pos_;
        }
        tree_.conditions.emplace_back(test, script ? std::string() : std::string(left.text), std::move(script), text);
        Expression node;
        node.condition = tree_.conditions.size() - 1;
        return add(std::move(node));
    }

    static bool is_operand(const Token& token) {
        return token.kind == Token::Kind::quoted || (token.kind == Token::Kind::word && !is_any_keyword(token));
    }

    const Token& peek() const { return tokens_[pos_]; }

    Result add(Expression node) {
        tree_.expressions.push_back(std::move(node));
        return tree_.expressions.size() - 1;
    }

    Result fail(const Token& at, std::string message) {
        error_ = {at.offset, std::move(message)};
        return std::nullopt;
    }

    std::vector<Token> tokens_;
    ParseError& error_;
    std::size_t pos_ = 0;
    QueryTree tree_;
};

}  // namespace

std::optional<QueryTree> parse_query(std::string_view text, ParseError& error) {
    std::vector<Token> tokens;
    if (!tokenize(text, tokens, error)) return std::nullopt;
    return Parser(std::move(tokens), error).run();
}

}  // namespace player::query
