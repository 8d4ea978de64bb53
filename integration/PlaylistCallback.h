#pragma once
// Changes of the active playlist that can change what the panels show: each posts event 3.
#include "sdk/playlist.h"

namespace quennet {

class PlaylistCallback : public sonavel::playlist_callback_single_static {
public:
    using interface_t = sonavel::playlist_callback_single_static;

    static constexpr unsigned subscribed = flag_on_items_added | flag_on_items_removed |
                                           flag_on_items_selection_change | flag_on_item_focus_change |
                                           flag_on_items_replaced | flag_on_playlist_switch;

    unsigned get_flags() override { return subscribed; }

    void on_items_added(std::size_t base, const sonavel::metadb_handle_list& tracks,
                        const sonavel::bit_array& selection) override;
    void on_items_removed(const sonavel::bit_array& mask, std::size_t old_count, std::size_t new_count) override;
    void on_items_selection_change(const sonavel::bit_array& affected, const sonavel::bit_array& state) override;
    void on_item_focus_change(std::size_t from, std::size_t to) override;
    void on_items_replaced(const sonavel::bit_array& mask) override;
    void on_playlist_switch() override;
};

}  // namespace quennet
