#pragma once
// The host's handle of one track. The store creates one per location and keeps it for its own life, so
// handles compare by identity and reference counting never frees them early.
#include <atomic>
#include <cstdint>

#include "player/engine/TrackRecord.h"
#include "sdk/metadb.h"

namespace player {

class TrackStore;

class Track final : public sonavel::metadb_handle {
public:
    Track(TrackStore& store, const char* path, std::uint32_t subsong, std::uint32_t index, const RecordTables& tables)
        : store_(store), path_(path), subsong_(subsong), index_(index), record_(tables) {}
    Track(const Track&) = delete;
    Track& operator=(const Track&) = delete;

    int service_add_ref() noexcept override { return ++refs_; }
    int service_release() noexcept override { return --refs_; }
    sonavel::service_base* service_query(const sonavel::guid& iid) noexcept override;

    const char* get_path() const noexcept override { return path_; }
    std::uint32_t get_subsong() const noexcept override { return subsong_; }
    const sonavel::file_info* get_info_locked() const noexcept override {
        return record_.present() ? &record_ : nullptr;
    }
    bool get_info(sonavel::file_info& out) const override;

    // Position in the store, for per-track tables of other engines.
    std::uint32_t index() const noexcept { return index_; }
    // Only the store changes records, under its write lock.
    TrackRecord& record() noexcept { return record_; }
    const TrackRecord& record() const noexcept { return record_; }

private:
    TrackStore& store_;
    const char* path_;
    std::uint32_t subsong_;
    std::uint32_t index_;
    std::atomic<int> refs_{1};
    TrackRecord record_;
};

}  // namespace player
