#include "player/engine/query/SearchFilterFactory.h"

#include "player/engine/query/SearchFilter.h"

namespace player {

sonavel::service_ptr_t<sonavel::search_filter> SearchFilterFactory::create(const char* text) {
    if (!text) throw sonavel::exception_io_data();
    return sonavel::service_impl_t<SearchFilter>::create(query::Query::compile(text));
}

}  // namespace player
