#pragma once
// What the history window says of one update: each change of a field with its values before and after,
// how many files took it and the first few of their names; the same change in several files is told
// once.
#include <cstddef>
#include <string>
#include <vector>

#include "player/history/FieldChanges.h"

namespace player::history {

// One line per distinct change, for example
//   GENRE: "Rock" -> "Rock"; "Blues" (2 files: 01 a.mp3, 02 b.mp3)
// at most `most_lines` of them (then a line telling how many more), at most `most_names` names each.
std::vector<std::string> describe_changes(const std::vector<FileChanges>& files, std::size_t most_lines = 12,
                                          std::size_t most_names = 3);

}  // namespace player::history
