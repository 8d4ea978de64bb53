#include "player/engine/UpdateJob.h"

#include <algorithm>
#include <functional>

#include "player/engine/SerialThread.h"
#include "sdk/errors.h"
#include "sdk/threaded_process.h"

namespace player {
namespace {

// Tracks composed and then written together: the writer flushes its journal once per group. The first
// group is smaller, so that writing starts soon while the next group is checked.
constexpr std::size_t group_size = 64;
constexpr std::size_t first_group_size = 16;

std::string failure_line(const sonavel::metadb_handle_ptr& track, const std::string& why) {
    return std::string(track->get_path()) + ": " + why;
}

// A group from its composition until what it left in the files is taken in.
struct Group {
    std::vector<TagWrite> writes;
    std::function<bool(std::size_t)> proceed;
    std::unique_ptr<PreparedWrites> prepared;
    // Set on the committing thread, read once the commit is over: why the group could not be kept for
    // undo (it was not written then), and what the history and the records' keeper said of a failure.
    std::string unrecorded;
    std::string history_error;
    std::string keeper_error;
};

// The group's records composed; false when the update was stopped.
bool compose(UpdateJob& work, std::size_t first, std::size_t end, Group& group) {
    auto& abort = work.progress->abort();
    for (std::size_t i = first; i < end; ++i) {
        const auto& track = work.tracks[i];
        if (abort.is_aborting()) return false;
        TagWrite write;
        write.track = track;
        if (!track->get_info(write.before)) continue;
        write.after = write.before;
        try {
            if (!work.filter->apply_filter(track, write.after)) continue;
        } catch (const sonavel::exception_aborted&) {
            return false;
        } catch (const std::exception& e) {
            work.errors.push_back(failure_line(track, sonavel::message_of(e)));
            continue;
        }
        group.writes.push_back(std::move(write));
    }
    return true;
}

// The record each file of the group holds now: the one written, or the one another program left there.
const sonavel::file_info* record_on_disk(const TagWrite& write) {
    if (write.outcome == TagWrite::Outcome::written) return &write.after;
    if (write.outcome == TagWrite::Outcome::changed_elsewhere && write.on_disk) return &*write.on_disk;
    return nullptr;
}

// What the group left in the files reaches whoever keeps records of them, on the committing thread right
// after the commit.
void keep_written(Group& group, WrittenRecords* keeper) {
    if (!keeper) return;
    std::vector<std::pair<std::string, const sonavel::file_info*>> records;
    for (const TagWrite& write : group.writes)
        if (const sonavel::file_info* record = record_on_disk(write)) records.emplace_back(write.track->get_path(), record);
    if (records.empty()) return;
    try {
        keeper->written(records);
    } catch (const std::exception& e) {
        // The files hold what was written; only what is kept of them is behind (a later scan reads them).
        group.keeper_error = sonavel::message_of(e);
    }
}

// On the committing thread: the group is kept for undo, written, its outcomes kept in the history, and
// its records handed to their keeper.
void commit(UpdateJob& work, TagStore& tags, Group& group, WrittenRecords* written_records) {
    if (work.recorder) {
        try {
            work.recorder->record(work.update, group.writes);
        } catch (const std::exception& e) {
            // What could not be kept for undo is not written.
            group.unrecorded = sonavel::message_of(e);
            return;
        }
    }
    tags.commit(*group.prepared);
    if (work.recorder) {
        try {
            work.recorder->record_outcomes(work.update, group.writes);
        } catch (const std::exception& e) {
            group.history_error = sonavel::message_of(e);
        }
    }
    keep_written(group, written_records);
}

// Once the group's commit is over: its outcomes go to the update's tallies.
void take_outcomes(UpdateJob& work, Group& group) {
    if (!group.unrecorded.empty()) {
        for (const TagWrite& write : group.writes)
            work.errors.push_back(failure_line(write.track, "not recorded for undo: " + group.unrecorded));
        return;
    }
    if (!group.history_error.empty()) work.errors.push_back("the history of tag updates: " + group.history_error);
    if (work.keeper_error.empty()) work.keeper_error = group.keeper_error;
    for (TagWrite& write : group.writes) {
        switch (write.outcome) {
        case TagWrite::Outcome::written:
            ++work.updated;
            work.written.emplace_back(write.track, std::move(write.after));
            break;
        case TagWrite::Outcome::changed_elsewhere:
            work.errors.push_back(failure_line(write.track, write.message));
            work.changed_elsewhere.push_back(write.track->get_path());
            // The player's record follows the file, so that what is shown is what is on disk.
            if (write.on_disk) work.written.emplace_back(write.track, std::move(*write.on_disk));
            break;
        case TagWrite::Outcome::failed:
            work.errors.push_back(failure_line(write.track, write.message));
            break;
        case TagWrite::Outcome::skipped:
            work.aborted = true;
            break;
        }
    }
}

}  // namespace

void compose_and_write(UpdateJob& work, TagStore& tags, WrittenRecords* written_records) {
    const std::size_t n = work.tracks.size();
    // The group whose files are going to disk on `committer` meanwhile.
    std::unique_ptr<Group> writing;
    SerialThread committer;
    auto finish_writing = [&] {
        if (!writing) return;
        committer.wait();
        take_outcomes(work, *writing);
        writing.reset();
    };
    for (std::size_t first = 0, end; first < n && !work.aborted; first = end) {
        end = std::min(n, first + (first == 0 ? first_group_size : group_size));
        auto group = std::make_unique<Group>();
        if (!compose(work, first, end, *group)) {
            work.aborted = true;
            break;
        }
        group->proceed = [&work, first, n, writes = &group->writes](std::size_t i) {
            if (work.progress->abort().is_aborting()) return false;
            work.progress->set_item_path((*writes)[i].track->get_path());
            work.progress->set_progress((first + i + 1) * sonavel::threaded_process_status::progress_max / n);
            return true;
        };
        group->prepared = tags.prepare(group->writes, group->proceed);
        // The group before is on disk before this one's files are written: one commit at a time.
        if (writing) committer.wait();
        std::unique_ptr<Group> done = std::move(writing);
        writing = std::move(group);
        committer.run([&work, &tags, written_records, committing = writing.get()] {
            commit(work, tags, *committing, written_records);
        });
        if (done) take_outcomes(work, *done);
    }
    finish_writing();
}

}  // namespace player
