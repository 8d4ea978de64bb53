// The library kept in its database: a first start imports the folders in the background, a restart
// shows the stored library at once and then catches up with what changed on disk meanwhile; playlists
// are kept; a damaged database is set aside and rebuilt with a message; unreadable files are reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "player/library/LibrarySync.h"
#include "sdk/playlist.h"
#include "tests/library/fake_disk.h"

namespace library_test {
namespace {

namespace fs = std::filesystem;
using player::library::LibrarySync;

// What the library's listeners heard, one line an event: "added 2", "modified /m/a.mp3".
class LibraryEvents : public sonavel::library_callback_dynamic {
public:
    void on_items_added(const sonavel::metadb_handle_list& tracks) override { log.push_back("added " + std::to_string(tracks.size())); }
    void on_items_removed(const sonavel::metadb_handle_list& tracks) override {
        for (const auto& t : tracks) log.push_back(std::string("removed ") + t->get_path());
    }
    void on_items_modified(const sonavel::metadb_handle_list& tracks) override {
        for (const auto& t : tracks) log.push_back(std::string("modified ") + t->get_path());
    }
    std::vector<std::string> log;
};

class Library : public ::testing::Test {
protected:
    Library() {
        folder_ = fs::temp_directory_path() /
                  ("library_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        disk_.put("/m/a.mp3", {{"ARTIST", {"Ann"}}, {"GENRE", {"Rock"}}});
        disk_.put("/m/b.mp3", {{"ARTIST", {"Bob"}}, {"GENRE", {"Pop"}}});
        disk_.put("/m/sub/c.mp3", {{"ARTIST", {"Cid"}}});
        disk_.put("/other/x.mp3", {{"ARTIST", {"Xen"}}});
    }
    ~Library() override {
        stop();
        fs::remove_all(folder_);
    }

    std::string database() const { return (folder_ / "library.db").string(); }

    void start() {
        engines_ = std::make_unique<player::HostEngines>();
        engines_->console.set_mirror(false);
        engines_->register_services();
        engines_->start();
        engines_->library.register_callback(&events_);
        sync_ = std::make_unique<LibrarySync>(*engines_, database(), disk_.sources());
        sync_->load();
    }
    void wait_for_scan() { ASSERT_TRUE(engines_->run_until([&] { return !sync_->scanning(); }, 20000)); }
    void stop() {
        if (!sync_) return;
        sync_->cancel();
        engines_->run_until([&] { return !sync_->scanning(); }, 20000);
        sync_->save_playlists();
        engines_->library.unregister_callback(&events_);
        sync_.reset();
        engines_->begin_shutdown();
        engines_.reset();
        events_.log.clear();
    }
    void restart() {
        stop();
        start();
    }

    std::vector<std::string> library_paths() {
        std::vector<std::string> out;
        for (const auto& t : engines_->library.get_all_items()) out.emplace_back(t->get_path());
        return out;
    }
    std::vector<std::string> playlist_paths(std::size_t playlist) {
        std::vector<std::string> out;
        for (const auto& t : engines_->playlists.get_all_items(playlist)) out.emplace_back(t->get_path());
        return out;
    }
    std::vector<std::string> playlists_names() {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < engines_->playlists.get_playlist_count(); ++i)
            out.push_back(engines_->playlists.get_playlist_name(i));
        return out;
    }
    std::string field(const std::string& path, const char* name) {
        sonavel::file_info_impl record;
        if (!engines_->store.track(path.c_str()).get_info(record)) return "(no record)";
        const char* value = record.meta_get(name);
        return value ? value : "";
    }
    bool console_has(const std::string& text) {
        for (const auto& line : engines_->console.lines())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    fs::path folder_;
    FakeDisk disk_;
    LibraryEvents events_;
    std::unique_ptr<player::HostEngines> engines_;
    std::unique_ptr<LibrarySync> sync_;
};

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
