#pragma once
// A compiled query over track records (docs/query-language.md).
#include <optional>
#include <string_view>

#include "player/engine/query/Condition.h"
#include "player/engine/query/ParseError.h"
#include "player/engine/query/QueryTree.h"
#include "sdk/file_info.h"

namespace player::query {

class Query {
public:
    // Raises sonavel::exception_io_data, with the host's fixed message, for an invalid query.
    static Query compile(std::string_view text);
    // Nothing for an invalid query; `error` then tells where and why.
    static std::optional<Query> try_compile(std::string_view text, ParseError& error);

    // `path` is the track's location, seen by title-formatting left sides (nullptr: none).
    bool matches(const sonavel::file_info& info, const char* path = nullptr) const;
    // For callers that test many records: `scratch` keeps its buffers between calls.
    bool matches(const sonavel::file_info& info, const char* path, QueryScratch& scratch) const;

private:
    explicit Query(QueryTree tree) : tree_(std::move(tree)) {}
    QueryTree tree_;
};

}  // namespace player::query
