#pragma once
// One tag update on its worker: the tracks' new records composed (each current record through the
// caller's filter) a group at a time, and checked by the tag store; then, on a thread of its own while
// the next group is composed and checked, each group is kept for undo, written, and what it left in the
// files reaches the update's history and the library's records.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "player/engine/Progress.h"
#include "player/engine/TagStore.h"
#include "player/engine/UpdateRecorder.h"
#include "player/engine/WrittenRecords.h"
#include "sdk/file_info.h"
#include "sdk/metadb.h"

namespace player {

struct UpdateJob {
    sonavel::metadb_handle_list tracks;
    sonavel::service_ptr_t<sonavel::file_info_filter> filter;
    sonavel::service_ptr_t<sonavel::completion_notify> notify;
    std::unique_ptr<ProgressView> progress;
    UpdateRecorder* recorder = nullptr;
    std::int64_t update = 0;
    // Filled by the worker.
    std::vector<std::pair<sonavel::metadb_handle_ptr, sonavel::file_info_impl>> written;
    std::vector<std::string> errors;
    std::vector<std::string> changed_elsewhere;  // paths, each with a line in errors
    std::size_t updated = 0;
    bool aborted = false;
    std::string keeper_error;
};

// Worker thread; throws only what nothing could catch earlier (the files written up to then stay in
// `work`).
void compose_and_write(UpdateJob& work, TagStore& tags, WrittenRecords* written_records);

}  // namespace player
