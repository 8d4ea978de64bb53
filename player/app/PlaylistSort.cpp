#include "player/app/PlaylistSort.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace player {

void sort_playlist(sonavel::playlist_service& playlists, std::size_t playlist,
                   const std::function<std::wstring(std::size_t item)>& key, bool descending) {
    std::size_t count = playlists.get_item_count(playlist);
    if (count < 2) return;
    std::vector<std::wstring> keys(count);
    for (std::size_t i = 0; i < count; ++i) keys[i] = key(i);
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        int compared = StrCmpLogicalW(keys[a].c_str(), keys[b].c_str());
        return descending ? compared > 0 : compared < 0;
    });
    if (std::is_sorted(order.begin(), order.end())) return;

    sonavel::metadb_handle_list tracks, sorted;
    std::vector<bool> was_selected(count), selected(count);
    playlists.enum_items(playlist, sonavel::bit_array_true(),
                         [&](std::size_t index, const sonavel::metadb_handle_ptr& track, bool is_selected) {
                             tracks.push_back(track);
                             was_selected[index] = is_selected;
                             return true;
                         });
    if (tracks.size() != count) return;
    std::size_t focus = playlists.get_focus_item(playlist), new_focus = sonavel::no_item;
    for (std::size_t at = 0; at < count; ++at) {
        sorted.push_back(tracks[order[at]]);
        selected[at] = was_selected[order[at]];
        if (order[at] == focus) new_focus = at;
    }
    playlists.remove_items(playlist, sonavel::bit_array_true());
    playlists.insert_items(playlist, 0, sorted, sonavel::bit_array_bittable(std::move(selected)));
    if (new_focus != sonavel::no_item) playlists.set_focus_item(playlist, new_focus);
}

}  // namespace player
