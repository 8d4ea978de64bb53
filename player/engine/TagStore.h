#pragma once
// Where the tag writer puts new records: files (the player's tag writer) or memory (in tests).
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sdk/file_info.h"
#include "sdk/metadb.h"

namespace player {

// One track's update: the record it was composed from and the record wanted. The store writes the
// fields that differ, and fills in the outcome.
struct TagWrite {
    enum class Outcome { skipped, written, changed_elsewhere, failed };

    sonavel::metadb_handle_ptr track;
    sonavel::file_info_impl before;
    sonavel::file_info_impl after;

    Outcome outcome = Outcome::skipped;
    std::string message;  // why it failed or was not written, for the user
    // The fields in the file now, when they were changed by another program since they were read.
    std::optional<sonavel::file_info_impl> on_disk;
};

// A group of writes made ready by TagStore::prepare, waiting for its commit.
class PreparedWrites {
public:
    virtual ~PreparedWrites() = default;
};

class TagStore {
public:
    virtual ~TagStore() = default;
    // Writes each update, filling in its outcome; asks `proceed(i)` before the i-th and leaves it and
    // the rest skipped when it says no. Worker thread.
    virtual void write(std::vector<TagWrite>& writes, const std::function<bool(std::size_t)>& proceed) = 0;

    // The same in two steps, so that one group's files go to disk (commit, on a thread of its own) while
    // the next group is checked: prepare looks at the files, commit writes them and fills in the outcomes.
    // `writes` and `proceed` live until the commit returns; one commit at a time, in the order of the
    // prepares, and a prepare may run beside it. A store that cannot split the work writes at commit.
    virtual std::unique_ptr<PreparedWrites> prepare(std::vector<TagWrite>& writes,
                                                    const std::function<bool(std::size_t)>& proceed);
    virtual void commit(PreparedWrites& prepared);
};

// Keeps what was written, by location, and can be told to refuse locations (a read-only file).
class MemoryTagStore final : public TagStore {
public:
    void write(std::vector<TagWrite>& writes, const std::function<bool(std::size_t)>& proceed) override;

    void refuse(const std::string& path);
    // Locations in the order they were written (a location written twice appears twice).
    std::vector<std::string> written() const;
    void clear_log();
    // Called with each location just before it is written (tests press Cancel there).
    std::function<void(const std::string&)> before_write;

private:
    mutable std::mutex lock_;
    std::set<std::string> refused_;
    std::vector<std::string> written_;
};

}  // namespace player
