#include "player/history/UndoFilter.h"

namespace player::history {

UndoFilter::UndoFilter(const std::vector<FileChanges>& files, std::string origin) : origin_(std::move(origin)) {
    for (const FileChanges& file : files) {
        auto& fields = by_path_[file.path];
        fields.insert(fields.end(), file.fields.begin(), file.fields.end());
    }
}

bool UndoFilter::apply_filter(const sonavel::metadb_handle_ptr& track, sonavel::file_info& info) {
    auto found = by_path_.find(track->get_path());
    if (found == by_path_.end()) return false;
    const std::vector<FieldChange>& fields = found->second;
    bool as_written = true;
    bool as_before = true;
    SkippedFile skip{found->first, {}};
    for (const FieldChange& change : fields) {
        ValueList now = values_of(info, change.field);
        if (now != change.after) as_written = false;
        if (now != change.before) as_before = false;
        if (now != change.after) skip.fields.push_back({change.field, std::move(now), change.after});
    }
    // Already as it was before the update (it was never written, or was put back): nothing to do.
    if (as_before) return false;
    if (!as_written) {
        std::lock_guard<std::mutex> guard(lock_);
        skipped_.push_back(std::move(skip));
        return false;
    }
    for (const FieldChange& change : fields) set_values(info, change.field, change.before);
    return true;
}

std::vector<SkippedFile> UndoFilter::skipped() const {
    std::lock_guard<std::mutex> guard(lock_);
    return skipped_;
}

}  // namespace player::history
