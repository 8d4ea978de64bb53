#pragma once
// The query grammar: OR of ANDs of (NOT) terms, a term being a condition or a parenthesised query.
#include <optional>
#include <string_view>

#include "player/engine/query/ParseError.h"
#include "player/engine/query/QueryTree.h"

namespace player::query {

// Deeper nesting of parentheses and NOT is refused instead of exhausting the stack.
inline constexpr std::size_t max_query_nesting = 200;

std::optional<QueryTree> parse_query(std::string_view text, ParseError& error);

}  // namespace player::query
