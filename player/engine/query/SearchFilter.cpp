#include "player/engine/query/SearchFilter.h"

#include <vector>

#include "sdk/metadb.h"

namespace player {

namespace {

const char* path_of(const sonavel::metadb_handle* track) { return track ? track->get_path() : nullptr; }

}  // namespace

bool SearchFilter::test(const sonavel::metadb_handle_ptr& track, const sonavel::file_info& info) {
    query::QueryScratch scratch;
    return query_.matches(info, path_of(track.get_ptr()), scratch);
}

void SearchFilter::filter(sonavel::metadb_handle_list& tracks) {
    // Everything that may throw happens before the list changes, which then leaves it whole on failure;
    // compacting in place spares the reference counting of a second list.
    std::vector<char> keep(tracks.size());
    query::QueryScratch scratch;
    {
        sonavel::metadb_read_lock lock;
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            const sonavel::metadb_handle* track = tracks[i].get_ptr();
            const sonavel::file_info* info = track ? track->get_info_locked() : nullptr;
            keep[i] = info && query_.matches(*info, path_of(track), scratch);
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (keep[i] && kept != i) tracks[kept] = std::move(tracks[i]);
        kept += keep[i] ? 1 : 0;
    }
    tracks.erase(tracks.begin() + std::ptrdiff_t(kept), tracks.end());
}

}  // namespace player
