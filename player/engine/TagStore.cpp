#include "player/engine/TagStore.h"

namespace player {

void MemoryTagStore::write(const sonavel::metadb_handle_ptr& track, const sonavel::file_info&,
                           sonavel::abort_callback& abort) {
    abort.check();
    std::lock_guard<std::mutex> guard(lock_);
    if (refused_.count(track->get_path())) throw sonavel::exception_io_data();
    written_.emplace_back(track->get_path());
}

void MemoryTagStore::refuse(const std::string& path) {
    std::lock_guard<std::mutex> guard(lock_);
    refused_.insert(path);
}

std::vector<std::string> MemoryTagStore::written() const {
    std::lock_guard<std::mutex> guard(lock_);
    return written_;
}

void MemoryTagStore::clear_log() {
    std::lock_guard<std::mutex> guard(lock_);
    written_.clear();
}

}  // namespace player
