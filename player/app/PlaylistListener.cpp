#include "player/app/PlaylistListener.h"

namespace player {

using flags = sonavel::playlist_callback_single;

unsigned PlaylistListener::get_flags() {
    return flags::flag_on_items_added | flags::flag_on_items_reordered | flags::flag_on_items_removed |
           flags::flag_on_items_replaced | flags::flag_on_playlist_switch | flags::flag_on_items_selection_change |
           flags::flag_on_item_focus_change | flags::flag_on_items_modified;
}

void PlaylistListener::on_items_added(std::size_t base, const sonavel::metadb_handle_list& tracks,
                                      const sonavel::bit_array& selection) {
    if (target_) target_->items_added(base, tracks.size(), selection);
}

void PlaylistListener::on_items_selection_change(const sonavel::bit_array& affected, const sonavel::bit_array& state) {
    if (target_) target_->selection_changed(affected, state);
}

void PlaylistListener::on_item_focus_change(std::size_t from, std::size_t to) {
    if (target_) target_->focus_changed(from, to);
}

void PlaylistListener::on_items_modified(const sonavel::bit_array& mask) {
    if (target_) target_->items_modified(mask);
}

void PlaylistListener::changed() {
    if (target_) target_->playlist_changed();
}

}  // namespace player
