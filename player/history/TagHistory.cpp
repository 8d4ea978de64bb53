#include "player/history/TagHistory.h"

#include <chrono>
#include <utility>

namespace player::history {

TagHistory::TagHistory(const std::string& path, HistoryLimits limits, std::function<std::int64_t()> clock)
    : store_(path), limits_(limits), clock_(std::move(clock)) {
    if (!clock_)
        clock_ = [] {
            return std::int64_t(
                std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
                    .count());
        };
}

std::int64_t TagHistory::begin_update(const std::string& origin) {
    return store_.begin_update(origin, clock_(), std::exchange(next_undoes_, 0));
}

void TagHistory::record(std::int64_t update, const std::vector<TagWrite>& group) {
    std::vector<FileChanges> files;
    files.reserve(group.size());
    for (const TagWrite& write : group) {
        FileChanges file{write.track->get_path(), changed_fields(write.before, write.after)};
        if (!file.fields.empty()) files.push_back(std::move(file));
    }
    store_.record(update, files);
}

void TagHistory::record_outcomes(std::int64_t update, const std::vector<TagWrite>& group) {
    std::vector<std::string> not_written;
    for (const TagWrite& write : group)
        if (write.outcome != TagWrite::Outcome::written) not_written.emplace_back(write.track->get_path());
    if (!not_written.empty()) store_.forget(update, not_written);
}

void TagHistory::end_update(std::int64_t update) {
    std::optional<UpdateSummary> done = store_.finish(update);
    if (done && done->undoes != 0) store_.mark_undone(done->undoes, update);
    store_.prune(limits_);
    if (on_changed) on_changed();
}

void TagHistory::set_limits(const HistoryLimits& limits) {
    limits_ = limits;
    store_.prune(limits_);
}

}  // namespace player::history
