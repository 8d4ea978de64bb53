#include "player/engine/query/Lexer.h"

namespace player::query {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool ends_word(char c) { return is_space(c) || c == '(' || c == ')' || c == '"'; }

// The quoted text that opens at `pos`, into `text`; `pos` ends after its closing quote. Two quotes in a row
// inside it stand for one: no valid query had a quoted text right after another, so no query changes meaning.
bool read_quoted(std::string_view query, std::size_t& pos, std::string& text) {
    std::size_t from = pos + 1;
    for (;;) {
        const std::size_t quote = query.find('"', from);
        if (quote == std::string_view::npos) return false;
        text.append(query.substr(from, quote - from));
        if (quote + 1 < query.size() && query[quote + 1] == '"') {
            text += '"';
            from = quote + 2;
            continue;
        }
        pos = quote + 1;
        return true;
    }
}

}  // namespace

bool tokenize(std::string_view query, std::vector<Token>& tokens, ParseError& error) {
    tokens.clear();
    std::size_t pos = 0;
    while (true) {
        while (pos < query.size() && is_space(query[pos])) ++pos;
        if (pos == query.size()) break;
        char c = query[pos];
        if (c == '(' || c == ')') {
            tokens.push_back({c == '(' ? Token::Kind::open : Token::Kind::close, std::string(1, c), pos});
            ++pos;
        } else if (c == '"') {
            Token quoted{Token::Kind::quoted, {}, pos};
            if (!read_quoted(query, pos, quoted.text)) {
                error = {quoted.offset, "quote without closing quote"};
                return false;
            }
            tokens.push_back(std::move(quoted));
        } else {
            std::size_t start = pos;
            while (pos < query.size() && !ends_word(query[pos])) ++pos;
            tokens.push_back({Token::Kind::word, std::string(query.substr(start, pos - start)), start});
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
