#pragma once
// An open SQLite database: one connection, closed when the object goes. Errors throw `DatabaseError`
// with SQLite's own message. A connection may be used by one thread at a time.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

struct sqlite3;

namespace player::db {

class DatabaseError : public std::runtime_error {
public:
    DatabaseError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    // SQLite's primary result code (SQLITE_CORRUPT, SQLITE_NOTADB, SQLITE_FULL...).
    int code() const noexcept { return code_; }

private:
    int code_;
};

class Database {
public:
    // Opens (creating if missing) the database at a UTF-8 path.
    explicit Database(const std::string& path);
    Database(Database&&) noexcept = default;
    Database& operator=(Database&&) noexcept = default;

    // Runs one or more statements that return no rows.
    void exec(const std::string& sql);
    std::int64_t last_insert_rowid() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const;
    sqlite3* handle() const noexcept { return db_.get(); }

    // Throws DatabaseError for a result code that is not SQLITE_OK (or `allowed`).
    void check(int rc, int allowed = 0) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

// BEGIN IMMEDIATE on construction; ROLLBACK on destruction unless commit() was called.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool open_ = true;
};

}  // namespace player::db
