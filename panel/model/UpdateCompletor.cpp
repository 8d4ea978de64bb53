#include "panel/model/UpdateCompletor.h"

#include <exception>
#include <utility>

#include "panel/model/TagUpdate.h"
#include "ui/LogLine.h"

namespace quennet {

UpdateCompletor::UpdateCompletor(std::vector<PanelModel*> panels, unsigned event, PanelModel* initiating,
                                 std::string preset_name)
    : panels_(std::move(panels)), event_(event), initiating_(initiating), preset_name_(std::move(preset_name)) {}

void UpdateCompletor::on_completion(unsigned) {
    try {
        refill_after_update(panels_, event_, initiating_, preset_name_);
    } catch (const std::exception& e) {
        log_line(std::string("Refreshing the panels after the tag update failed: ") + e.what());
    } catch (...) {
        log_line("Refreshing the panels after the tag update failed");
    }
}

NewRecordFilter::NewRecordFilter(WriteList records, std::string origin)
    : records_(std::move(records)), origin_(std::move(origin)) {
    position_.reserve(records_.tracks.size());
    for (std::size_t i = 0; i < records_.tracks.size(); ++i) position_.emplace(records_.tracks[i].get_ptr(), i);
}

bool NewRecordFilter::apply_filter(const sonavel::metadb_handle_ptr& track, sonavel::file_info& info) {
    // Runs on the host's worker: only reads the list and its index, which nothing changes after
    // construction.
    auto found = position_.find(track.get_ptr());
    if (found == position_.end()) return false;
    info.copy(records_.records[found->second]);
    return true;
}

}  // namespace quennet
