#include "player/history/HistoryStore.h"

#include <map>
#include <set>

#include "sdk/errors.h"

namespace player::history {
namespace {

constexpr const char* schema = R"sql(
CREATE TABLE IF NOT EXISTS updates(
  id INTEGER PRIMARY KEY,
  kind INTEGER NOT NULL,
  time INTEGER NOT NULL,
  origin TEXT NOT NULL,
  undoes INTEGER NOT NULL DEFAULT 0,
  undone_by INTEGER NOT NULL DEFAULT 0,
  files INTEGER NOT NULL DEFAULT 0,
  fields TEXT NOT NULL DEFAULT '',
  changed_values INTEGER NOT NULL DEFAULT 0,
  finished INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS changes(
  update_id INTEGER NOT NULL,
  path TEXT NOT NULL,
  field TEXT NOT NULL,
  old_values BLOB NOT NULL,
  new_values BLOB NOT NULL);
CREATE INDEX IF NOT EXISTS changes_by_update ON changes(update_id, path);
)sql";

constexpr const char* summary_columns =
    "SELECT id, kind, time, origin, undoes, undone_by, files, fields, changed_values, finished FROM updates ";

UpdateSummary summary_of(db::Statement& row) {
    UpdateSummary s;
    s.id = row.integer(0);
    s.kind = int(row.integer(1));
    s.time = row.integer(2);
    s.origin = row.text(3);
    s.undoes = row.integer(4);
    s.undone_by = row.integer(5);
    s.files = row.integer(6);
    s.fields = row.text(7);
    s.changed_values = row.integer(8);
    s.finished = row.integer(9) != 0;
    return s;
}

}  // namespace

HistoryStore::HistoryStore(const std::string& path) : db_(path) {
    // Each committed group is on the disk itself before the files it describes are written, so that an
    // update stays undoable after a power cut too; the database stays readable while it is written.
    db_.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
    db_.exec(schema);
}

std::int64_t HistoryStore::begin_update(const std::string& origin, std::int64_t time, std::int64_t undoes) {
    std::lock_guard<std::mutex> guard(lock_);
    int kind = UpdateSummary::update;
    if (undoes != 0) {
        std::optional<UpdateSummary> target = summary_locked(undoes);
        kind = target && target->kind == UpdateSummary::undo ? UpdateSummary::redo : UpdateSummary::undo;
    }
    db::Statement insert(db_, "INSERT INTO updates(kind, time, origin, undoes) VALUES(?, ?, ?, ?)");
    insert.bind(1, std::int64_t(kind));
    insert.bind(2, time);
    insert.bind(3, origin);
    insert.bind(4, undoes);
    insert.run();
    return db_.last_insert_rowid();
}

void HistoryStore::record(std::int64_t update, const std::vector<FileChanges>& files) {
    if (files.empty()) return;
    std::lock_guard<std::mutex> guard(lock_);
    db::Transaction transaction(db_);
    db::Statement insert(db_, "INSERT INTO changes(update_id, path, field, old_values, new_values) VALUES(?, ?, ?, ?, ?)");
    for (const FileChanges& file : files) {
        for (const FieldChange& change : file.fields) {
            insert.bind(1, update);
            insert.bind(2, file.path);
            insert.bind(3, change.field);
            insert.bind(4, encode_values(change.before));
            insert.bind(5, encode_values(change.after));
            insert.run();
        }
    }
    transaction.commit();
}

void HistoryStore::forget(std::int64_t update, const std::vector<std::string>& paths) {
    std::lock_guard<std::mutex> guard(lock_);
    db::Transaction transaction(db_);
    db::Statement remove(db_, "DELETE FROM changes WHERE update_id = ? AND path = ?");
    for (const std::string& path : paths) {
        remove.bind(1, update);
        remove.bind(2, path);
        remove.run();
    }
    transaction.commit();
}

std::optional<UpdateSummary> HistoryStore::finish(std::int64_t update) {
    std::lock_guard<std::mutex> guard(lock_);
    db::Transaction transaction(db_);
    std::int64_t files = 0;
    std::int64_t values = 0;
    {
        db::Statement count(db_, "SELECT COUNT(DISTINCT path), COUNT(*) FROM changes WHERE update_id = ?");
        count.bind(1, update);
        if (count.step()) {
            files = count.integer(0);
            values = count.integer(1);
        }
    }
    if (values == 0) {
        db::Statement remove(db_, "DELETE FROM updates WHERE id = ?");
        remove.bind(1, update);
        remove.run();
        transaction.commit();
        return std::nullopt;
    }
    std::string fields;
    {
        db::Statement names(db_, "SELECT DISTINCT field FROM changes WHERE update_id = ? ORDER BY field");
        names.bind(1, update);
        while (names.step()) fields += (fields.empty() ? "" : ", ") + names.text(0);
    }
    db::Statement set(db_, "UPDATE updates SET files = ?, fields = ?, changed_values = ?, finished = 1 WHERE id = ?");
    set.bind(1, files);
    set.bind(2, fields);
    set.bind(3, values);
    set.bind(4, update);
    set.run();
    transaction.commit();
    return summary_locked(update);
}

void HistoryStore::mark_undone(std::int64_t update, std::int64_t by) {
    std::lock_guard<std::mutex> guard(lock_);
    db::Statement set(db_, "UPDATE updates SET undone_by = ? WHERE id = ?");
    set.bind(1, by);
    set.bind(2, update);
    set.run();
}

void HistoryStore::prune(const HistoryLimits& limits) {
    std::lock_guard<std::mutex> guard(lock_);
    // Newest first: an update stays while it is among the newest `updates` or the newest updates up to it
    // hold no more than `changed_values` values. Both only grow with age, so the rest goes from the
    // first update that passes both.
    std::int64_t first_dropped = 0;
    {
        db::Statement walk(db_, "SELECT id, changed_values FROM updates ORDER BY id DESC");
        std::uint64_t position = 0;
        std::uint64_t values = 0;
        while (walk.step()) {
            values += std::uint64_t(walk.integer(1));
            if (position >= limits.updates && values > limits.changed_values) {
                first_dropped = walk.integer(0);
                break;
            }
            ++position;
        }
    }
    if (first_dropped == 0) return;
    db::Transaction transaction(db_);
    db::Statement changes(db_, "DELETE FROM changes WHERE update_id <= ?");
    changes.bind(1, first_dropped);
    changes.run();
    db::Statement updates(db_, "DELETE FROM updates WHERE id <= ?");
    updates.bind(1, first_dropped);
    updates.run();
    transaction.commit();
}

std::vector<UpdateSummary> HistoryStore::recent(std::size_t count) {
    std::lock_guard<std::mutex> guard(lock_);
    db::Statement rows(db_, std::string(summary_columns) + "ORDER BY id DESC LIMIT ?");
    rows.bind(1, std::int64_t(count));
    std::vector<UpdateSummary> out;
    while (rows.step()) out.push_back(summary_of(rows));
    return out;
}

std::optional<UpdateSummary> HistoryStore::summary(std::int64_t update) {
    std::lock_guard<std::mutex> guard(lock_);
    return summary_locked(update);
}

std::optional<UpdateSummary> HistoryStore::summary_locked(std::int64_t update) {
    db::Statement row(db_, std::string(summary_columns) + "WHERE id = ?");
    row.bind(1, update);
    if (!row.step()) return std::nullopt;
    return summary_of(row);
}

std::vector<FileChanges> HistoryStore::changes(std::int64_t update) {
    std::lock_guard<std::mutex> guard(lock_);
    db::Statement rows(db_,
                       "SELECT path, field, old_values, new_values FROM changes WHERE update_id = ? ORDER BY path, rowid");
    rows.bind(1, update);
    std::vector<FileChanges> files;
    while (rows.step()) {
        std::string path = rows.text(0);
        if (files.empty() || files.back().path != path) files.push_back({std::move(path), {}});
        files.back().fields.push_back(
            {rows.text(1), decode_values(rows.blob(2)), decode_values(rows.blob(3))});
    }
    return files;
}

std::optional<std::int64_t> HistoryStore::latest_undoable(bool undos) {
    std::lock_guard<std::mutex> guard(lock_);
    db::Statement row(db_, undos ? "SELECT MAX(id) FROM updates WHERE undone_by = 0 AND kind = 1"
                                 : "SELECT MAX(id) FROM updates WHERE undone_by = 0 AND kind <> 1");
    if (!row.step() || row.is_null(0)) return std::nullopt;
    return row.integer(0);
}

}  // namespace player::history
