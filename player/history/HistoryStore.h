#pragma once
// The history of tag updates in its own SQLite file (history.db beside player.cfg): each update with its
// time and origin, and for each file it wrote the old and new values of each changed field. Survives a
// restart and a crash of the player (each group of files is committed before it is written). Any thread;
// calls are serialised.
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "player/db/Database.h"
#include "player/db/Statement.h"
#include "player/history/FieldChanges.h"
#include "player/history/HistoryLimits.h"

namespace player::history {

struct UpdateSummary {
    // An undo takes back an update or a redo; a redo takes back an undo.
    enum kind_t : int { update = 0, undo = 1, redo = 2 };

    std::int64_t id = 0;
    int kind = update;
    std::int64_t time = 0;  // seconds since 1970, UTC
    std::string origin;
    std::int64_t undoes = 0;     // the update this one took back (0: none)
    std::int64_t undone_by = 0;  // the update that took this one back (0: none)
    std::int64_t files = 0;
    std::string fields;  // the changed fields' names, ", " between them
    std::int64_t changed_values = 0;
    bool finished = false;  // false: the player stopped while it was written
};

class HistoryStore {
public:
    // Opens or creates the file (UTF-8 path). Throws the host's I/O error when it cannot.
    explicit HistoryStore(const std::string& path);

    std::int64_t begin_update(const std::string& origin, std::int64_t time, std::int64_t undoes);
    // Before the files are written: their changes, in one transaction.
    void record(std::int64_t update, const std::vector<FileChanges>& files);
    // Files of the update that were not written after all.
    void forget(std::int64_t update, const std::vector<std::string>& paths);
    // The update is over: its summary is made; an update that changed nothing is dropped. The summary,
    // or nothing when dropped.
    std::optional<UpdateSummary> finish(std::int64_t update);
    void mark_undone(std::int64_t update, std::int64_t by);
    // Drops the oldest updates beyond the limits.
    void prune(const HistoryLimits& limits);

    // The newest first.
    std::vector<UpdateSummary> recent(std::size_t count);
    std::optional<UpdateSummary> summary(std::int64_t update);
    // The files and their changes, in path order.
    std::vector<FileChanges> changes(std::int64_t update);
    // The newest update not taken back: an update or a redo, or (`undos`) an undo.
    std::optional<std::int64_t> latest_undoable(bool undos);

private:
    std::optional<UpdateSummary> summary_locked(std::int64_t update);

    std::mutex lock_;
    db::Database db_;
};

}  // namespace player::history
