#pragma once
// Queries over tracks. The query language is the host's (see the host's documentation).
#include <vector>

#include "sdk/metadb.h"

namespace sonavel {

// A compiled query. Implemented by the host; usable from any thread, records read under the lock.
class search_filter : public service_base {
public:
    static constexpr guid class_guid = {0x8639B156, 0x603C, 0x45CB, {0xB1, 0xCB, 0xC1, 0x88, 0xCA, 0x7A, 0x9F, 0xE8}};
    using parent_t = service_base;

    virtual bool test(const metadb_handle_ptr& track, const file_info& info) = 0;
    // Keeps the tracks the query accepts, in order; tracks without a record are dropped.
    virtual void filter(metadb_handle_list& tracks) = 0;
};

// Implemented by the host; any thread.
class search_filter_service : public service_base {
public:
    static constexpr guid class_guid = {0x37798C41, 0x3758, 0x428A, {0xA3, 0x79, 0x46, 0xA7, 0x04, 0x8C, 0xB7, 0xF8}};
    using parent_t = service_base;

    // Compiles a query; an invalid one raises the host's data error naming the fault.
    virtual service_ptr_t<search_filter> create(const char* query) = 0;
};

}  // namespace sonavel
