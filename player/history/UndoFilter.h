#pragma once
// The records of an undo: each file gets back the recorded old values of the fields the update changed,
// but only when its fields still hold the values the update wrote. A file changed since is left alone and
// listed as skipped. Called by the tag writing engine's worker.
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "player/history/FieldChanges.h"
#include "sdk/metadb.h"

namespace player::history {

// A file an undo left alone: its fields now and the values the update had written.
struct SkippedFile {
    std::string path;
    std::vector<FieldChange> fields;  // before: the values now; after: the recorded values
};

class UndoFilter : public sonavel::file_info_filter, public sonavel::file_info_filter_origin {
public:
    using interface_t = sonavel::file_info_filter;
    using extra_interfaces_t = sonavel::interface_list<sonavel::file_info_filter_origin>;

    UndoFilter(const std::vector<FileChanges>& files, std::string origin);

    bool apply_filter(const sonavel::metadb_handle_ptr& track, sonavel::file_info& info) override;
    void get_origin(std::string& out) override { out = origin_; }

    // After the update: the files the filter left alone.
    std::vector<SkippedFile> skipped() const;
    // What the undo restores, by path.
    const std::map<std::string, std::vector<FieldChange>>& changes() const noexcept { return by_path_; }

private:
    std::map<std::string, std::vector<FieldChange>> by_path_;
    std::string origin_;
    mutable std::mutex lock_;
    std::vector<SkippedFile> skipped_;
};

}  // namespace player::history
