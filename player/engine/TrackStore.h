#pragma once
// The metadata database: one Track per location, their current records, and the read/write lock that
// guards the records. Readers (any thread) take the shared lock, nested as often as they like; the store
// changes records only under the exclusive lock, during which the writing thread may read freely.
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <shared_mutex>
#include <utility>
#include <vector>

#include "player/engine/RecordTables.h"
#include "player/engine/Track.h"
#include "sdk/metadb.h"

namespace player {

class TrackStore : public sonavel::metadb {
public:
    using interface_t = sonavel::metadb;

    TrackStore() = default;
    TrackStore(const TrackStore&) = delete;
    TrackStore& operator=(const TrackStore&) = delete;

    void database_lock() override;
    void database_unlock() override;
    sonavel::metadb_handle_ptr handle_create(const char* path, std::uint32_t subsong) override;

    Track& track(const char* path, std::uint32_t subsong = 0);
    static Track& track_of(const sonavel::metadb_handle_ptr& handle) { return static_cast<Track&>(*handle); }

    // Replaces records (null: the track has none). Takes the exclusive lock unless this thread holds it.
    void set_record(Track& track, const sonavel::file_info* record);
    void set_records(const std::vector<std::pair<Track*, const sonavel::file_info*>>& records);

    std::size_t track_count() const;

    // Approximate heap use: the tracks, their records and the tables, and the text of distinct values.
    struct memory_use {
        std::size_t structure_bytes = 0;
        std::size_t value_text_bytes = 0;
    };
    memory_use memory();

    // Shared lock for a scope (nests like database_lock).
    class read_scope {
    public:
        explicit read_scope(TrackStore& store) : store_(store) { store.database_lock(); }
        ~read_scope() { store_.database_unlock(); }
        read_scope(const read_scope&) = delete;
        read_scope& operator=(const read_scope&) = delete;

    private:
        TrackStore& store_;
    };

    // Exclusive lock for a scope.
    class write_scope {
    public:
        explicit write_scope(TrackStore& store);
        ~write_scope();
        write_scope(const write_scope&) = delete;
        write_scope& operator=(const write_scope&) = delete;

    private:
        TrackStore& store_;
        bool owner_;
    };

private:
    friend class Track;

    mutable std::shared_mutex lock_;
    RecordTables tables_;

    mutable std::mutex index_lock_;  // guards the handles and paths, not the records
    StringPool paths_;
    std::vector<std::uint32_t> track_of_path_;                        // path id -> track index, subsong 0
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> other_subsongs_;
    std::deque<Track> tracks_;
};

}  // namespace player
