// The metadata database: handles, records as the host keeps them, the read lock, and memory use.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host_fixture.h"
#include "sdk/metadb.h"

namespace engine_test {
namespace {

using sonavel::file_info;
using sonavel::file_info_impl;
using sonavel::metadb;
using sonavel::metadb_handle_ptr;

class EngineMetadb : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        db = sonavel::standard_api_create_t<metadb>();
    }

    player::Track& track_of(const metadb_handle_ptr& handle) { return player::TrackStore::track_of(handle); }

    sonavel::service_ptr_t<metadb> db;
};

std::vector<std::string> fields_and_values(const file_info& record) {
    std::vector<std::string> out;
    for (std::size_t f = 0; f < record.meta_get_count(); ++f) {
        std::string line = std::string(record.meta_enum_name(f)) + "=";
        for (std::size_t v = 0; v < record.meta_enum_value_count(f); ++v) {
            if (v) line += "|";
            line += record.meta_enum_value(f, v);
        }
        out.push_back(line);
    }
    return out;
}

// --- Handles -------------------------------------------------------------------------------------

TEST_F(EngineMetadb, OneHandlePerLocation) {
    std::string path = "C:\\music\\one.flac";
    metadb_handle_ptr first = db->handle_create(path.c_str(), 0);
    std::string same_text = path;  // a different buffer with the same location
    metadb_handle_ptr again = db->handle_create(same_text.c_str(), 0);
    EXPECT_EQ(first.get_ptr(), again.get_ptr());
    EXPECT_EQ(engines.add_track(path, {{"TITLE", {"One"}}}).get_ptr(), first.get_ptr());

    metadb_handle_ptr subsong = db->handle_create(path.c_str(), 1);
    EXPECT_NE(subsong.get_ptr(), first.get_ptr());
    EXPECT_EQ(db->handle_create(path.c_str(), 1).get_ptr(), subsong.get_ptr());
    EXPECT_STREQ(subsong->get_path(), path.c_str());
    EXPECT_EQ(subsong->get_subsong(), 1u);
    EXPECT_EQ(first->get_subsong(), 0u);

    EXPECT_NE(db->handle_create("C:\\music\\two.flac", 0).get_ptr(), first.get_ptr());
    EXPECT_EQ(engines.store.track_count(), 3u);
}

TEST_F(EngineMetadb, HandleQueriesItsOwnInterfaceOnly) {
    metadb_handle_ptr track = db->handle_create("x.mp3", 0);
    EXPECT_EQ(sonavel::service_query_t<sonavel::metadb_handle>(track).get_ptr(), track.get_ptr());
    EXPECT_FALSE(sonavel::service_try_query_t<sonavel::metadb>(track).is_valid());
}

TEST_F(EngineMetadb, TrackWithoutRecordHasNoInfo) {
    metadb_handle_ptr track = db->handle_create("C:\\music\\unscanned.mp3", 0);
    {
        sonavel::metadb_read_lock lock;
        EXPECT_EQ(track->get_info_locked(), nullptr);
    }
    file_info_impl out;
    out.meta_add("KEEP", "me");
    EXPECT_FALSE(track->get_info(out));
    EXPECT_STREQ(out.meta_get("KEEP"), "me");
}

TEST_F(EngineMetadb, RemovingARecordLeavesTheTrackWithout) {
    metadb_handle_ptr track = engines.add_track("gone.mp3", {{"TITLE", {"T"}}});
    engines.store.set_record(track_of(track), nullptr);
    file_info_impl out;
    EXPECT_FALSE(track->get_info(out));
    sonavel::metadb_read_lock lock;
    EXPECT_EQ(track->get_info_locked(), nullptr);
}

// --- Records -------------------------------------------------------------------------------------

TEST_F(EngineMetadb, RecordsKeepFieldOrderAndValueOrder) {
    // Neither order is alphabetical, so a store that sorts would show it.
    metadb_handle_ptr track = engines.add_track(
        "order.mp3", {{"TITLE", {"Zeta"}}, {"ARTIST", {"Moe", "Al", "Zed"}}, {"GENRE", {"Rock", "Pop", "Ambient"}}, {"ALBUM", {"B"}}});
    std::vector<std::string> expected{"TITLE=Zeta", "ARTIST=Moe|Al|Zed", "GENRE=Rock|Pop|Ambient", "ALBUM=B"};
    {
        sonavel::metadb_read_lock lock;
        const file_info* record = track->get_info_locked();
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(fields_and_values(*record), expected);
    }
    file_info_impl copy;
    ASSERT_TRUE(track->get_info(copy));
    EXPECT_EQ(fields_and_values(copy), expected);
}

TEST_F(EngineMetadb, RecordsKeepTheCaseOfFieldNamesAndRepeatedValues) {
    metadb_handle_ptr track = engines.add_track("case.mp3", {{"Genre", {"Rock", "Rock", "rock"}}, {"mood", {""}}});
    file_info_impl copy;
    ASSERT_TRUE(track->get_info(copy));
    EXPECT_EQ(fields_and_values(copy), (std::vector<std::string>{"Genre=Rock|Rock|rock", "mood="}));
}

TEST_F(EngineMetadb, MetaFindIgnoresCaseAndAnswersNposForAbsentFields) {
    metadb_handle_ptr rock = engines.add_track("rock.mp3", {{"TITLE", {"T"}}, {"GENRE", {"Rock"}}});
    metadb_handle_ptr other = engines.add_track("other.mp3", {{"MOOD", {"Calm"}}});
    sonavel::metadb_read_lock lock;
    const file_info* record = rock->get_info_locked();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->meta_find("GENRE"), 1u);
    EXPECT_EQ(record->meta_find("genre"), 1u);
    EXPECT_EQ(record->meta_find("GeNrE"), 1u);
    EXPECT_EQ(record->meta_find("title"), 0u);
    EXPECT_EQ(record->meta_find(std::string("Genre")), 1u);
    EXPECT_STREQ(record->meta_get("genre"), "Rock");
    // A name no record uses, and a name only another record uses.
    EXPECT_EQ(record->meta_find("NEVER_USED_FIELD"), file_info::npos);
    EXPECT_EQ(record->meta_find("mood"), file_info::npos);
    EXPECT_EQ(record->meta_find("GENR"), file_info::npos);
    EXPECT_EQ(record->meta_get("mood"), nullptr);
    // Asked twice in a row: an answer remembered for one record must not leak into the next.
    EXPECT_EQ(other->get_info_locked()->meta_find("mood"), 0u);
    EXPECT_EQ(record->meta_find("mood"), file_info::npos);
}

TEST_F(EngineMetadb, MetaFindSeesFieldNamesAddedAfterAMiss) {
    metadb_handle_ptr track = engines.add_track("late.mp3", {{"TITLE", {"T"}}});
    {
        sonavel::metadb_read_lock lock;
        EXPECT_EQ(track->get_info_locked()->meta_find("comment"), file_info::npos);
    }
    file_info_impl with_comment = engines.make_record({{"TITLE", {"T"}}, {"COMMENT", {"c"}}});
    engines.store.set_record(track_of(track), &with_comment);
    sonavel::metadb_read_lock lock;
    EXPECT_EQ(track->get_info_locked()->meta_find("comment"), 1u);
}

TEST_F(EngineMetadb, MetaFindFoldsNonAsciiFieldNames) {
    metadb_handle_ptr track = engines.add_track("umlaut.mp3", {{"ÄRGER", {"viel"}}});
    sonavel::metadb_read_lock lock;
    EXPECT_EQ(track->get_info_locked()->meta_find("ärger"), 0u);
    EXPECT_EQ(track->get_info_locked()->meta_find("arger"), file_info::npos);
}

TEST_F(EngineMetadb, TechnicalInfoLengthAndReplayGainRoundTrip) {
    metadb_handle_ptr track = db->handle_create("tech.flac", 0);
    file_info_impl record;
    record.meta_add("TITLE", "Tech");
    record.info_set("codec", "FLAC");
    record.info_set("bitrate", "912");
    record.info_set("samplerate", "44100");
    record.set_length(215.25);
    sonavel::replaygain_info rg;
    rg.album_gain = -7.5f;
    rg.track_gain = -6.25f;
    rg.album_peak = 0.98f;
    rg.track_peak = 0.875f;
    rg.album_gain_present = true;
    rg.track_gain_present = true;
    record.set_replaygain(rg);
    engines.store.set_record(track_of(track), &record);

    file_info_impl copy;
    ASSERT_TRUE(track->get_info(copy));
    EXPECT_TRUE(copy.equals(record));
    EXPECT_EQ(copy.get_length(), 215.25);
    EXPECT_EQ(copy.get_replaygain(), rg);
    ASSERT_EQ(copy.info_get_count(), 3u);
    EXPECT_STREQ(copy.info_enum_name(0), "codec");
    EXPECT_STREQ(copy.info_enum_value(1), "912");

    sonavel::metadb_read_lock lock;
    const file_info* stored = track->get_info_locked();
    EXPECT_EQ(stored->info_find("BITRATE"), 1u);
    EXPECT_STREQ(stored->info_enum_value(2), "44100");
    EXPECT_EQ(stored->get_length(), 215.25);
    EXPECT_EQ(stored->get_replaygain(), rg);
}

TEST_F(EngineMetadb, ReplayGainAloneIsKept) {
    metadb_handle_ptr track = db->handle_create("rg-only.mp3", 0);
    file_info_impl record;
    sonavel::replaygain_info rg;
    rg.track_peak = 0.5f;
    record.set_replaygain(rg);
    engines.store.set_record(track_of(track), &record);
    file_info_impl copy;
    ASSERT_TRUE(track->get_info(copy));
    EXPECT_EQ(copy.get_replaygain(), rg);
    EXPECT_EQ(copy.meta_get_count(), 0u);
    EXPECT_EQ(copy.info_get_count(), 0u);
}

TEST_F(EngineMetadb, NewRecordReplacesTheWholeOldOne) {
    metadb_handle_ptr track = engines.add_track("replace.mp3", {{"TITLE", {"Old"}}, {"GENRE", {"Rock"}}});
    file_info_impl first;
    first.meta_add("TITLE", "Old");
    first.info_set("codec", "MP3");
    first.set_length(10);
    engines.store.set_record(track_of(track), &first);
    file_info_impl second = engines.make_record({{"ARTIST", {"New"}}});
    engines.store.set_record(track_of(track), &second);
    file_info_impl copy;
    ASSERT_TRUE(track->get_info(copy));
    EXPECT_EQ(fields_and_values(copy), std::vector<std::string>{"ARTIST=New"});
    EXPECT_EQ(copy.info_get_count(), 0u);
    EXPECT_EQ(copy.get_length(), 0);
}

TEST_F(EngineMetadb, RecordsOfAnySizeReplaceEachOther) {
    player::FieldValues many_values;
    for (int f = 0; f < 6; ++f) {
        std::vector<std::string> values;
        for (int v = 0; v <= f; ++v) values.push_back("v" + std::to_string(f) + "." + std::to_string(v));
        many_values.emplace_back("FIELD" + std::to_string(f), values);
    }
    const file_info_impl big = engines.make_record(many_values);
    const file_info_impl small = engines.make_record({{"GENRE", {"Rock"}}});
    const file_info_impl empty;
    metadb_handle_ptr track = db->handle_create("sizes.mp3", 0);
    const std::vector<const file_info*> sequence{&big, &small, &big, &empty, &small, nullptr, &big};
    for (const file_info* record : sequence) {
        engines.store.set_record(track_of(track), record);
        file_info_impl copy;
        ASSERT_EQ(track->get_info(copy), record != nullptr);
        if (record) {
            EXPECT_EQ(fields_and_values(copy), fields_and_values(*record));
        }
    }
}

TEST_F(EngineMetadb, LongFieldNamesAreFoundWithoutRegardToCase) {
    const std::string name(80, 'N');
    const std::string lower(80, 'n');
    metadb_handle_ptr track = engines.add_track("long.mp3", {{"SHORT", {"s"}}, {name, {"long"}}});
    sonavel::metadb_read_lock lock;
    const file_info* record = track->get_info_locked();
    EXPECT_EQ(record->meta_find(lower), 1u);
    EXPECT_EQ(record->meta_find("short"), 0u);
    EXPECT_EQ(record->meta_find(lower), 1u);
    EXPECT_EQ(record->meta_find(std::string(79, 'n')), file_info::npos);
    EXPECT_EQ(record->meta_find(std::string(81, 'n')), file_info::npos);
}

TEST_F(EngineMetadb, GetInfoGivesADeepCopy) {
    metadb_handle_ptr track = engines.add_track("copy.mp3", {{"GENRE", {"Rock"}}});
    file_info_impl copy;
    ASSERT_TRUE(track->get_info(copy));
    file_info_impl changed;
    changed.meta_add("GENRE", "Jazz");
    changed.info_set("codec", "Opus");
    changed.set_length(3);
    engines.store.set_record(track_of(track), &changed);
    EXPECT_STREQ(copy.meta_get("GENRE"), "Rock");
    EXPECT_EQ(copy.info_get_count(), 0u);
    EXPECT_EQ(copy.get_length(), 0);
    // The copy is the caller's own: changing it leaves the store alone.
    copy.meta_add("GENRE", "Pop");
    EXPECT_EQ(values_of(track, "GENRE"), std::vector<std::string>{"Jazz"});
}

TEST_F(EngineMetadb, StoredRecordsAreReadOnly) {
    metadb_handle_ptr track = engines.add_track("ro.mp3", {{"GENRE", {"Rock"}}});
    sonavel::metadb_read_lock lock;
    // Components see const records; a cast must still not let them write the store's copy.
    auto& record = const_cast<file_info&>(*track->get_info_locked());
    EXPECT_THROW(record.meta_add("GENRE", "Pop"), sonavel::exception_bug_check);
    EXPECT_THROW(record.meta_insert_value_ex(0, 0, "Pop", 3), sonavel::exception_bug_check);
    EXPECT_THROW(record.meta_remove_values(0, 0, 1), sonavel::exception_bug_check);
    EXPECT_THROW(record.meta_remove_field(0), sonavel::exception_bug_check);
    EXPECT_THROW(record.meta_remove_all(), sonavel::exception_bug_check);
    EXPECT_THROW(record.info_set("codec", "MP3"), sonavel::exception_bug_check);
    EXPECT_THROW(record.info_remove_all(), sonavel::exception_bug_check);
    EXPECT_THROW(record.set_length(1), sonavel::exception_bug_check);
    EXPECT_THROW(record.set_replaygain(sonavel::replaygain_info{}), sonavel::exception_bug_check);
    file_info_impl other;
    other.meta_add("X", "y");
    EXPECT_THROW(record.copy(other), sonavel::exception_bug_check);
    EXPECT_STREQ(record.meta_get("GENRE"), "Rock");
}

// --- The read lock -------------------------------------------------------------------------------

// Replaces a record from another thread and says when it started and when it is done.
class BackgroundWriter {
public:
    BackgroundWriter(player::TrackStore& store, player::Track& track, const file_info& record)
        : thread_([this, &store, &track, &record] {
              started_ = true;
              store.set_record(track, &record);
              done_ = true;
          }) {}
    ~BackgroundWriter() {
        if (thread_.joinable()) thread_.join();
    }
    bool started() const { return started_; }
    bool done() const { return done_; }

private:
    std::atomic<bool> started_{false}, done_{false};
    std::thread thread_;
};

// Read locks this thread holds; whatever a failed assertion leaves held is released on the way out, so
// that a blocked writer can finish and be joined.
class HeldReads {
public:
    explicit HeldReads(metadb& db) : db_(db) {}
    ~HeldReads() {
        while (count_ > 0) unlock();
    }
    void lock() {
        db_.database_lock();
        ++count_;
    }
    void unlock() {
        --count_;
        db_.database_unlock();
    }

private:
    metadb& db_;
    int count_ = 0;
};

TEST_F(EngineMetadb, WriterWaitsForTheReaderAndProceedsAfterUnlock) {
    metadb_handle_ptr track = engines.add_track("locked.mp3", {{"GENRE", {"Rock"}}});
    file_info_impl replacement = engines.make_record({{"GENRE", {"Jazz"}}});
    {
        std::optional<BackgroundWriter> writer;
        HeldReads reads(*db);  // released before the writer is joined
        reads.lock();
        const file_info* before = track->get_info_locked();
        writer.emplace(engines.store, track_of(track), replacement);
        ASSERT_TRUE(wait_for([&] { return writer->started(); }));
        // Long enough for an unguarded write to land; a correct store stays blocked however long we wait.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(writer->done());
        EXPECT_STREQ(track->get_info_locked()->meta_get("GENRE"), "Rock");
        EXPECT_EQ(track->get_info_locked(), before);
        reads.unlock();
        EXPECT_TRUE(wait_for([&] { return writer->done(); }));
    }
    EXPECT_EQ(values_of(track, "GENRE"), std::vector<std::string>{"Jazz"});
}

TEST_F(EngineMetadb, ReadLockNestsOnOneThreadEvenWhileAWriterWaits) {
    metadb_handle_ptr track = engines.add_track("nested.mp3", {{"GENRE", {"Rock"}}});
    file_info_impl replacement = engines.make_record({{"GENRE", {"Jazz"}}});
    {
        std::optional<BackgroundWriter> writer;
        HeldReads reads(*db);
        reads.lock();
        reads.lock();
        {
            // The SDK's scope lock and get_info take it again on the same thread.
            sonavel::metadb_read_lock inner;
            EXPECT_EQ(values_of(track, "GENRE"), std::vector<std::string>{"Rock"});
        }
        reads.unlock();
        writer.emplace(engines.store, track_of(track), replacement);
        ASSERT_TRUE(wait_for([&] { return writer->started(); }));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // A writer is queued now: taking the lock again must not line up behind it, or this thread
        // would wait for itself.
        reads.lock();
        EXPECT_EQ(values_of(track, "GENRE"), std::vector<std::string>{"Rock"});
        reads.unlock();
        // Still held once: the writer keeps waiting.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(writer->done());
        EXPECT_STREQ(track->get_info_locked()->meta_get("GENRE"), "Rock");
        reads.unlock();
        EXPECT_TRUE(wait_for([&] { return writer->done(); }));
    }
    EXPECT_EQ(values_of(track, "GENRE"), std::vector<std::string>{"Jazz"});
    EXPECT_THROW(db->database_unlock(), sonavel::exception_bug_check);
}

TEST_F(EngineMetadb, ReadersOnOtherThreadsShareTheLock) {
    metadb_handle_ptr track = engines.add_track("shared.mp3", {{"GENRE", {"Rock"}}});
    db->database_lock();
    std::atomic<bool> read{false};
    std::string seen;
    std::thread reader([&] {
        seen = values_of(track, "GENRE").at(0);
        read = true;
    });
    // A reader that had to wait for this thread's lock would still be waiting.
    EXPECT_TRUE(wait_for([&] { return read.load(); }, 2000));
    db->database_unlock();
    reader.join();
    EXPECT_EQ(seen, "Rock");
}

TEST_F(EngineMetadb, ReadersNeverSeeAHalfWrittenRecord) {
    player::FieldValues many_values{{"GENRE", {"Jazz"}}};
    for (int f = 0; f < 8; ++f) many_values.push_back({"F" + std::to_string(f), {"a", "b", "c"}});
    const file_info_impl big = engines.make_record(many_values);
    const file_info_impl small = engines.make_record({{"GENRE", {"Rock"}}});
    metadb_handle_ptr track = engines.add_track("busy.mp3", {{"GENRE", {"Rock"}}});

    std::atomic<bool> stop{false};
    std::atomic<int> copies{0}, locked_reads{0}, torn{0};
    // One reader copies whole records, the other reads one record twice under a single lock.
    std::thread copier([&] {
        file_info_impl copy;
        while (!stop) {
            if (!track->get_info(copy) || !(copy.equals(small) || copy.equals(big))) ++torn;
            ++copies;
        }
    });
    std::thread walker([&] {
        while (!stop) {
            sonavel::metadb_read_lock lock;
            const file_info* record = track->get_info_locked();
            std::string first = record->meta_get("GENRE");
            std::size_t fields = record->meta_get_count();
            std::this_thread::yield();
            if (first != record->meta_get("GENRE") || fields != record->meta_get_count()) ++torn;
            ++locked_reads;
        }
    });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (int i = 0; i < 2000 || copies < 200 || locked_reads < 200; ++i) {
        if (std::chrono::steady_clock::now() > deadline) break;
        engines.store.set_record(track_of(track), i % 2 ? &big : &small);
    }
    stop = true;
    copier.join();
    walker.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GE(copies, 200);
    EXPECT_GE(locked_reads, 200);
}

TEST_F(EngineMetadb, UnlockWithoutLockIsABug) {
    EXPECT_THROW(db->database_unlock(), sonavel::exception_bug_check);
    db->database_lock();
    db->database_unlock();
    EXPECT_THROW(db->database_unlock(), sonavel::exception_bug_check);
    // The lock still works after the mistakes.
    metadb_handle_ptr track = engines.add_track("after.mp3", {{"GENRE", {"Rock"}}});
    EXPECT_EQ(values_of(track, "GENRE"), std::vector<std::string>{"Rock"});
}

TEST_F(EngineMetadb, UnlockOnAnotherThreadThanTheLockIsABug) {
    db->database_lock();
    bool threw = false;
    std::thread other([&] {
        try {
            db->database_unlock();
        } catch (const sonavel::exception_bug_check&) {
            threw = true;
        }
    });
    other.join();
    db->database_unlock();
    EXPECT_TRUE(threw);
}

TEST_F(EngineMetadb, WritingWhileHoldingTheReadLockIsABugNotADeadlock) {
    metadb_handle_ptr track = engines.add_track("upgrade.mp3", {{"GENRE", {"Rock"}}});
    sonavel::metadb_read_lock lock;
    file_info_impl replacement = engines.make_record({{"GENRE", {"Jazz"}}});
    EXPECT_THROW(engines.store.set_record(track_of(track), &replacement), sonavel::exception_bug_check);
    EXPECT_STREQ(track->get_info_locked()->meta_get("GENRE"), "Rock");
}

// --- Memory --------------------------------------------------------------------------------------

TEST_F(EngineMetadb, MemoryCountsStructuresAndEachDistinctValueOnce) {
    auto empty = engines.store.memory();
    EXPECT_GT(empty.structure_bytes, 0u);

    engines.add_track("m1.mp3", {{"GENRE", {"Progressive Rock"}}, {"ARTIST", {"Someone"}}});
    auto one = engines.store.memory();
    EXPECT_GT(one.structure_bytes, empty.structure_bytes);
    EXPECT_GE(one.value_text_bytes, empty.value_text_bytes + std::strlen("Progressive Rock") + std::strlen("Someone"));

    // The same values again: only the track and its record cost more, not the text.
    for (int i = 0; i < 100; ++i) {
        engines.add_track("dup" + std::to_string(i) + ".mp3", {{"GENRE", {"Progressive Rock"}}, {"ARTIST", {"Someone"}}});
    }
    auto many = engines.store.memory();
    EXPECT_EQ(many.value_text_bytes, one.value_text_bytes);
    EXPECT_GT(many.structure_bytes, one.structure_bytes + 100 * sizeof(player::Track));

    std::string fresh(1000, 'x');
    engines.add_track("fresh.mp3", {{"COMMENT", {fresh}}});
    auto more = engines.store.memory();
    EXPECT_GE(more.value_text_bytes, many.value_text_bytes + fresh.size());
    EXPECT_LT(more.value_text_bytes, many.value_text_bytes + fresh.size() + 64);
    // Sensible: nowhere near a runaway figure for a hundred small tracks.
    EXPECT_LT(more.structure_bytes + more.value_text_bytes, std::size_t(64) << 20);
}

}  // namespace
}  // namespace engine_test
