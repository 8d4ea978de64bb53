#include "player/db/Database.h"

#include <sqlite3.h>

namespace player::db {

void Database::Closer::operator()(sqlite3* db) const noexcept {
    // Statements are finalized by their owners first; v2 defers the close if one is still alive.
    sqlite3_close_v2(db);
}

Database::Database(const std::string& path) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    db_.reset(raw);  // sqlite3_open_v2 hands out a handle even on failure; it must be closed
    if (rc != SQLITE_OK) {
        std::string message = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
        throw DatabaseError(rc & 0xff, message);
    }
    sqlite3_extended_result_codes(raw, 0);
    // Another connection (a second instance, a tool) holding a write lock is waited for briefly.
    sqlite3_busy_timeout(raw, 2000);
}

void Database::check(int rc, int allowed) const {
    if (rc == SQLITE_OK || (allowed != 0 && rc == allowed)) return;
    throw DatabaseError(rc & 0xff, sqlite3_errmsg(db_.get()));
}

void Database::exec(const std::string& sql) {
    check(sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr));
}

std::int64_t Database::last_insert_rowid() const { return sqlite3_last_insert_rowid(db_.get()); }

int Database::changes() const { return sqlite3_changes(db_.get()); }

Transaction::Transaction(Database& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
    if (!open_) return;
    // A failed statement may already have ended the transaction; then there is nothing to undo.
    if (!sqlite3_get_autocommit(db_.handle())) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    db_.exec("COMMIT");
    open_ = false;
}

}  // namespace player::db
