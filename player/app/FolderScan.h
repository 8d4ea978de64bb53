#pragma once
// The files below a folder, for adding a music folder to the library.
#include <cstdint>
#include <string>
#include <vector>

namespace player {

// Every file in the folder and its subfolders, each folder's files before its subfolders, names in
// case-insensitive order. A folder that cannot be read gives nothing. Copies the tag writer left behind
// when a process ended during a write are removed.
std::vector<std::wstring> files_under(const std::wstring& folder);

// The same files with their size and time of last write (as the system keeps it, in 100 ns steps).
struct FolderEntry {
    std::wstring path;
    std::uint64_t size = 0;
    std::uint64_t write_time = 0;
};
std::vector<FolderEntry> entries_under(const std::wstring& folder);

}  // namespace player
