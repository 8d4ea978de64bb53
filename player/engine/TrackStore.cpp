#include "player/engine/TrackStore.h"

namespace player {
namespace {
constexpr std::uint32_t no_track = 0xFFFFFFFFu;

// Per thread: how deeply it holds the shared lock, and which store it holds exclusively. A thread that
// writes may read without locking again; a reader nests without touching the mutex again.
struct lock_depth {
    const TrackStore* store = nullptr;
    int depth = 0;
};
thread_local lock_depth reading;
thread_local const TrackStore* writing = nullptr;
}  // namespace

sonavel::service_base* Track::service_query(const sonavel::guid& iid) noexcept {
    if (iid != sonavel::metadb_handle::class_guid) return nullptr;
    service_add_ref();
    return this;
}

bool Track::get_info(sonavel::file_info& out) const {
    TrackStore::read_scope lock(store_);
    if (!record_.present()) return false;
    out.copy(record_);
    return true;
}

void TrackStore::database_lock() {
    if (writing == this) return;
    if (reading.store == this && reading.depth > 0) {
        ++reading.depth;
        return;
    }
    lock_.lock_shared();
    reading = {this, 1};
}

void TrackStore::database_unlock() {
    if (writing == this) return;
    if (reading.store != this || reading.depth == 0) throw sonavel::exception_bug_check();
    if (--reading.depth == 0) {
        reading.store = nullptr;
        lock_.unlock_shared();
    }
}

TrackStore::write_scope::write_scope(TrackStore& store) : store_(store), owner_(writing != &store) {
    if (!owner_) return;
    // Upgrading a read lock would deadlock against another reader doing the same.
    if (reading.store == &store && reading.depth > 0) throw sonavel::exception_bug_check();
    store.lock_.lock();
    writing = &store;
}

TrackStore::write_scope::~write_scope() {
    if (!owner_) return;
    writing = nullptr;
    store_.lock_.unlock();
}

sonavel::metadb_handle_ptr TrackStore::handle_create(const char* path, std::uint32_t subsong) {
    return sonavel::metadb_handle_ptr(&track(path, subsong));
}

Track& TrackStore::track(const char* path, std::uint32_t subsong) {
    std::lock_guard<std::mutex> guard(index_lock_);
    std::uint32_t path_id = paths_.intern(path);
    if (path_id >= track_of_path_.size()) track_of_path_.resize(path_id + 1, no_track);
    std::uint32_t* slot;
    if (subsong == 0) {
        slot = &track_of_path_[path_id];
    } else {
        slot = &other_subsongs_.try_emplace({path_id, subsong}, no_track).first->second;
    }
    if (*slot == no_track) {
        *slot = std::uint32_t(tracks_.size());
        tracks_.emplace_back(*this, paths_.text(path_id), subsong, *slot, tables_);
    }
    return tracks_[*slot];
}

void TrackStore::set_record(Track& track, const sonavel::file_info* record) {
    write_scope scope(*this);
    track.record().assign(tables_, record);
}

void TrackStore::set_records(const std::vector<std::pair<Track*, const sonavel::file_info*>>& records) {
    write_scope scope(*this);
    for (const auto& [track, record] : records) track->record().assign(tables_, record);
}

std::size_t TrackStore::track_count() const {
    std::lock_guard<std::mutex> guard(index_lock_);
    return tracks_.size();
}

TrackStore::memory_use TrackStore::memory() {
    read_scope records(*this);
    std::lock_guard<std::mutex> guard(index_lock_);
    memory_use use;
    use.structure_bytes = tracks_.size() * sizeof(Track) + track_of_path_.capacity() * sizeof(std::uint32_t) +
                          paths_.overhead_bytes() + paths_.text_bytes() + tables_.overhead_bytes();
    for (const Track& t : tracks_) use.structure_bytes += t.record().heap_bytes();
    use.value_text_bytes = tables_.values().text_bytes();
    return use;
}

}  // namespace player
