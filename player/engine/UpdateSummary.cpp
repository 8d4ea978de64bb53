#include "player/engine/UpdateSummary.h"

namespace player {
namespace {
std::string files(std::size_t n) { return std::to_string(n) + (n == 1 ? " file" : " files"); }
}  // namespace

std::string update_summary(const UpdateCounts& counts) {
    if (counts.aborted)
        return "Update cancelled: " + std::to_string(counts.updated) + " of " + files(counts.files) + " updated";
    if (counts.failed > 0) {
        if (counts.failed == counts.files) return files(counts.failed) + (counts.failed == 1 ? " was" : " were") + " not updated";
        return std::to_string(counts.failed) + " of " + files(counts.files) + (counts.failed == 1 ? " was" : " were") +
               " not updated";
    }
    if (counts.updated == 0) return "No file needed an update";
    return "Updated " + files(counts.updated);
}

}  // namespace player
