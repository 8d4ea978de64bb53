#include "player/engine/query/Lexer.h"

namespace player::query {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool ends_word(char c) { return is_space(c) || c == '(' || c == ')' || c == '"'; }

}  // namespace

bool tokenize(std::string_view query, std::vector<Token>& tokens, ParseError& error) {
    tokens.clear();
    std::size_t pos = 0;
    while (true) {
        while (pos < query.size() && is_space(query[pos])) ++pos;
        if (pos == query.size()) break;
        char c = query[pos];
        if (c == '(' || c == ')') {
            tokens.push_back({c == '(' ? Token::Kind::open : Token::Kind::close, query.substr(pos, 1), pos});
            ++pos;
        } else if (c == '"') {
            std::size_t close = query.find('"', pos + 1);
            if (close == std::string_view::npos) {
                error = {pos, "quote without closing quote"};
                return false;
            }
            tokens.push_back({Token::Kind::quoted, query.substr(pos + 1, close - pos - 1), pos});
            pos = close + 1;
        } else {
            std::size_t start = pos;
            while (pos < query.size() && !ends_word(query[pos])) ++pos;
            tokens.push_back({Token::Kind::word, query.substr(start, pos - start), start});
        }
    }
    tokens.push_back({Token::Kind::end, {}, query.size()});
    return true;
}

bool is_keyword(const Token& token, std::string_view keyword) noexcept {
    if (token.kind != Token::Kind::word || token.text.size() != keyword.size()) return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        char c = token.text[i];
        if (c >= 'a' && c <= 'z') c = char(c - 32);
        if (c != keyword[i]) return false;
    }
    return true;
}

bool is_any_keyword(const Token& token) noexcept {
    for (std::string_view keyword : {"IS", "HAS", "MISSING", "PRESENT", "AND", "OR", "NOT"}) {
        if (is_keyword(token, keyword)) return true;
    }
    return false;
}

}  // namespace player::query
