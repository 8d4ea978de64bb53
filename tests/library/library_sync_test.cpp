// The library kept in its database: a first start imports the folders in the background, a restart
// shows the stored library at once and then catches up with what changed on disk meanwhile; playlists
// are kept; a damaged database is set aside and rebuilt with a message; unreadable files are reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "tests/library/library_fixture.h"

namespace library_test {
namespace {

TEST_F(Library, AFolderAddedIsImportedInTheBackgroundIntoTheLibraryAndItsPlaylist) {
    start();
    EXPECT_TRUE(sync_->add_folder("/m"));
    EXPECT_TRUE(sync_->scanning());
    wait_for_scan();
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/a.mp3", "/m/b.mp3", "/m/sub/c.mp3"}));
    std::size_t playlist = sync_->library_playlist();
    EXPECT_EQ(engines_->playlists.get_playlist_name(playlist), "Library");
    EXPECT_EQ(playlist_paths(playlist), library_paths());
    EXPECT_EQ(field("/m/b.mp3", "GENRE"), "Pop");
    EXPECT_FALSE(sync_->add_folder("/m")) << "a folder is in the library once";
    wait_for_scan();
    EXPECT_EQ(sync_->track_count(), 3u);
}

TEST_F(Library, AFolderOfManyFilesIsReadInTheOrderOfItsListing) {
    std::vector<std::string> expected;
    for (int i = 0; i < 1234; ++i) {
        std::string path = "/big/" + std::to_string(100000 + i) + ".mp3";
        disk_.put(path, {{"TITLE", {std::to_string(i)}}});
        expected.push_back(path);
    }
    start();
    sync_->add_folder("/big");
    wait_for_scan();
    EXPECT_EQ(library_paths(), expected);
    EXPECT_EQ(playlist_paths(sync_->library_playlist()), expected);
    EXPECT_EQ(field("/big/100777.mp3", "TITLE"), "777");
    EXPECT_EQ(disk_.reads(), 1234u);
}

TEST_F(Library, ARestartShowsTheStoredLibraryAtOnceAndReadsNoUnchangedFile) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    std::size_t reads = disk_.reads();
    restart();
    // Before any scan: straight from the database.
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/a.mp3", "/m/b.mp3", "/m/sub/c.mp3"}));
    EXPECT_EQ(field("/m/a.mp3", "ARTIST"), "Ann");
    EXPECT_EQ(sync_->folders(), (std::vector<std::string>{"/m"}));
    sync_->scan();
    wait_for_scan();
    EXPECT_EQ(disk_.reads(), reads) << "size and time unchanged: nothing read again";
    EXPECT_EQ(sync_->track_count(), 3u);
}

TEST_F(Library, AFileChangedWhileThePlayerWasClosedShowsItsNewValuesAndListenersHearOfIt) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    stop();
    disk_.put("/m/b.mp3", {{"ARTIST", {"Bob"}}, {"GENRE", {"Jazz"}}}, 1200);
    start();
    EXPECT_EQ(field("/m/b.mp3", "GENRE"), "Pop") << "the stored record first";
    events_.log.clear();
    sync_->scan();
    wait_for_scan();
    EXPECT_EQ(field("/m/b.mp3", "GENRE"), "Jazz");
    EXPECT_EQ(events_.log, (std::vector<std::string>{"modified /m/b.mp3"}));
    restart();
    EXPECT_EQ(field("/m/b.mp3", "GENRE"), "Jazz") << "the new record was stored";
}

TEST_F(Library, AFileRemovedFromDiskLeavesTheLibraryAndItsPlaylist) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    stop();
    disk_.remove("/m/a.mp3");
    disk_.put("/m/d.mp3", {{"ARTIST", {"Dee"}}});
    start();
    sync_->scan();
    wait_for_scan();
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/b.mp3", "/m/sub/c.mp3", "/m/d.mp3"}));
    EXPECT_EQ(playlist_paths(sync_->library_playlist()), library_paths());
    EXPECT_NE(std::find(events_.log.begin(), events_.log.end(), "removed /m/a.mp3"), events_.log.end());
    restart();
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/b.mp3", "/m/sub/c.mp3", "/m/d.mp3"}));
}

TEST_F(Library, RemovingAFolderForgetsItsTracks) {
    start();
    sync_->add_folder("/m");
    sync_->add_folder("/other");
    wait_for_scan();
    ASSERT_EQ(sync_->track_count(), 4u);
    sync_->remove_folder("/m");
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/other/x.mp3"}));
    restart();
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/other/x.mp3"}));
    EXPECT_EQ(sync_->folders(), (std::vector<std::string>{"/other"}));
}

TEST_F(Library, PlaylistsAndTheActiveOneAreKeptAcrossARestart) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    auto& playlists = engines_->playlists;
    std::size_t rock = playlists.create_playlist("Rock", sonavel::no_item);
    playlists.add_items_unselected(rock, {engines_->store.handle_create("/m/b.mp3", 0), engines_->store.handle_create("/m/a.mp3", 0)});
    playlists.set_active_playlist(rock);
    restart();
    ASSERT_EQ(playlists_names(), (std::vector<std::string>{"Library", "Rock"}));
    EXPECT_EQ(engines_->playlists.get_active_playlist(), 1u);
    EXPECT_EQ(playlist_paths(1), (std::vector<std::string>{"/m/b.mp3", "/m/a.mp3"}));
    EXPECT_EQ(playlist_paths(0).size(), 3u);
}

TEST_F(Library, UnreadableAudioFilesAreListedOnTheConsoleAndCounted) {
    disk_.put_unreadable("/m/broken.mp3");
    disk_.put_unreadable("/m/notes.txt");
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    EXPECT_EQ(sync_->track_count(), 3u);
    ASSERT_EQ(sync_->unreadable().size(), 1u) << "a file that is no audio is no failure";
    EXPECT_EQ(sync_->status_text(), "1 file could not be read");
    EXPECT_EQ(engines_->status.text(), "Library: 1 file could not be read (View > Console lists them)");
    EXPECT_TRUE(console_has("Could not read /m/broken.mp3"));
    EXPECT_FALSE(console_has("notes.txt"));
}

TEST_F(Library, ADamagedDatabaseIsSetAsideAndRebuiltFromTheFoldersWithAMessage) {
    start();
    sync_->add_folder("/m");
    wait_for_scan();
    stop();
    {
        std::fstream file(database(), std::ios::in | std::ios::out | std::ios::binary);
        file.write("this is no database, not at all", 31);
    }
    start();
    ASSERT_EQ(engines_->popups.shown().size(), 1u);
    EXPECT_NE(engines_->popups.shown()[0].text.find("set aside"), std::string::npos) << engines_->popups.shown()[0].text;
    EXPECT_TRUE(fs::exists(folder_ / "library.damaged-1.db")) << "kept, under a new name";
    wait_for_scan();
    EXPECT_EQ(library_paths(), (std::vector<std::string>{"/m/a.mp3", "/m/b.mp3", "/m/sub/c.mp3"}));
    restart();
    EXPECT_TRUE(engines_->popups.shown().empty()) << "the new database opens cleanly";
    EXPECT_EQ(sync_->track_count(), 3u);
}

}  // namespace
}  // namespace library_test
