#pragma once
// Stable sorting of tracks by texts in the logical order (logical_compare.h).
#include <string>
#include <vector>

#include "sdk/metadb.h"

namespace player {

// Reorders `tracks` (and `texts`, the text of each track, alongside) so that the texts ascend; tracks with
// equal texts keep their order.
void sort_logically(sonavel::metadb_handle_list& tracks, std::vector<std::string>& texts);

}  // namespace player
