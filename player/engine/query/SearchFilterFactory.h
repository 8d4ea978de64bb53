#pragma once
// The query service: compiles queries into search filters.
#include "sdk/search.h"

namespace player {

class SearchFilterFactory : public sonavel::search_filter_service {
public:
    using interface_t = sonavel::search_filter_service;

    // Raises sonavel::exception_io_data for an invalid query (query::Query::try_compile tells why).
    sonavel::service_ptr_t<sonavel::search_filter> create(const char* query) override;
};

}  // namespace player
