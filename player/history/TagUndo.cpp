#include "player/history/TagUndo.h"

#include <set>

#include "player/engine/FailureReport.h"
#include "player/engine/HostEngines.h"
#include "player/engine/SelfReportingCompletion.h"

namespace player::history {
namespace {

const std::string undo_prefix = "Undo: ";
const std::string redo_prefix = "Redo: ";

std::string quoted(const ValueList& values) {
    if (values.empty()) return "(none)";
    std::string text;
    for (const std::string& value : values) text += (text.empty() ? "\"" : "; \"") + value + "\"";
    return text;
}

// The undo's report is the only message: the files the writer found changed by another program are
// among the files it lists with their values now, and any other failure is listed with them.
class UndoCompletion : public sonavel::completion_notify, public SelfReportingCompletion {
public:
    using interface_t = sonavel::completion_notify;

    // `filter` is the UndoFilter behind `handed_out`, which keeps it alive.
    UndoCompletion(HostEngines& host, sonavel::service_ptr_t<sonavel::file_info_filter> handed_out, UndoFilter& filter,
                   std::int64_t target, std::function<void(const UndoResult&)> done)
        : host_(host), handed_out_(std::move(handed_out)), filter_(&filter), target_(target), done_(std::move(done)) {}

    void take_failures(Failures failures) override { failures_ = std::move(failures); }

    void on_completion(unsigned code) override {
        UndoResult result{target_, code, filter_->skipped()};
        add_found_changed_on_disk(result.skipped);
        std::vector<std::string> lines;
        std::set<std::string> listed;
        for (const SkippedFile& file : result.skipped) {
            lines.push_back(skipped_line(file));
            listed.insert(file.path);
            host_.console.print(("Undo left a file changed since the update: " + lines.back()).c_str());
        }
        // A file the writer refused as changed elsewhere is told of above, or needs nothing (another
        // program put back the very values the undo was to restore).
        listed.insert(failures_.changed_elsewhere.begin(), failures_.changed_elsewhere.end());
        std::size_t others = 0;
        for (const std::string& line : failures_.lines) {
            if (listed.count(line.substr(0, line.find(": ")))) continue;  // no file name holds ": "
            lines.push_back(line);
            ++others;
        }
        if (!lines.empty()) {
            if (others == 0)
                host_.popups.show(failure_report(lines, "restored (changed since the update)").c_str(),
                                  "Undo tag update", sonavel::popup_message::icon_information);
            else
                host_.popups.show(failure_report(lines, "restored").c_str(), "Undo tag update",
                                  sonavel::popup_message::icon_error);
        }
        if (done_) done_(result);
    }

private:
    // The writer checks each file before it writes it: one another program changed since is not written,
    // and the player's record follows the file. Such a file holds neither the old nor the new values.
    void add_found_changed_on_disk(std::vector<SkippedFile>& skipped) {
        std::set<std::string> listed;
        for (const SkippedFile& file : skipped) listed.insert(file.path);
        for (const auto& [path, fields] : filter_->changes()) {
            if (listed.count(path)) continue;
            sonavel::file_info_impl record;
            if (!host_.store.handle_create(path.c_str(), 0)->get_info(record)) continue;
            SkippedFile file{path, {}};
            bool as_before = true;
            bool as_written = true;
            for (const FieldChange& change : fields) {
                ValueList now = values_of(record, change.field);
                if (now != change.before) as_before = false;
                if (now != change.after) {
                    as_written = false;
                    file.fields.push_back({change.field, std::move(now), change.after});
                }
            }
            if (!as_before && !as_written) skipped.push_back(std::move(file));
        }
    }

    HostEngines& host_;
    sonavel::service_ptr_t<sonavel::file_info_filter> handed_out_;
    UndoFilter* filter_;
    std::int64_t target_;
    std::function<void(const UndoResult&)> done_;
    Failures failures_;
};

}  // namespace

std::string undo_origin(const std::string& origin) {
    if (origin.compare(0, undo_prefix.size(), undo_prefix) == 0) return redo_prefix + origin.substr(undo_prefix.size());
    if (origin.compare(0, redo_prefix.size(), redo_prefix) == 0) return undo_prefix + origin.substr(redo_prefix.size());
    return undo_prefix + origin;
}

std::string skipped_line(const SkippedFile& file) {
    std::string line = file.path + ":";
    for (std::size_t i = 0; i < file.fields.size(); ++i) {
        const FieldChange& field = file.fields[i];
        line += (i ? "; " : " ") + field.field + " is " + quoted(field.before) + ", the update wrote " + quoted(field.after);
    }
    return line;
}

bool start_undo(HostEngines& host, TagHistory& history, std::int64_t update, HWND__* parent,
                std::function<void(const UndoResult&)> done) {
    // One at a time: an undo composed while another write runs could take back the same files twice.
    if (host.io.running() != 0) return false;
    std::optional<UpdateSummary> target = history.store().summary(update);
    if (!target || target->undone_by != 0) return false;
    std::vector<FileChanges> files = history.store().changes(update);
    if (files.empty()) return false;

    sonavel::metadb_handle_list tracks;
    tracks.reserve(files.size());
    for (const FileChanges& file : files) tracks.push_back(host.store.handle_create(file.path.c_str(), 0));
    auto filter = sonavel::service_impl_t<UndoFilter>::create(files, undo_origin(target->origin));
    auto& undo_filter = static_cast<UndoFilter&>(*filter);
    auto completion = sonavel::service_impl_t<UndoCompletion>::create(host, filter, undo_filter, update, std::move(done));
    history.next_update_undoes(update);
    try {
        host.io.update_info_async(tracks, filter, parent, 0, completion);
    } catch (...) {
        history.next_update_undoes(0);
        throw;
    }
    return true;
}

bool undo_latest(HostEngines& host, TagHistory& history, HWND__* parent, std::function<void(const UndoResult&)> done) {
    std::optional<std::int64_t> latest = history.store().latest_undoable(false);
    return latest && start_undo(host, history, *latest, parent, std::move(done));
}

bool redo_latest(HostEngines& host, TagHistory& history, HWND__* parent, std::function<void(const UndoResult&)> done) {
    std::optional<std::int64_t> latest = history.store().latest_undoable(true);
    return latest && start_undo(host, history, *latest, parent, std::move(done));
}

}  // namespace player::history
