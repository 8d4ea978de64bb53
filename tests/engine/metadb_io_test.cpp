// Tag writing in the background and the notifications that follow it, in their order.
#include <gtest/gtest.h>

#include <atomic>
#include <algorithm>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host_fixture.h"
#include "player/engine/UpdateRecorder.h"
#include "sdk/library.h"
#include "sdk/metadb.h"

namespace engine_test {
namespace {

using sonavel::completion_notify;
using sonavel::file_info;
using sonavel::metadb_handle_list;
using sonavel::metadb_handle_ptr;
using Log = std::vector<std::string>;

// What every party heard, in order, across the host's notifications of one test.
Log g_events;

// The registered metadb_io_callback. While it runs it also writes down the GENRE of each changed track,
// so that the test sees what the records were at that moment.
class IoRecorder : public sonavel::metadb_io_callback {
public:
    using interface_t = sonavel::metadb_io_callback;

    struct call {
        metadb_handle_list items;
        bool from_hook;
        std::vector<std::vector<std::string>> genres;
    };
    std::vector<call> calls;
    bool listening = false;

    void on_changed_sorted(const metadb_handle_list& items, bool from_hook) override {
        if (!listening) return;
        call c{items, from_hook, {}};
        for (const auto& t : items) c.genres.push_back(values_of(t, "GENRE"));
        calls.push_back(std::move(c));
        g_events.push_back("io " + join(paths_of(items)));
    }
};

sonavel::service_factory_single_t<IoRecorder> g_io_recorder;

class LibraryRecorder : public sonavel::library_callback_dynamic {
public:
    void on_items_added(const metadb_handle_list& t) override { g_events.push_back("library added " + join(paths_of(t))); }
    void on_items_removed(const metadb_handle_list& t) override { g_events.push_back("library removed " + join(paths_of(t))); }
    void on_items_modified(const metadb_handle_list& t) override { g_events.push_back("library modified " + join(paths_of(t))); }
};

class Completion : public completion_notify {
public:
    using interface_t = completion_notify;
    void on_completion(unsigned code) override {
        main_thread = std::this_thread::get_id() == main_id;
        g_events.push_back("completion " + std::to_string(code));
        ++calls;
    }
    static inline std::thread::id main_id;
    static inline bool main_thread = false;
    static inline std::atomic<int> calls{0};
};

// Adds a value to GENRE, except for paths it is told to leave alone (then it answers false). `hook`
// runs first for every track, on the worker.
class AddGenre : public sonavel::file_info_filter {
public:
    using interface_t = sonavel::file_info_filter;
    AddGenre(std::string value, std::vector<std::string> skip, std::function<void(const metadb_handle_ptr&)> hook)
        : value_(std::move(value)), skip_(std::move(skip)), hook_(std::move(hook)) {}

    bool apply_filter(const metadb_handle_ptr& track, file_info& info) override {
        ++calls;
        if (std::this_thread::get_id() == Completion::main_id) on_main_thread = true;
        if (hook_) hook_(track);
        for (const auto& s : skip_) {
            if (s == track->get_path()) return false;
        }
        info.meta_add("GENRE", value_.c_str());
        return true;
    }
    static inline std::atomic<int> calls{0};
    static inline std::atomic<bool> on_main_thread{false};

private:
    std::string value_;
    std::vector<std::string> skip_;
    std::function<void(const metadb_handle_ptr&)> hook_;
};

class EngineTagUpdate : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        g_events.clear();
        recorder.calls.clear();
        recorder.listening = true;
        Completion::main_id = std::this_thread::get_id();
        Completion::main_thread = false;
        Completion::calls = 0;
        AddGenre::calls = 0;
        AddGenre::on_main_thread = false;
        io = sonavel::standard_api_create_t<sonavel::metadb_io_service>();
        library = sonavel::standard_api_create_t<sonavel::library_service>();
        a = engines.add_track("C:\\music\\a.mp3", {{"GENRE", {"Rock"}}});
        b = engines.add_track("C:\\music\\b.mp3", {{"GENRE", {"Pop"}}});
        outside = engines.add_track("C:\\elsewhere\\c.mp3", {{"GENRE", {"Folk"}}}, false);
        library->register_callback(&library_listener);
    }
    void TearDown() override {
        library->unregister_callback(&library_listener);
        recorder.listening = false;
        recorder.calls.clear();
    }

    void update(const metadb_handle_list& tracks, std::vector<std::string> skip = {},
                std::function<void(const metadb_handle_ptr&)> hook = nullptr) {
        io->update_info_async(tracks, sonavel::service_impl_t<AddGenre>::create("Jazz", std::move(skip), std::move(hook)),
                              nullptr, 0, sonavel::service_impl_t<Completion>::create());
    }
    bool wait_for_completion() {
        return engines.run_until([] { return Completion::calls > 0; }) && engines.run_until_idle();
    }

    IoRecorder& recorder = g_io_recorder.get_static_instance();
    LibraryRecorder library_listener;
    sonavel::service_ptr_t<sonavel::metadb_io_service> io;
    sonavel::service_ptr_t<sonavel::library_service> library;
    metadb_handle_ptr a, b, outside;
};

std::string codes(unsigned code) { return "completion " + std::to_string(code); }

// Tracks in reverse pointer order, so that a host which forgets to sort is seen.
metadb_handle_list reverse_pointer_order(metadb_handle_list tracks) {
    sonavel::sort_by_pointer(tracks);
    return metadb_handle_list(tracks.rbegin(), tracks.rend());
}

TEST_F(EngineTagUpdate, RecordsAreCurrentAfterCompletion) {
    update({a, b});
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock"})) << "nothing changes before the main thread hears of it";
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock", "Jazz"}));
    EXPECT_EQ(values_of(b, "GENRE"), (Log{"Pop", "Jazz"}));
    EXPECT_EQ(engines.memory_tags.written(), (Log{"C:\\music\\a.mp3", "C:\\music\\b.mp3"}));
    EXPECT_FALSE(AddGenre::on_main_thread) << "filters run on the worker";
}

TEST_F(EngineTagUpdate, ATrackListedTwiceIsComposedAndWrittenOnce) {
    update({a, b, a});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock", "Jazz"}));
    EXPECT_EQ(engines.memory_tags.written(), (Log{"C:\\music\\a.mp3", "C:\\music\\b.mp3"}));
    EXPECT_EQ(AddGenre::calls, 2);
    EXPECT_EQ(g_events.back(), codes(completion_notify::success));
}

TEST_F(EngineTagUpdate, NotificationsComeInTheirOrderAndCompletionLast) {
    metadb_handle_list tracks = reverse_pointer_order({a, b, outside});
    update(tracks);
    ASSERT_TRUE(wait_for_completion());

    metadb_handle_list sorted = tracks;
    sonavel::sort_by_pointer(sorted);
    const std::string changed = join(paths_of(sorted));
    std::string library_changed;
    for (const auto& t : sorted) {
        if (t != outside) library_changed += (library_changed.empty() ? "" : ",") + std::string(t->get_path());
    }
    EXPECT_EQ(g_events, (Log{"io " + changed, "library modified " + library_changed, codes(completion_notify::success)}));

    ASSERT_EQ(recorder.calls.size(), 1u);
    const auto& call = recorder.calls[0];
    EXPECT_FALSE(call.from_hook);
    EXPECT_TRUE(sorted_by_pointer(call.items));
    EXPECT_EQ(call.items, sorted);
    // The callback already saw the new records.
    for (const auto& genres : call.genres) {
        ASSERT_EQ(genres.size(), 2u);
        EXPECT_EQ(genres[1], "Jazz");
    }
    EXPECT_TRUE(Completion::main_thread);
}

TEST_F(EngineTagUpdate, ATrackWithoutRecordIsNotWritten) {
    metadb_handle_ptr unscanned = sonavel::standard_api_create_t<sonavel::metadb>()->handle_create("C:\\music\\new.mp3", 0);
    engines.library.add_items({unscanned});
    g_events.clear();
    update({unscanned, a});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(engines.memory_tags.written(), (Log{"C:\\music\\a.mp3"}));
    EXPECT_EQ(values_of(unscanned, "GENRE"), (Log{"<no record>"}));
    EXPECT_EQ(AddGenre::calls, 1) << "the filter is not asked about a track without a record";
    EXPECT_EQ(g_events, (Log{"io C:\\music\\a.mp3", "library modified C:\\music\\a.mp3", codes(completion_notify::success)}));
}

TEST_F(EngineTagUpdate, AFilterAnsweringFalseWritesNothingForThatTrack) {
    update({a, b}, {"C:\\music\\a.mp3"});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(engines.memory_tags.written(), (Log{"C:\\music\\b.mp3"}));
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock"}));
    EXPECT_EQ(values_of(b, "GENRE"), (Log{"Pop", "Jazz"}));
    EXPECT_EQ(g_events, (Log{"io C:\\music\\b.mp3", "library modified C:\\music\\b.mp3", codes(completion_notify::success)}));
}

TEST_F(EngineTagUpdate, NothingToWriteStillCompletesWithoutChangeNotifications) {
    update({a, b}, {"C:\\music\\a.mp3", "C:\\music\\b.mp3"});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_TRUE(engines.memory_tags.written().empty());
    EXPECT_EQ(g_events, (Log{codes(completion_notify::success)}));
}

TEST_F(EngineTagUpdate, ARefusedLocationKeepsItsRecordAndTheOthersAreWritten) {
    engines.memory_tags.refuse("C:\\music\\a.mp3");
    update({a, b, outside});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock"}));
    EXPECT_EQ(values_of(b, "GENRE"), (Log{"Pop", "Jazz"}));
    EXPECT_EQ(values_of(outside, "GENRE"), (Log{"Folk", "Jazz"}));
    EXPECT_EQ(engines.memory_tags.written(), (Log{"C:\\music\\b.mp3", "C:\\elsewhere\\c.mp3"}));
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ(g_events.back(), codes(completion_notify::failed));
    ASSERT_EQ(recorder.calls.size(), 1u);
    metadb_handle_list expected{b, outside};
    sonavel::sort_by_pointer(expected);
    EXPECT_EQ(recorder.calls[0].items, expected);
    auto lines = console_lines_containing("C:\\music\\a.mp3");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(console_lines_containing("C:\\music\\b.mp3").size(), 0u);
}

TEST_F(EngineTagUpdate, CancelBeforeTheFirstTrackWritesNothing) {
    engines.headless_progress.on_open = [](player::HeadlessProgress& view) { view.abort().abort(); };
    update({a, b});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(g_events, (Log{codes(completion_notify::aborted)}));
    EXPECT_EQ(AddGenre::calls, 0) << "no track is composed after Cancel";
    EXPECT_TRUE(engines.memory_tags.written().empty());
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock"}));
    EXPECT_EQ(values_of(b, "GENRE"), (Log{"Pop"}));
}

TEST_F(EngineTagUpdate, CancelHalfwayKeepsWhatWasWrittenAndLeavesTheRestUnchanged) {
    player::HeadlessProgress* view = nullptr;
    engines.headless_progress.on_open = [&](player::HeadlessProgress& v) { view = &v; };
    metadb_handle_ptr c = engines.add_track("C:\\music\\c.mp3", {{"GENRE", {"Blues"}}});
    g_events.clear();
    // The user presses Cancel while the second track is being written: that write finishes, the third
    // is not started.
    engines.memory_tags.before_write = [&](const std::string& path) {
        if (path == "C:\\music\\b.mp3") view->abort().abort();
    };
    update({a, b, c});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(engines.memory_tags.written(), (Log{"C:\\music\\a.mp3", "C:\\music\\b.mp3"}));
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock", "Jazz"}));
    EXPECT_EQ(values_of(b, "GENRE"), (Log{"Pop", "Jazz"}));
    EXPECT_EQ(values_of(c, "GENRE"), (Log{"Blues"}));
    metadb_handle_list written{a, b};
    sonavel::sort_by_pointer(written);
    const std::string changed = join(paths_of(written));
    EXPECT_EQ(g_events, (Log{"io " + changed, "library modified " + changed, codes(completion_notify::aborted)}));
}

TEST_F(EngineTagUpdate, ProgressNamesTheTrackAndReachesTheEnd) {
    player::HeadlessProgress* view = nullptr;
    std::string item_seen;
    std::size_t progress_seen = 0;
    engines.headless_progress.on_open = [&](player::HeadlessProgress& v) { view = &v; };
    // The last track's write sees the status the worker set just before it.
    engines.memory_tags.before_write = [&](const std::string& path) {
        if (path == "C:\\music\\b.mp3") {
            item_seen = view->item();
            progress_seen = view->progress();
        }
    };
    update({a, b});
    ASSERT_TRUE(wait_for_completion());
    EXPECT_EQ(item_seen, "C:\\music\\b.mp3");
    EXPECT_EQ(progress_seen, sonavel::threaded_process_status::progress_max);
}

TEST_F(EngineTagUpdate, NoCompletionObjectIsFine) {
    io->update_info_async({a}, sonavel::service_impl_t<AddGenre>::create("Jazz", Log{}, nullptr), nullptr, 0, nullptr);
    ASSERT_TRUE(engines.run_until_idle());
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Rock", "Jazz"}));
    EXPECT_EQ(g_events, (Log{"io C:\\music\\a.mp3", "library modified C:\\music\\a.mp3"}));
}

TEST_F(EngineTagUpdate, ChangedTagsNotifyTheSameWayWithoutACompletion) {
    engines.change_tags(outside, {{"GENRE", {"Ska"}}});
    engines.change_tags(a, {{"GENRE", {"Punk"}}});
    EXPECT_EQ(g_events, (Log{"io C:\\elsewhere\\c.mp3", "io C:\\music\\a.mp3", "library modified C:\\music\\a.mp3"}));
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_FALSE(recorder.calls[1].from_hook);
    EXPECT_EQ(recorder.calls[1].genres, (std::vector<Log>{{"Punk"}}));
    EXPECT_EQ(values_of(a, "GENRE"), (Log{"Punk"}));
    EXPECT_TRUE(engines.memory_tags.written().empty()) << "someone else wrote the files";
    EXPECT_TRUE(engines.run_until_idle());
    EXPECT_EQ(g_events.size(), 3u);
}

// Keeps each group of an update for undo as the player's history does; refuses the group named.
class GroupRecorder final : public player::UpdateRecorder {
public:
    GroupRecorder(player::MemoryTagStore& store, std::size_t refused) : store_(store), refused_(refused) {}
    std::int64_t begin_update(const std::string&) override { return 1; }
    void record(std::int64_t, const std::vector<player::TagWrite>& group) override {
        std::lock_guard<std::mutex> guard(lock_);
        const Log written = store_.written();
        for (const auto& write : group)
            if (std::find(written.begin(), written.end(), write.track->get_path()) != written.end())
                written_before_kept.push_back(write.track->get_path());
        if (++groups == refused_) throw std::runtime_error("the disk is full");
    }
    void record_outcomes(std::int64_t, const std::vector<player::TagWrite>&) override {}
    void end_update(std::int64_t) override {}

    std::mutex lock_;
    std::size_t groups = 0;
    Log written_before_kept;

private:
    player::MemoryTagStore& store_;
    std::size_t refused_;
};

// A hundred tracks go in three groups (16, 64, 20), each written while the next is composed; the
// second cannot be kept for undo.
TEST_F(EngineTagUpdate, EachGroupIsKeptForUndoBeforeItsFilesAreWrittenAndAGroupThatCannotBeKeptIsNotWritten) {
    GroupRecorder history(engines.memory_tags, 2);
    engines.recorder = &history;
    metadb_handle_list tracks;
    for (int i = 0; i < 100; ++i)
        tracks.push_back(engines.add_track("C:\\music\\many\\" + std::to_string(i) + ".mp3", {{"GENRE", {"Rock"}}}));
    update(tracks);
    ASSERT_TRUE(wait_for_completion());
    engines.recorder = nullptr;

    EXPECT_EQ(history.groups, 3u);
    EXPECT_TRUE(history.written_before_kept.empty()) << join(history.written_before_kept);
    Log expected;
    for (int i = 0; i < 100; ++i)
        if (i < 16 || i >= 80) expected.push_back("C:\\music\\many\\" + std::to_string(i) + ".mp3");
    EXPECT_EQ(engines.memory_tags.written(), expected);
    EXPECT_EQ(values_of(tracks[20], "GENRE"), (Log{"Rock"}));
    EXPECT_EQ(values_of(tracks[90], "GENRE"), (Log{"Rock", "Jazz"}));
    EXPECT_EQ(console_lines_containing("not recorded for undo: the disk is full").size(), 64u);
    EXPECT_EQ(g_events.back(), codes(completion_notify::failed));
}

}  // namespace
}  // namespace engine_test
