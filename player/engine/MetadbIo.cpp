#include "player/engine/MetadbIo.h"

#include <memory>
#include <string>

#include "player/engine/HostEngines.h"
#include "sdk/core_api.h"

namespace player {
namespace {

struct job {
    sonavel::metadb_handle_list tracks;
    sonavel::service_ptr_t<sonavel::file_info_filter> filter;
    sonavel::service_ptr_t<sonavel::completion_notify> notify;
    std::unique_ptr<ProgressView> progress;
    // Filled by the worker.
    std::vector<std::pair<sonavel::metadb_handle_ptr, sonavel::file_info_impl>> written;
    std::vector<std::string> errors;
    bool aborted = false;
};

void compose_and_write(job& work, TrackStore& store, TagStore& tags) {
    auto& abort = work.progress->abort();
    std::size_t n = work.tracks.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto& track = work.tracks[i];
        if (abort.is_aborting()) {
            work.aborted = true;
            return;
        }
        work.progress->set_item_path(track->get_path());
        work.progress->set_progress((i + 1) * sonavel::threaded_process_status::progress_max / n);
        sonavel::file_info_impl record;
        if (!track->get_info(record)) continue;
        try {
            if (!work.filter->apply_filter(track, record)) continue;
            tags.write(track, record, abort);
            work.written.emplace_back(track, std::move(record));
        } catch (const sonavel::exception_aborted&) {
            work.aborted = true;
            return;
        } catch (const std::exception& e) {
            work.errors.push_back(std::string(track->get_path()) + ": " + sonavel::message_of(e));
        }
    }
}

}  // namespace

void MetadbIo::update_info_async(const sonavel::metadb_handle_list& tracks,
                                 sonavel::service_ptr_t<sonavel::file_info_filter> filter, HWND__* parent,
                                 std::uint32_t op_flags, sonavel::service_ptr_t<sonavel::completion_notify> notify) {
    auto work = std::make_shared<job>();
    work->tracks = tracks;
    work->filter = std::move(filter);
    work->notify = std::move(notify);
    work->progress = host_.progress->open(parent, "Updating tags",
                                          sonavel::threaded_process_service::flag_show_abort |
                                              sonavel::threaded_process_service::flag_show_progress |
                                              sonavel::threaded_process_service::flag_show_item);
    ++running_;
    host_.workers.start([this, work] {
        try {
            compose_and_write(*work, host_.store, *host_.tags);
        } catch (const std::exception& e) {
            work->errors.push_back(sonavel::message_of(e));
        }
        host_.queue.post([this, work] {
            --running_;
            work->progress->close();
            std::vector<std::pair<sonavel::metadb_handle_ptr, const sonavel::file_info*>> records;
            for (const auto& [track, record] : work->written) records.emplace_back(track, &record);
            for (const auto& error : work->errors) host_.console.print(("Could not update tags of " + error).c_str());
            publish(records);
            unsigned code = work->aborted ? sonavel::completion_notify::aborted
                            : work->errors.empty() ? sonavel::completion_notify::success
                                                   : sonavel::completion_notify::failed;
            if (work->notify.is_valid()) work->notify->on_completion(code);
        });
    });
}

void MetadbIo::apply_changes(const std::vector<std::pair<sonavel::metadb_handle_ptr, sonavel::file_info_impl>>& changes) {
    std::vector<std::pair<sonavel::metadb_handle_ptr, const sonavel::file_info*>> records;
    for (const auto& [track, record] : changes) records.emplace_back(track, &record);
    publish(records);
}

void MetadbIo::publish(const std::vector<std::pair<sonavel::metadb_handle_ptr, const sonavel::file_info*>>& records) {
    if (records.empty()) return;
    std::vector<std::pair<Track*, const sonavel::file_info*>> assignments;
    sonavel::metadb_handle_list changed;
    for (const auto& [track, record] : records) {
        assignments.emplace_back(&TrackStore::track_of(track), record);
        changed.push_back(track);
    }
    host_.store.set_records(assignments);
    sonavel::sort_by_pointer(changed);
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    for (auto& listener : sonavel::service_list_t<sonavel::metadb_io_callback>()) listener->on_changed_sorted(changed, false);
    host_.library.notify_modified(changed);
    host_.playlists.notify_items_modified(changed);
}

}  // namespace player
