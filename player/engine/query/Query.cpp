#include "player/engine/query/Query.h"

#include "player/engine/query/Parser.h"
#include "sdk/errors.h"

namespace player::query {

Query Query::compile(std::string_view text) {
    ParseError error;
    std::optional<Query> query = try_compile(text, error);
    if (!query) throw sonavel::exception_io_data();
    return std::move(*query);
}

std::optional<Query> Query::try_compile(std::string_view text, ParseError& error) {
    std::optional<QueryTree> tree = parse_query(text, error);
    if (!tree) return std::nullopt;
    return Query(std::move(*tree));
}

bool Query::matches(const sonavel::file_info& info, const char* path) const {
    QueryScratch scratch;
    return matches(info, path, scratch);
}

bool Query::matches(const sonavel::file_info& info, const char* path, QueryScratch& scratch) const {
    return tree_.matches(tree_.root, info, path, scratch);
}

}  // namespace player::query
