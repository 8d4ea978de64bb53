#pragma once
// Ordering tracks by a title-formatting pattern: each track is formatted once, and the texts are compared
// with the platform's logical comparison (no regard to case, digit runs by value); equal texts keep their
// order. Large lists are formatted by several threads.
#include <cstddef>

#include "sdk/metadb.h"
#include "sdk/titleformat.h"

namespace quennet {

// Lists this long or longer are formatted by worker threads.
inline constexpr std::size_t threaded_sort_minimum = 256;

// How many threads format `tracks` tracks: none below the minimum, else one per 128 tracks but no more
// than `processors` (at least one).
std::size_t format_thread_count(std::size_t tracks, std::size_t processors) noexcept;
// The processors this process may run on (at least one).
std::size_t available_processors() noexcept;

void sort_tracks_by_format(sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& pattern);

}  // namespace quennet
