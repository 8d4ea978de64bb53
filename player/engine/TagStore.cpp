#include "player/engine/TagStore.h"

#include "sdk/errors.h"

namespace player {
namespace {

struct WritesAtCommit final : PreparedWrites {
    WritesAtCommit(std::vector<TagWrite>& w, const std::function<bool(std::size_t)>& p) : writes(w), proceed(p) {}
    std::vector<TagWrite>& writes;
    const std::function<bool(std::size_t)>& proceed;
};

}  // namespace

std::unique_ptr<PreparedWrites> TagStore::prepare(std::vector<TagWrite>& writes,
                                                  const std::function<bool(std::size_t)>& proceed) {
    return std::make_unique<WritesAtCommit>(writes, proceed);
}

void TagStore::commit(PreparedWrites& prepared) {
    auto& group = dynamic_cast<WritesAtCommit&>(prepared);
    write(group.writes, group.proceed);
}

void MemoryTagStore::write(std::vector<TagWrite>& writes, const std::function<bool(std::size_t)>& proceed) {
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (!proceed(i)) return;
        TagWrite& write = writes[i];
        if (before_write) before_write(write.track->get_path());
        std::lock_guard<std::mutex> guard(lock_);
        if (refused_.count(write.track->get_path())) {
            write.outcome = TagWrite::Outcome::failed;
            write.message = sonavel::exception_io_denied().what();
            continue;
        }
        written_.emplace_back(write.track->get_path());
        write.outcome = TagWrite::Outcome::written;
    }
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
