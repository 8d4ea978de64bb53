#pragma once
// Paths as the file system compares them: the same file whatever the letter case of its name (Windows'
// own upper-casing decides which letters pair up). The library keeps one spelling of each path, the
// first it met, so that a folder named in other letters on the command line finds the files it holds.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "player/library/LibraryScan.h"

namespace player::library {

// The form two spellings of one path share.
std::string path_key(std::string_view path);
bool same_path(std::string_view a, std::string_view b);

// A listing of folders whose paths the library does not know as they are (new files, or files named in
// other letters) come in the spelling the library knows them by, or the first met. `known` is what the
// library knows; the spellings are gathered at the first path not known as it is.
using KnownFiles = std::unordered_map<std::string, FileStamp>;
using FolderListing = std::function<std::vector<FoundFile>(const std::string& folder)>;
FolderListing listed_as_known(FolderListing list, std::shared_ptr<const KnownFiles> known);

// The spelling first met of each path.
class PathSpellings {
public:
    // The spelling met first for `path`, remembering `path` as that spelling when it is new.
    const std::string& spelling(const std::string& path);
    bool contains(const std::string& path) const { return by_key_.count(path_key(path)) != 0; }

private:
    std::unordered_map<std::string, std::string> by_key_;
};

}  // namespace player::library
