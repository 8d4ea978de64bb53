#include "player/app/PlaylistSort.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace player {

void sort_playlist(PlaylistManager& playlists, std::size_t playlist,
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
    playlists.reorder_items(playlist, order);
}

}  // namespace player
