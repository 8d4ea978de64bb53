#pragma once
// A prepared SQLite statement, finalized when the object goes. Parameters are 1-based as in SQL
// (?1, ?2...); columns are 0-based. step() returns true while a row is ready; reset() makes the
// statement ready to run again with new parameters.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "player/db/Database.h"

struct sqlite3_stmt;

namespace player::db {

class Statement {
public:
    Statement(Database& db, std::string_view sql);
    Statement(Statement&&) noexcept = default;
    Statement& operator=(Statement&&) noexcept = default;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, const std::vector<std::uint8_t>& blob);
    Statement& bind_null(int index);

    // Runs to the next row: true if one is ready, false when done. Throws on an error.
    bool step();
    // Runs a statement that returns no rows, then resets it for the next use.
    void run();
    void reset();

    bool is_null(int column) const;
    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const noexcept;
    };
    Database* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

}  // namespace player::db
