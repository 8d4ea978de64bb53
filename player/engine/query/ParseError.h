#pragma once
// Why a query is invalid, for the documentation and tests: the host's own error names no detail.
#include <cstddef>
#include <string>

namespace player::query {

struct ParseError {
    // Byte offset in the query of the token at fault (the query's length for its end).
    std::size_t offset = 0;
    std::string message;
};

}  // namespace player::query
