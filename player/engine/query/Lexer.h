#pragma once
// Splits a query into words, double-quoted texts and parentheses.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "player/engine/query/ParseError.h"

namespace player::query {

struct Token {
    enum class Kind { word, quoted, open, close, end };
    Kind kind = Kind::end;
    // A word, or a quoted text without its quotes and with each doubled quote inside it made one.
    std::string text;
    std::size_t offset = 0;
};

// The tokens of `query`, ending with one of kind `end`; false for a quote without its closing quote.
bool tokenize(std::string_view query, std::vector<Token>& tokens, ParseError& error);

// Whether a word is the keyword `keyword` (upper-case ASCII), without regard to case.
bool is_keyword(const Token& token, std::string_view keyword) noexcept;
bool is_any_keyword(const Token& token) noexcept;

}  // namespace player::query
