#include "sdk/metadb.h"

#include <algorithm>

#include "sdk/core_api.h"

namespace sonavel {

metadb_read_lock::metadb_read_lock() : db_(standard_api_create_t<metadb>()) { db_->database_lock(); }

metadb_read_lock::~metadb_read_lock() { db_->database_unlock(); }

void sort_by_pointer(metadb_handle_list& tracks) {
    std::sort(tracks.begin(), tracks.end(), [](const metadb_handle_ptr& a, const metadb_handle_ptr& b) {
        return std::less<const metadb_handle*>{}(a.get_ptr(), b.get_ptr());
    });
}

bool contains_sorted(const metadb_handle_list& sorted, const metadb_handle_ptr& track) {
    return std::binary_search(sorted.begin(), sorted.end(), track, [](const metadb_handle_ptr& a, const metadb_handle_ptr& b) {
        return std::less<const metadb_handle*>{}(a.get_ptr(), b.get_ptr());
    });
}

}  // namespace sonavel
