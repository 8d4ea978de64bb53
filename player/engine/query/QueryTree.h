#pragma once
// A compiled query: its conditions and the AND / OR / NOT structure over them.
#include <cstddef>
#include <string_view>
#include <vector>

#include "player/engine/query/Condition.h"

namespace player::query {

struct Expression {
    enum class Kind : std::uint8_t { condition, all, any, negate };
    Kind kind = Kind::condition;
    // Index into QueryTree::conditions.
    std::size_t condition = 0;
    // Indices into QueryTree::expressions: the terms of an AND or OR chain, or the one term of NOT.
    std::vector<std::size_t> operands;
};

struct QueryTree {
    std::vector<Condition> conditions;
    std::vector<Expression> expressions;
    std::size_t root = 0;

    bool matches(std::size_t expression, const sonavel::file_info& info, const char* path,
                 QueryScratch& scratch) const;
};

}  // namespace player::query
