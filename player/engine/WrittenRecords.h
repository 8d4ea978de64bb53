#pragma once
// Told of the records the player's tag writing leaves in files, so that what is kept of those files
// elsewhere (the library's database) follows the files at once. Implemented by the library; the tag
// writing engine calls it.
#include <string>
#include <utility>
#include <vector>

#include "sdk/file_info.h"

namespace player {

class WrittenRecords {
public:
    virtual ~WrittenRecords() = default;
    // Right after a group of an update was written, on a thread of that update: each file's path and the
    // record now in it (the one written, or the one another program left there). A failure (thrown) is
    // reported with the update.
    virtual void written(const std::vector<std::pair<std::string, const sonavel::file_info*>>& records) = 0;
};

}  // namespace player
