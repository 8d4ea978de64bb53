#pragma once
// The outcome of one tag update in a few words, for the status bar: "Updated 3 files",
// "2 of 5 files were not updated", "Update cancelled: 1 of 5 files updated".
#include <cstddef>
#include <string>

namespace player {

struct UpdateCounts {
    std::size_t files = 0;    // tracks handed to the update
    std::size_t updated = 0;  // files written
    std::size_t failed = 0;   // files that could not be written or were changed by someone else
    bool aborted = false;
};

std::string update_summary(const UpdateCounts& counts);

}  // namespace player
