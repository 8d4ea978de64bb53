#pragma once
// The library over a music folder held in memory, started, stopped and restarted as the player does, with
// what its listeners heard.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "player/library/LibrarySync.h"
#include "sdk/playlist.h"
#include "tests/library/fake_disk.h"

namespace library_test {

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

}  // namespace library_test
