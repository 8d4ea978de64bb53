#include "player/engine/MetadbIo.h"

#include <memory>
#include <string>
#include <unordered_set>

#include "player/engine/FailureReport.h"
#include "player/engine/HostEngines.h"
#include "player/engine/SelfReportingCompletion.h"
#include "player/engine/UpdateJob.h"
#include "player/engine/UpdateSummary.h"
#include "sdk/core_api.h"

namespace player {

void MetadbIo::update_info_async(const sonavel::metadb_handle_list& tracks,
                                 sonavel::service_ptr_t<sonavel::file_info_filter> filter, HWND__* parent,
                                 std::uint32_t op_flags, sonavel::service_ptr_t<sonavel::completion_notify> notify) {
    auto work = std::make_shared<UpdateJob>();
    // A track listed twice (a playlist may hold it twice) is one file: it is written once.
    std::unordered_set<const void*> seen;
    for (const auto& track : tracks) {
        if (seen.insert(track.get_ptr()).second) work->tracks.push_back(track);
    }
    work->filter = std::move(filter);
    work->notify = std::move(notify);
    if (host_.recorder) {
        std::string origin = "Tag update";
        if (auto named = sonavel::service_try_query_t<sonavel::file_info_filter_origin>(work->filter); named.is_valid())
            named->get_origin(origin);
        work->update = host_.recorder->begin_update(origin);
        work->recorder = host_.recorder;
    }
    // The window shows once the write has taken half a second: a quick write flashes nothing, and its
    // drawing takes nothing from the write.
    using process = sonavel::threaded_process_service;
    work->progress = host_.progress->open(parent, "Updating tags",
                                          process::flag_show_abort | process::flag_show_progress |
                                              process::flag_show_item | process::flag_show_delayed);
    ++running_;
    host_.workers.start([this, work] {
        try {
            compose_and_write(*work, *host_.tags, host_.written_records);
        } catch (const std::exception& e) {
            work->errors.push_back(sonavel::message_of(e));
        }
        host_.queue.post([this, work] {
            --running_;
            work->progress->close();
            if (work->recorder) {
                try {
                    work->recorder->end_update(work->update);
                } catch (const std::exception& e) {
                    work->errors.push_back("the history of tag updates: " + sonavel::message_of(e));
                }
            }
            std::vector<std::pair<sonavel::metadb_handle_ptr, const sonavel::file_info*>> records;
            for (const auto& [track, record] : work->written) records.emplace_back(track, &record);
            for (const auto& error : work->errors) host_.console.print(("Could not update tags of " + error).c_str());
            if (!work->keeper_error.empty()) {
                std::string text = "The files were written, but the library database could not keep their new tags (" +
                                   work->keeper_error + "). The next scan of their folders reads them again.";
                host_.console.print(text.c_str());
                host_.popups.show(text.c_str(), "Updating tags", sonavel::popup_message::icon_error);
            }
            publish(records);
            host_.status.set(update_summary({work->tracks.size(), work->updated, work->errors.size(), work->aborted}));
            auto* self_reporting = dynamic_cast<SelfReportingCompletion*>(work->notify.get_ptr());
            if (!work->errors.empty()) {
                if (self_reporting) {
                    self_reporting->take_failures({work->errors, work->changed_elsewhere});
                } else {
                    host_.popups.show(failure_report(work->errors, "updated").c_str(), "Updating tags",
                                      sonavel::popup_message::icon_error);
                }
            }
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
