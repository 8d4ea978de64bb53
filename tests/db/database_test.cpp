#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "player/db/Database.h"
#include "player/db/Statement.h"

namespace fs = std::filesystem;
using player::db::Database;
using player::db::DatabaseError;
using player::db::Statement;
using player::db::Transaction;

namespace {

struct DatabaseFile : ::testing::Test {
    fs::path path = fs::temp_directory_path() / ("db_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
    void SetUp() override { fs::remove(path); }
    void TearDown() override { fs::remove(path); }
};

}  // namespace

TEST_F(DatabaseFile, TextBlobsAndIntegersComeBackAsStoredAcrossAReopen) {
    const std::string text = "Ambient\xE3\x83\x86\xE3\x82\xAF\xE3\x83\x8E";  // UTF-8, non-ASCII
    const std::vector<std::uint8_t> blob{0, 1, 0xff, 0, 7};
    {
        Database db(path.string());
        db.exec("CREATE TABLE t(id INTEGER PRIMARY KEY, name TEXT, data BLOB, size INTEGER)");
        Statement insert(db, "INSERT INTO t(name, data, size) VALUES (?1, ?2, ?3)");
        insert.bind(1, text).bind(2, blob).bind(3, std::int64_t(5'000'000'000)).run();
        insert.bind(1, std::string_view()).bind_null(2).bind(3, std::int64_t(-1)).run();
        EXPECT_EQ(db.last_insert_rowid(), 2);
    }
    Database db(path.string());
    Statement select(db, "SELECT name, data, size FROM t ORDER BY id");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.text(0), text);
    EXPECT_EQ(select.blob(1), blob);
    EXPECT_EQ(select.integer(2), 5'000'000'000);
    ASSERT_TRUE(select.step());
    EXPECT_FALSE(select.is_null(0));  // empty text stays text
    EXPECT_EQ(select.text(0), "");
    EXPECT_TRUE(select.is_null(1));
    EXPECT_FALSE(select.step());
}

TEST_F(DatabaseFile, ATransactionLeftByAnExceptionIsRolledBack) {
    Database db(path.string());
    db.exec("CREATE TABLE t(v INTEGER UNIQUE)");
    try {
        Transaction transaction(db);
        Statement insert(db, "INSERT INTO t(v) VALUES (?1)");
        insert.bind(1, std::int64_t(1)).run();
        insert.bind(1, std::int64_t(1)).run();  // violates UNIQUE: throws
        transaction.commit();
        FAIL() << "the second insert should have thrown";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.code(), 19);  // SQLITE_CONSTRAINT
    }
    Statement count(db, "SELECT count(*) FROM t");
    ASSERT_TRUE(count.step());
    EXPECT_EQ(count.integer(0), 0);

    {
        Transaction transaction(db);
        Statement(db, "INSERT INTO t(v) VALUES (2)").run();
        transaction.commit();
    }
    count.reset();
    ASSERT_TRUE(count.step());
    EXPECT_EQ(count.integer(0), 1);
}

TEST_F(DatabaseFile, AFileThatIsNoDatabaseIsReportedAsSuchNotOpenedEmpty) {
    {
        std::ofstream junk(path, std::ios::binary);
        junk << std::string(4096, 'x');
    }
    try {
        Database db(path.string());
        db.exec("SELECT count(*) FROM sqlite_master");
        FAIL() << "a file of junk was read as a database";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.code(), 26);  // SQLITE_NOTADB
    }
}
