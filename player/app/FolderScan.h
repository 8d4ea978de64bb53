#pragma once
// The files below a folder, for adding a music folder to the library.
#include <string>
#include <vector>

namespace player {

// Every file in the folder and its subfolders, each folder's files before its subfolders, names in
// case-insensitive order. A folder that cannot be read gives nothing. Copies the tag writer left behind
// when a process ended during a write are removed.
std::vector<std::wstring> files_under(const std::wstring& folder);

}  // namespace player
