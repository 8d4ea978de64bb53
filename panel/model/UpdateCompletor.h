#pragma once
// Carries the refresh of a tag update across the host's asynchronous write.
#include <string>
#include <unordered_map>
#include <vector>

#include "panel/model/TagChanges.h"
#include "sdk/metadb.h"

namespace quennet {

class PanelModel;

class UpdateCompletor : public sonavel::completion_notify {
public:
    using interface_t = sonavel::completion_notify;

    UpdateCompletor(std::vector<PanelModel*> panels, unsigned event, PanelModel* initiating, std::string preset_name);

    // Refreshes whatever the code: the host reports write errors itself. Never throws into the host.
    void on_completion(unsigned code) override;

private:
    std::vector<PanelModel*> panels_;
    unsigned event_;
    PanelModel* initiating_;
    std::string preset_name_;
};

// Hands the host each written track's new record, and says what started the update.
class NewRecordFilter : public sonavel::file_info_filter, public sonavel::file_info_filter_origin {
public:
    using interface_t = sonavel::file_info_filter;
    using extra_interfaces_t = sonavel::interface_list<sonavel::file_info_filter_origin>;

    NewRecordFilter(WriteList records, std::string origin);
    bool apply_filter(const sonavel::metadb_handle_ptr& track, sonavel::file_info& info) override;
    void get_origin(std::string& out) override { out = origin_; }

private:
    WriteList records_;
    std::string origin_;
    // Position of each track's record: the host asks once per track of a write of many thousands.
    std::unordered_map<const sonavel::metadb_handle*, std::size_t> position_;
};

}  // namespace quennet
