// A process killed while it imports into the library database leaves a database that opens, with
// whole batches only.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "player/db/Statement.h"
#include "player/library/LibraryDatabase.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using namespace player::library;

constexpr std::size_t batch = 200;

#ifndef _WIN32
// Writes batches of tracks until it is killed.
[[noreturn]] void import_forever(const std::string& path) {
    LibraryDatabase database(path);
    database.add_folder("/m");
    for (std::size_t n = 0;; n += batch) {
        std::vector<StoredTrack> tracks(batch);
        std::vector<const StoredTrack*> rows;
        for (std::size_t i = 0; i < batch; ++i) {
            tracks[i].path = "/m/" + std::to_string(n + i) + ".mp3";
            tracks[i].stamp = {std::int64_t(1000 + i), std::int64_t(n)};
            tracks[i].record.meta_add("ARTIST", ("Artist " + std::to_string(n + i)).c_str());
            tracks[i].record.meta_add("TITLE", std::string(300, 't').c_str());
            rows.push_back(&tracks[i]);
        }
        database.write(rows, {});
    }
}

std::int64_t stored_tracks(const std::string& path) {
    try {
        player::db::Database db(path);
        player::db::Statement count(db, "SELECT count(*) FROM tracks");
        return count.step() ? count.integer(0) : 0;
    } catch (const std::exception&) {
        return 0;  // not made yet, or busy
    }
}

TEST(LibraryCrash, AKillDuringAnImportLeavesADatabaseThatOpensWithWholeBatches) {
    fs::path folder = fs::temp_directory_path() / ("library_crash_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string path = (folder / "library.db").string();
    for (int round = 0; round < 3; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                import_forever(path);
            } catch (...) {
            }
            _exit(3);
        }
        // Once it has stored something, let it write on a while (each round a little longer), then kill it
        // in the middle of whatever it is doing.
        for (int wait = 0; wait < 400 && stored_tracks(path) == 0; ++wait) usleep(25'000);
        usleep(useconds_t(30'000 + 70'000 * round));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the importer ended on its own with " << status;

        OpenedLibrary opened = open_library(path);
        EXPECT_TRUE(opened.set_aside_as.empty()) << opened.problem;
        EXPECT_GT(opened.tracks.size(), 0u);
        EXPECT_EQ(opened.tracks.size() % batch, 0u) << "a batch is stored whole or not at all";
        EXPECT_EQ(opened.database->folders(), (std::vector<std::string>{"/m"}));
    }
    fs::remove_all(folder);
}
#endif

}  // namespace
