#include "integration/TagUpdateCallback.h"

#include "integration/PanelFillerMainThreadCallback.h"
#include "integration/ReactionSwitch.h"
#include "panel/model/FillEvent.h"
#include "sdk/core_api.h"
#include "sdk/playlist.h"

namespace quennet {

void TagUpdateCallback::on_changed_sorted(const sonavel::metadb_handle_list& items_sorted, bool from_hook) {
    if (!host_ready() || from_hook || !tag_update_reaction_on()) return;
    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    const std::size_t active = playlists->get_active_playlist();
    if (active == sonavel::no_item) return;
    for (const auto& track : playlists->get_selected_items(active)) {
        if (sonavel::contains_sorted(items_sorted, track)) {
            post_fill_event(tracks_changed);
            return;
        }
    }
}

}  // namespace quennet
