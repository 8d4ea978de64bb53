#pragma once
// A compiled query as the SDK hands it out.
#include "player/engine/query/Query.h"
#include "sdk/search.h"

namespace player {

class SearchFilter : public sonavel::search_filter {
public:
    using interface_t = sonavel::search_filter;

    explicit SearchFilter(query::Query query) : query_(std::move(query)) {}

    bool test(const sonavel::metadb_handle_ptr& track, const sonavel::file_info& info) override;
    // Reads the records under the database read lock (a host is needed).
    void filter(sonavel::metadb_handle_list& tracks) override;

    const query::Query& query() const noexcept { return query_; }

private:
    query::Query query_;
};

}  // namespace player
