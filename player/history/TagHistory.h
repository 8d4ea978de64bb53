#pragma once
// The player's history of tag updates: records every update the tag writing engine performs before its
// files are written (the engine's UpdateRecorder), and keeps the history within its limits.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "player/engine/UpdateRecorder.h"
#include "player/history/HistoryLimits.h"
#include "player/history/HistoryStore.h"

namespace player::history {

class TagHistory final : public UpdateRecorder {
public:
    // `path`: the database file (UTF-8). `clock` gives the time of an update (seconds since 1970).
    TagHistory(const std::string& path, HistoryLimits limits, std::function<std::int64_t()> clock = {});

    std::int64_t begin_update(const std::string& origin) override;
    void record(std::int64_t update, const std::vector<TagWrite>& group) override;
    void record_outcomes(std::int64_t update, const std::vector<TagWrite>& group) override;
    void end_update(std::int64_t update) override;

    // The next update to begin takes back `update`. Main thread.
    void next_update_undoes(std::int64_t update) { next_undoes_ = update; }
    // Called on the main thread after each update ended (the history window refreshes).
    std::function<void()> on_changed;

    const HistoryLimits& limits() const noexcept { return limits_; }
    void set_limits(const HistoryLimits& limits);
    HistoryStore& store() noexcept { return store_; }

private:
    HistoryStore store_;
    HistoryLimits limits_;
    std::function<std::int64_t()> clock_;
    std::int64_t next_undoes_ = 0;
};

}  // namespace player::history
