#pragma once
// Tag writing. A worker composes the tracks' new records (each current record through the caller's
// filter), a group at a time, and hands each group to the tag store, with a progress window; then, on
// the main thread, the written records (and the records of files found changed by another program)
// become current, metadb_io callbacks hear of the changed tracks (sorted by handle), library listeners
// of the modified library items, playlists of modified items; the files that were not written are
// listed on the console and in one popup message; last the caller's completion runs.
#include <utility>
#include <vector>

#include "player/engine/Console.h"
#include "player/engine/Library.h"
#include "player/engine/MainThreadQueue.h"
#include "player/engine/PlaylistManager.h"
#include "player/engine/Progress.h"
#include "player/engine/TagStore.h"
#include "player/engine/TrackStore.h"
#include "player/engine/WorkerThreads.h"
#include "sdk/metadb.h"

namespace player {

struct HostEngines;

class MetadbIo : public sonavel::metadb_io_service {
public:
    using interface_t = sonavel::metadb_io_service;

    explicit MetadbIo(HostEngines& host) : host_(host) {}

    void update_info_async(const sonavel::metadb_handle_list& tracks, sonavel::service_ptr_t<sonavel::file_info_filter> filter,
                           HWND__* parent, std::uint32_t op_flags,
                           sonavel::service_ptr_t<sonavel::completion_notify> notify) override;

    // Records changed by someone else (another program rewrote the files): the same notifications as
    // after a write, at once, on the main thread.
    void apply_changes(const std::vector<std::pair<sonavel::metadb_handle_ptr, sonavel::file_info_impl>>& changes);

    // Updates whose completion has not run yet.
    int running() const noexcept { return running_; }

private:
    void publish(const std::vector<std::pair<sonavel::metadb_handle_ptr, const sonavel::file_info*>>& records);

    HostEngines& host_;
    int running_ = 0;
};

}  // namespace player
