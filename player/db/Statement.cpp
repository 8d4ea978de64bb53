#include "player/db/Statement.h"

#include <sqlite3.h>

namespace player::db {

void Statement::Finalizer::operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }

Statement::Statement(Database& db, std::string_view sql) : db_(&db) {
    sqlite3_stmt* raw = nullptr;
    db.check(sqlite3_prepare_v2(db.handle(), sql.data(), int(sql.size()), &raw, nullptr));
    statement_.reset(raw);
}

Statement& Statement::bind(int index, std::int64_t value) {
    db_->check(sqlite3_bind_int64(statement_.get(), index, value));
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    // Empty text is text, not NULL: a non-null pointer is passed for it.
    db_->check(sqlite3_bind_text(statement_.get(), index, text.empty() ? "" : text.data(), int(text.size()),
                                 SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bind(int index, const std::vector<std::uint8_t>& blob) {
    db_->check(sqlite3_bind_blob(statement_.get(), index, blob.empty() ? "" : static_cast<const void*>(blob.data()),
                                 int(blob.size()), SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bind_null(int index) {
    db_->check(sqlite3_bind_null(statement_.get(), index));
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    // The statement must be reset before it is used again; the error stays the step's.
    DatabaseError error(rc & 0xff, sqlite3_errmsg(db_->handle()));
    sqlite3_reset(statement_.get());
    throw error;
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(statement_.get());
    sqlite3_clear_bindings(statement_.get());
}

bool Statement::is_null(int column) const { return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL; }

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_.get(), column); }

std::string Statement::text(int column) const {
    auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    return text ? std::string(text, size_t(sqlite3_column_bytes(statement_.get(), column))) : std::string();
}

std::vector<std::uint8_t> Statement::blob(int column) const {
    auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_.get(), column));
    return data ? std::vector<std::uint8_t>(data, data + sqlite3_column_bytes(statement_.get(), column))
                : std::vector<std::uint8_t>();
}

}  // namespace player::db
