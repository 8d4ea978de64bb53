#pragma once
// Sorting a playlist by a text of each item, in the platform's natural order (numbers by their value,
// letters without regard to case), keeping the order of equal items and which items are selected and
// focused. The items are reordered in place, so listeners see a reorder and nothing else (a panel's
// unwritten ticks stay unwritten). Main thread.
#include <cstddef>
#include <functional>
#include <string>

#include "player/engine/PlaylistManager.h"

namespace player {

void sort_playlist(PlaylistManager& playlists, std::size_t playlist,
                   const std::function<std::wstring(std::size_t item)>& key, bool descending);

}  // namespace player
