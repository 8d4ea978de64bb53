#include "panel/model/LibraryValueUpdate.h"

#include <utility>

#include "integration/ReactionSwitch.h"
#include "panel/model/FillEvent.h"
#include "panel/model/PanelModel.h"
#include "panel/model/TagUpdate.h"
#include "panel/model/UpdateCompletor.h"
#include "sdk/core_api.h"

namespace quennet {

bool start_library_value_change(PanelModel& panel, const LibraryValueChange& change, LibraryChangePlan plan) {
    const std::size_t files = plan.writes.tracks.size();
    if (files == 0 || panel.busy()) return false;
    if (!confirm_update(files)) return false;

    Options& options = panel.current_options();
    apply_to_value_list(options, change);
    update_preset(panel.preset_list(), options);

    panel.set_busy(true);
    set_tag_update_reaction(false);
    const std::vector<PanelModel*> panels{&panel};
    try {
        sonavel::metadb_handle_list tracks = plan.writes.tracks;
        auto filter = sonavel::service_impl_t<NewRecordFilter>::create(std::move(plan.writes), change_origin(change));
        auto completor = sonavel::service_impl_t<UpdateCompletor>::create(panels, tags_updated, nullptr, std::string());
        sonavel::standard_api_create_t<sonavel::metadb_io_service>()->update_info_async(
            tracks, filter, sonavel::core()->get_main_window(), 6, completor);
    } catch (...) {
        // Without a write no completion comes to give the panel back.
        refill_after_update(panels, tags_updated, nullptr, std::string());
        set_tag_update_reaction(true);
        throw;
    }
    return true;
}

}  // namespace quennet
