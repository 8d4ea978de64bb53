// The player's own tag writing and the library: every write reaches the stored records, sizes and times
// at once, so that a restart shows what was written without reading the files again; files gone from the
// disk leave every playlist; paths that differ only in letter case are one file.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "player/library/LibraryDatabase.h"
#include "player/library/PathCase.h"
#include "tests/library/library_fixture.h"

namespace library_test {
namespace {

using player::library::LibraryDatabase;
using player::library::StoredTrack;

// Writes each update's record into the disk held in memory, as the player's tag writer writes files.
class DiskTagStore final : public player::TagStore {
public:
    explicit DiskTagStore(FakeDisk& disk) : disk_(disk) {}
    void write(std::vector<player::TagWrite>& writes, const std::function<bool(std::size_t)>& proceed) override {
        for (std::size_t i = 0; i < writes.size(); ++i) {
            if (!proceed(i)) return;
            disk_.put_record(writes[i].track->get_path(), writes[i].after);
            writes[i].outcome = player::TagWrite::Outcome::written;
        }
    }

private:
    FakeDisk& disk_;
};

class SetGenre : public sonavel::file_info_filter {
public:
    using interface_t = sonavel::file_info_filter;
    explicit SetGenre(std::string value) : value_(std::move(value)) {}
    bool apply_filter(const sonavel::metadb_handle_ptr&, sonavel::file_info& info) override {
        const std::size_t field = info.meta_find("GENRE");
        if (field != sonavel::file_info::npos) info.meta_remove_field(field);
        info.meta_add("GENRE", value_.c_str());
        return true;
    }

private:
    std::string value_;
};

class LibraryWrites : public Library {
protected:
    void start_writing_to_disk() {
        start();
        engines_->tags = &tags_;
    }
    // Sets GENRE of the tracks through the player's tag writing engine and waits for its end.
    void write_genre(const std::vector<std::string>& paths, const std::string& genre) {
        sonavel::metadb_handle_list tracks;
        for (const auto& path : paths) tracks.push_back(engines_->store.handle_create(path.c_str(), 0));
        engines_->io.update_info_async(tracks, sonavel::service_impl_t<SetGenre>::create(genre), nullptr, 0, {});
        ASSERT_TRUE(engines_->run_until_idle(20000));
    }
    std::vector<StoredTrack> stored() {
        LibraryDatabase database(this->database());
        return database.tracks();
    }
    const StoredTrack* stored_track(const std::vector<StoredTrack>& tracks, const std::string& path) {
        for (const auto& t : tracks)
            if (t.path == path) return &t;
        return nullptr;
    }

    DiskTagStore tags_{disk_};
};

TEST_F(LibraryWrites, AWriteStoresTheNewRecordSizeAndTimeAtOnce) {
    start_writing_to_disk();
    sync_->add_folder("/m");
    wait_for_scan();
    write_genre({"/m/a.mp3", "/m/b.mp3"}, "Blues");
    // Read while the player still runs: nothing waits for its end.
    auto tracks = stored();
    for (const char* path : {"/m/a.mp3", "/m/b.mp3"}) {
        SCOPED_TRACE(path);
        const StoredTrack* track = stored_track(tracks, path);
        ASSERT_NE(track, nullptr);
        EXPECT_STREQ(track->record.meta_get("GENRE"), "Blues");
        EXPECT_EQ(track->stamp, *disk_.sources().stamp(path)) << "the size and time the file has now";
    }
    EXPECT_STREQ(stored_track(tracks, "/m/sub/c.mp3")->record.meta_get("ARTIST"), "Cid") << "others untouched";
}

TEST_F(LibraryWrites, ARestartOnAnotherFolderShowsTheWrittenValuesWithoutReadingTheFile) {
    start_writing_to_disk();
    sync_->add_folder("/m");
    sync_->add_folder("/other");
    wait_for_scan();
    write_genre({"/m/a.mp3"}, "Blues");
    stop();
    const std::size_t reads = disk_.reads();
    start_writing_to_disk();
    // Only the other folder is scanned, as when the command line names it.
    sync_->add_folder("/other");
    wait_for_scan();
    EXPECT_EQ(field("/m/a.mp3", "GENRE"), "Blues");
    sync_->scan();
    wait_for_scan();
    EXPECT_EQ(disk_.reads(), reads) << "the stored size and time are the file's: nothing is read again";
}

TEST_F(LibraryWrites, AStartNamingAnotherFolderChecksEveryLibraryFolder) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    auto& playlists = engines_->playlists;
    std::size_t mine = playlists.create_playlist("Mine", sonavel::no_item);
    playlists.add_items_unselected(mine, {engines_->store.handle_create("/m/a.mp3", 0), engines_->store.handle_create("/m/b.mp3", 0)});
    stop();
    disk_.remove("/m/a.mp3");
    disk_.put("/m/b.mp3", {{"ARTIST", {"Bob"}}, {"GENRE", {"Jazz"}}}, 1200);
    start();
    sync_->add_folders_and_scan({"/other"});
    wait_for_scan();
    EXPECT_EQ(sync_->folders(), (std::vector<std::string>{"/m", "/other"}));
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/b.mp3", "/m/sub/c.mp3", "/other/x.mp3"}));
    EXPECT_EQ(playlist_paths(1), (std::vector<std::string>{"/m/b.mp3"}));
    EXPECT_EQ(field("/m/b.mp3", "GENRE"), "Jazz");
}

TEST_F(LibraryWrites, AFileAScanReadJustBeforeThePlayerWroteItIsReadAgainByAScanAfter) {
    start_writing_to_disk();
    sync_->add_folder("/m");
    wait_for_scan();
    stop();
    disk_.put("/m/b.mp3", {{"ARTIST", {"Bob"}}, {"GENRE", {"Jazz"}}}, 1200);
    start_writing_to_disk();
    // The scan reads the file, then waits while the player writes it: what it stores after is old.
    std::atomic<bool> written{false};
    disk_.after_read = [&](const std::string& path) {
        if (path != "/m/b.mp3") return;
        for (int i = 0; i < 2000 && !written; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    sync_->scan();
    ASSERT_TRUE(engines_->run_until([&] { return disk_.reads() > 0; }, 20000));
    write_genre({"/m/b.mp3"}, "Blues");
    written = true;
    ASSERT_TRUE(engines_->run_until([&] { return !sync_->scanning(); }, 20000));
    disk_.after_read = nullptr;
    EXPECT_EQ(field("/m/b.mp3", "GENRE"), "Blues");
    restart();
    EXPECT_EQ(field("/m/b.mp3", "GENRE"), "Blues");
}

TEST_F(LibraryWrites, AFileRemovedFromDiskLeavesTheUsersPlaylistsAndHasNoRecord) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    auto& playlists = engines_->playlists;
    std::size_t mine = playlists.create_playlist("Mine", sonavel::no_item);
    playlists.add_items_unselected(mine, {engines_->store.handle_create("/m/b.mp3", 0), engines_->store.handle_create("/m/a.mp3", 0)});
    disk_.remove("/m/a.mp3");
    sync_->scan();
    wait_for_scan();
    EXPECT_EQ(playlist_paths(mine), (std::vector<std::string>{"/m/b.mp3"}));
    EXPECT_EQ(field("/m/a.mp3", "ARTIST"), "(no record)") << "no longer shown as a live track";
    restart();
    EXPECT_EQ(playlist_paths(playlists_names().size() - 1), (std::vector<std::string>{"/m/b.mp3"}));
}

TEST_F(LibraryWrites, AStoredPlaylistItemTheLibraryNoLongerHoldsIsLeftOutAtStart) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    auto& playlists = engines_->playlists;
    std::size_t mine = playlists.create_playlist("Mine", sonavel::no_item);
    playlists.add_items_unselected(mine, {engines_->store.handle_create("/m/a.mp3", 0), engines_->store.handle_create("/gone/z.mp3", 0)});
    restart();
    ASSERT_EQ(playlists_names(), (std::vector<std::string>{"Library", "Mine"}));
    EXPECT_EQ(playlist_paths(1), (std::vector<std::string>{"/m/a.mp3"}));
    EXPECT_TRUE(console_has("1 item(s) of the playlist \"Mine\" left out"));
}

TEST_F(LibraryWrites, AFolderNamedInOtherLettersHoldsTheSameFiles) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    EXPECT_FALSE(sync_->add_folder("/M")) << "the same folder";
    wait_for_scan();
    EXPECT_EQ(sync_->folders(), (std::vector<std::string>{"/m"}));
    EXPECT_TRUE(sync_->add_folder("/M/SUB")) << "a folder of its own, holding files the library knows";
    wait_for_scan();
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/a.mp3", "/m/b.mp3", "/m/sub/c.mp3"}));
    EXPECT_EQ(sync_->track_count(), 3u);
    restart();
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/a.mp3", "/m/b.mp3", "/m/sub/c.mp3"}));
    sync_->remove_folder("/M");
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/sub/c.mp3"})) << "still below /M/SUB";
}

TEST(LibraryDatabaseCase, TracksStoredUnderTwoSpellingsOfOnePathAreOneTrackAtTheNextOpen) {
    const fs::path folder = fs::temp_directory_path() / "library_case_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "library.db").string();
    {
        LibraryDatabase database(path);
        StoredTrack first{"C:\\Music\\Été\\a.mp3", {10, 1}, {}};
        StoredTrack second{"c:\\music\\ÉTÉ\\A.MP3", {10, 2}, {}};
        StoredTrack other{"C:\\Music\\b.mp3", {10, 3}, {}};
        database.write({&first, &second, &other}, {});
    }
    {
        auto opened = player::library::open_library(path);
        ASSERT_EQ(opened.tracks.size(), 2u);
        EXPECT_EQ(opened.tracks[0].path, "C:\\Music\\Été\\a.mp3") << "the spelling stored first is kept";
        EXPECT_EQ(opened.case_duplicates, (std::vector<std::string>{"c:\\music\\ÉTÉ\\A.MP3"}));
    }
    fs::remove_all(folder);
}

TEST(LibraryDatabaseCase, KeepingWrittenRecordsTouchesOnlyTracksTheLibraryHolds) {
    const fs::path folder = fs::temp_directory_path() / "library_keep_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    {
        LibraryDatabase database((folder / "library.db").string());
        StoredTrack held{"/m/a.mp3", {10, 1}, player::HostEngines::make_record({{"GENRE", {"Rock"}}})};
        database.write({&held}, {});
        StoredTrack written{"/m/a.mp3", {20, 5}, player::HostEngines::make_record({{"GENRE", {"Blues"}}})};
        StoredTrack outside{"/elsewhere/x.mp3", {20, 5}, player::HostEngines::make_record({{"GENRE", {"Blues"}}})};
        database.keep_written({&written, &outside});
        auto tracks = database.tracks();
        ASSERT_EQ(tracks.size(), 1u);
        EXPECT_EQ(tracks[0].stamp, (player::library::FileStamp{20, 5}));
        EXPECT_STREQ(tracks[0].record.meta_get("GENRE"), "Blues");
    }
    fs::remove_all(folder);
}

TEST(PathCase, PathsAreComparedWithoutRegardToLetterCase) {
    using player::library::is_below;
    using player::library::same_path;
    EXPECT_TRUE(same_path("C:\\Music\\Été.mp3", "c:\\MUSIC\\été.MP3"));
    EXPECT_FALSE(same_path("C:\\Music\\a.mp3", "C:\\Music\\b.mp3"));
    EXPECT_TRUE(is_below("c:\\music\\sub\\a.mp3", "C:\\Music"));
    EXPECT_FALSE(is_below("C:\\Musical\\a.mp3", "c:\\music"));
    player::library::PathSpellings spellings;
    EXPECT_EQ(spellings.spelling("C:\\Music\\a.mp3"), "C:\\Music\\a.mp3");
    EXPECT_EQ(spellings.spelling("c:\\music\\A.MP3"), "C:\\Music\\a.mp3");
}

TEST(PathCase, AListingTakesTheSpellingsTheLibraryKnowsAndTheFirstOfANewFile) {
    auto known = std::make_shared<player::library::KnownFiles>();
    known->emplace("C:\\Music\\a.mp3", player::library::FileStamp{1, 1});
    auto list = player::library::listed_as_known(
        [](const std::string& folder) {
            return std::vector<player::library::FoundFile>{{folder + "\\A.MP3", {1, 1}},
                                                          {folder + "\\New.mp3", {2, 2}},
                                                          {"C:\\MUSIC\\NEW.MP3", {2, 2}}};
        },
        known);
    std::vector<std::string> paths;
    for (const auto& file : list("c:\\music")) paths.push_back(file.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\Music\\a.mp3", "c:\\music\\New.mp3", "c:\\music\\New.mp3"}));
}

}  // namespace
}  // namespace library_test
