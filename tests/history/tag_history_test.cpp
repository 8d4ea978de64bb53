// The history of tag updates with the host's engines and tags held in memory: what an update records,
// undo and redo, files changed in between, a restart, and the bound.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>

#include "player/engine/HostEngines.h"
#include "player/history/TagHistory.h"
#include "player/history/TagUndo.h"
#include "sdk/core_api.h"

namespace {

using player::history::FieldChange;
using player::history::HistoryLimits;
using player::history::TagHistory;
using player::history::UndoResult;

// Sets GENRE to one value, and says it came from "Test apply".
class SetGenre : public sonavel::file_info_filter, public sonavel::file_info_filter_origin {
public:
    using interface_t = sonavel::file_info_filter;
    using extra_interfaces_t = sonavel::interface_list<sonavel::file_info_filter_origin>;
    explicit SetGenre(std::string value) : value_(std::move(value)) {}
    bool apply_filter(const sonavel::metadb_handle_ptr&, sonavel::file_info& info) override {
        player::history::set_values(info, "GENRE", {value_});
        return true;
    }
    void get_origin(std::string& out) override { out = "Test apply"; }

private:
    std::string value_;
};

class Done : public sonavel::completion_notify {
public:
    using interface_t = sonavel::completion_notify;
    explicit Done(std::atomic<int>& count) : count_(count) {}
    void on_completion(unsigned) override { ++count_; }

private:
    std::atomic<int>& count_;
};

std::string temp_db(const std::string& name) {
    auto path = std::filesystem::temp_directory_path() / ("tag_history_" + name + "_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".db");
    std::filesystem::remove(path);
    std::filesystem::remove(path.string() + "-wal");
    std::filesystem::remove(path.string() + "-shm");
    return path.string();
}

class TagHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        engines.console.set_mirror(false);
        engines.register_services();
        engines.start();
        path = temp_db(::testing::UnitTest::GetInstance()->current_test_info()->name());
        open_history();
        a = engines.add_track("C:\\music\\a.flac", {{"GENRE", {"Rock", "Pop"}}, {"ARTIST", {"A"}}});
        b = engines.add_track("C:\\music\\b.flac", {{"ARTIST", {"B"}}});
    }
    void TearDown() override {
        engines.run_until_idle();
        engines.recorder = nullptr;
        history.reset();
        std::filesystem::remove(path);
    }
    void open_history(HistoryLimits limits = {}) {
        engines.recorder = nullptr;
        history.reset();
        history.emplace(path, limits, [this] { return ++clock; });
        engines.recorder = &*history;
    }
    void apply(const sonavel::metadb_handle_list& tracks, const std::string& genre) {
        std::atomic<int> done{0};
        engines.io.update_info_async(tracks, sonavel::service_impl_t<SetGenre>::create(genre), nullptr, 0,
                                     sonavel::service_impl_t<Done>::create(done));
        ASSERT_TRUE(engines.run_until([&] { return done > 0; }));
        ASSERT_TRUE(engines.run_until_idle());
    }
    std::optional<UndoResult> finish_undo(bool started, std::optional<UndoResult>& result) {
        if (!started) return std::nullopt;
        engines.run_until([&] { return result.has_value(); });
        engines.run_until_idle();
        return result;
    }
    std::optional<UndoResult> undo(std::int64_t update) {
        std::optional<UndoResult> result;
        return finish_undo(player::history::start_undo(engines, *history, update, nullptr,
                                                       [&](const UndoResult& r) { result = r; }),
                           result);
    }
    std::optional<UndoResult> undo_latest() {
        std::optional<UndoResult> result;
        return finish_undo(
            player::history::undo_latest(engines, *history, nullptr, [&](const UndoResult& r) { result = r; }), result);
    }
    std::optional<UndoResult> redo_latest() {
        std::optional<UndoResult> result;
        return finish_undo(
            player::history::redo_latest(engines, *history, nullptr, [&](const UndoResult& r) { result = r; }), result);
    }
    static std::vector<std::string> genres(const sonavel::metadb_handle_ptr& track) {
        sonavel::file_info_impl info;
        if (!track->get_info(info)) return {"<no record>"};
        return player::history::values_of(info, "GENRE");
    }
    std::int64_t newest() { return history->store().recent(1).at(0).id; }

    player::HostEngines engines;
    std::string path;
    std::int64_t clock = 1000;
    std::optional<TagHistory> history;
    sonavel::metadb_handle_ptr a, b;
};

TEST_F(TagHistoryTest, AnUpdateIsRecordedWithOldAndNewValuesOfTheChangedFieldOnly) {
    apply({a, b}, "Jazz");
    auto updates = history->store().recent(10);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].origin, "Test apply");
    EXPECT_EQ(updates[0].time, 1001);
    EXPECT_EQ(updates[0].files, 2);
    EXPECT_EQ(updates[0].fields, "GENRE");
    EXPECT_EQ(updates[0].changed_values, 2);
    EXPECT_TRUE(updates[0].finished);
    auto files = history->store().changes(updates[0].id);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].path, "C:\\music\\a.flac");
    EXPECT_EQ(files[0].fields, (std::vector<FieldChange>{{"GENRE", {"Rock", "Pop"}, {"Jazz"}}}));
    EXPECT_EQ(files[1].path, "C:\\music\\b.flac");
    EXPECT_EQ(files[1].fields, (std::vector<FieldChange>{{"GENRE", {}, {"Jazz"}}}));
}

TEST_F(TagHistoryTest, UndoRestoresTheRecordedOldValuesAndIsItselfRecorded) {
    apply({a, b}, "Jazz");
    const std::int64_t applied = newest();
    auto result = undo_latest();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->target, applied);
    EXPECT_TRUE(result->skipped.empty());
    EXPECT_EQ(genres(a), (std::vector<std::string>{"Rock", "Pop"}));
    EXPECT_EQ(genres(b), std::vector<std::string>{});
    auto updates = history->store().recent(10);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[0].origin, "Undo: Test apply");
    EXPECT_EQ(updates[0].undoes, applied);
    EXPECT_EQ(updates[1].undone_by, updates[0].id);
    // Nothing else is left to undo; the undo can be redone.
    EXPECT_FALSE(history->store().latest_undoable(false));
    EXPECT_FALSE(undo(applied));
    auto redo = redo_latest();
    ASSERT_TRUE(redo);
    EXPECT_EQ(genres(a), std::vector<std::string>{"Jazz"});
    EXPECT_EQ(genres(b), std::vector<std::string>{"Jazz"});
    EXPECT_EQ(history->store().recent(1)[0].origin, "Redo: Test apply");
}

TEST_F(TagHistoryTest, UndoTakesBackTheNewestUpdateFirst) {
    apply({a}, "Jazz");
    apply({a}, "Blues");
    ASSERT_TRUE(undo_latest());
    EXPECT_EQ(genres(a), std::vector<std::string>{"Jazz"});
    ASSERT_TRUE(undo_latest());
    EXPECT_EQ(genres(a), (std::vector<std::string>{"Rock", "Pop"}));
    EXPECT_FALSE(undo_latest());
}

TEST_F(TagHistoryTest, AFileChangedSinceIsSkippedWithItsCurrentAndRecordedValues) {
    apply({a, b}, "Jazz");
    engines.change_tags(b, {{"GENRE", {"Soul"}}, {"ARTIST", {"B"}}});
    auto result = undo_latest();
    ASSERT_TRUE(result);
    EXPECT_EQ(genres(a), (std::vector<std::string>{"Rock", "Pop"}));
    EXPECT_EQ(genres(b), std::vector<std::string>{"Soul"});
    ASSERT_EQ(result->skipped.size(), 1u);
    EXPECT_EQ(result->skipped[0].path, "C:\\music\\b.flac");
    EXPECT_EQ(result->skipped[0].fields, (std::vector<FieldChange>{{"GENRE", {"Soul"}, {"Jazz"}}}));
    ASSERT_EQ(engines.popups.shown().size(), 1u);
    EXPECT_EQ(engines.popups.shown()[0].text,
              "1 file was not restored (changed since the update):\n\n"
              "C:\\music\\b.flac: GENRE is \"Soul\", the update wrote \"Jazz\"");
}

// Files another program rewrote behind the player's back: the writer finds their fields changed since
// they were read, writes nothing and hands back what it found; every other file goes to memory.
class ChangedBehindTheBack final : public player::TagStore {
public:
    ChangedBehindTheBack(player::TagStore& others, std::string path, player::FieldValues on_disk)
        : others_(others), path_(std::move(path)), on_disk_(player::HostEngines::make_record(on_disk)) {}
    void write(std::vector<player::TagWrite>& writes, const std::function<bool(std::size_t)>& proceed) override {
        others_.write(writes, proceed);
        for (auto& write : writes) {
            if (write.track->get_path() != path_) continue;
            write.outcome = player::TagWrite::Outcome::changed_elsewhere;
            write.message = "Its tags were changed by another program; it was not written";
            write.on_disk = on_disk_;
        }
    }

private:
    player::TagStore& others_;
    std::string path_;
    sonavel::file_info_impl on_disk_;
};

TEST_F(TagHistoryTest, AnUndoMeetingAFileAnotherProgramChangedShowsOneMessage) {
    apply({a, b}, "Jazz");
    ChangedBehindTheBack store(engines.memory_tags, "C:\\music\\b.flac", {{"GENRE", {"Soul"}}, {"ARTIST", {"B"}}});
    engines.tags = &store;
    auto result = undo_latest();
    engines.tags = &engines.memory_tags;
    ASSERT_TRUE(result);
    EXPECT_EQ(genres(a), (std::vector<std::string>{"Rock", "Pop"}));
    EXPECT_EQ(genres(b), std::vector<std::string>{"Soul"}) << "the record follows the file";
    ASSERT_EQ(engines.popups.shown().size(), 1u);
    EXPECT_EQ(engines.popups.shown()[0].title, "Undo tag update");
    EXPECT_EQ(engines.popups.shown()[0].text,
              "1 file was not restored (changed since the update):\n\n"
              "C:\\music\\b.flac: GENRE is \"Soul\", the update wrote \"Jazz\"");
}

TEST_F(TagHistoryTest, AnUndoListsAFileChangedElsewhereAndAFileItCouldNotWriteInOneMessage) {
    apply({a, b}, "Jazz");
    ChangedBehindTheBack store(engines.memory_tags, "C:\\music\\b.flac", {{"GENRE", {"Soul"}}, {"ARTIST", {"B"}}});
    engines.tags = &store;
    engines.memory_tags.refuse("C:\\music\\a.flac");
    auto result = undo_latest();
    engines.tags = &engines.memory_tags;
    ASSERT_TRUE(result);
    ASSERT_EQ(engines.popups.shown().size(), 1u);
    const std::string& text = engines.popups.shown()[0].text;
    EXPECT_EQ(text.find("2 files were not restored:"), 0u) << text;
    EXPECT_NE(text.find("C:\\music\\b.flac: GENRE is \"Soul\", the update wrote \"Jazz\""), std::string::npos) << text;
    EXPECT_NE(text.find("C:\\music\\a.flac: "), std::string::npos) << text;
    EXPECT_EQ(text.find("changed by another program"), std::string::npos) << text;
}

TEST_F(TagHistoryTest, UndoWorksAfterARestart) {
    apply({a}, "Jazz");
    open_history();
    ASSERT_TRUE(undo_latest());
    EXPECT_EQ(genres(a), (std::vector<std::string>{"Rock", "Pop"}));
}

TEST_F(TagHistoryTest, FilesThatWereNotWrittenAreNotRecorded) {
    engines.memory_tags.refuse("C:\\music\\b.flac");
    apply({a, b}, "Jazz");
    ASSERT_EQ(history->store().recent(1)[0].files, 1);
    auto files = history->store().changes(newest());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].path, "C:\\music\\a.flac");
}

TEST_F(TagHistoryTest, AnUpdateThatChangesNothingLeavesNoEntry) {
    apply({b}, "Jazz");
    apply({b}, "Jazz");
    EXPECT_EQ(history->store().recent(10).size(), 1u);
}

TEST_F(TagHistoryTest, TheOldestUpdatesGoBeyondBothLimits) {
    HistoryLimits limits;
    limits.updates = 2;
    limits.changed_values = 3;
    open_history(limits);
    for (const char* genre : {"G1", "G2", "G3", "G4"}) apply({a}, genre);
    // One value each: three updates hold three values, more than the two updates.
    EXPECT_EQ(history->store().recent(10).size(), 3u);
    limits.changed_values = 1;
    history->set_limits(limits);
    auto left = history->store().recent(10);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_TRUE(history->store().changes(left[1].id).size() == 1u);
}

TEST_F(TagHistoryTest, ValueListsComeBackExactly) {
    using player::history::decode_values;
    using player::history::encode_values;
    const std::vector<std::vector<std::string>> lists = {
        {}, {""}, {"", ""}, {"a;b", "c\x1f" "d"}, {std::string("nul\0inside", 10)}, {"Ünïcode ☃"}};
    for (const auto& list : lists) EXPECT_EQ(decode_values(encode_values(list)), list);
    EXPECT_THROW(decode_values({5, 0, 0, 0, 'a', 'b', 'c'}), sonavel::exception_io_data);
    EXPECT_THROW(decode_values({1, 0}), sonavel::exception_io_data);
}

}  // namespace
