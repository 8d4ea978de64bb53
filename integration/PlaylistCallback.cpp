#include "integration/PlaylistCallback.h"

#include "integration/PanelFillerMainThreadCallback.h"
#include "panel/model/FillEvent.h"

namespace quennet {

void PlaylistCallback::on_items_added(std::size_t, const sonavel::metadb_handle_list&, const sonavel::bit_array&) {
    post_fill_event(playlist_changed);
}

void PlaylistCallback::on_items_removed(const sonavel::bit_array&, std::size_t, std::size_t) {
    post_fill_event(playlist_changed);
}

void PlaylistCallback::on_items_selection_change(const sonavel::bit_array&, const sonavel::bit_array&) {
    post_fill_event(playlist_changed);
}

void PlaylistCallback::on_item_focus_change(std::size_t, std::size_t to) {
    // Losing the focus changes no value the panels show.
    if (to == sonavel::no_item) return;
    post_fill_event(playlist_changed);
}

void PlaylistCallback::on_items_replaced(const sonavel::bit_array&) { post_fill_event(playlist_changed); }

void PlaylistCallback::on_playlist_switch() { post_fill_event(playlist_changed); }

}  // namespace quennet
