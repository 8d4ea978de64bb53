#include "player/engine/query/SearchFilter.h"

#include <string_view>

#include "sdk/metadb.h"

namespace player {

namespace {

std::string_view path_of(const sonavel::metadb_handle* track) {
    const char* path = track ? track->get_path() : nullptr;
    return path ? std::string_view(path) : std::string_view();
}

}  // namespace

bool SearchFilter::test(const sonavel::metadb_handle_ptr& track, const sonavel::file_info& info) {
    query::QueryScratch scratch;
    return query_.matches(info, path_of(track.get_ptr()), scratch);
}

void SearchFilter::filter(sonavel::metadb_handle_list& tracks) {
    // Kept tracks go to a new list so that a failure part-way leaves the caller's list whole.
    sonavel::metadb_handle_list kept;
    query::QueryScratch scratch;
    {
        sonavel::metadb_read_lock lock;
        for (const sonavel::metadb_handle_ptr& track : tracks) {
            const sonavel::file_info* info = track.is_valid() ? track->get_info_locked() : nullptr;
            if (info && query_.matches(*info, path_of(track.get_ptr()), scratch)) kept.push_back(track);
        }
    }
    tracks.swap(kept);
}

}  // namespace player
