#pragma once
// The host's playlists: several, one of them active (or none), each with per-item selection and a focus
// item. Events of the active playlist reach every registered playlist_callback_single_static whose
// subscription mask asks for them; so does the switch to another active playlist or to none. Main thread only.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sdk/playlist.h"

namespace player {

class PlaylistManager : public sonavel::playlist_service {
public:
    using interface_t = sonavel::playlist_service;

    std::size_t get_playlist_count() override { return playlists_.size(); }
    std::string get_playlist_name(std::size_t playlist) override;
    std::size_t get_active_playlist() override { return active_; }
    void set_active_playlist(std::size_t playlist) override;
    std::size_t find_playlist(const char* name) override;
    std::size_t create_playlist(const char* name, std::size_t index) override;
    void remove_playlist(std::size_t playlist) override;
    // Gives the playlist another name (the player's tabs show it).
    void rename_playlist(std::size_t playlist, const std::string& name);

    std::size_t get_item_count(std::size_t playlist) override;
    sonavel::metadb_handle_ptr get_item_handle(std::size_t playlist, std::size_t item) override;
    void enum_items(std::size_t playlist, const sonavel::bit_array& mask, const item_receiver& receiver) override;
    bool is_item_selected(std::size_t playlist, std::size_t item) override;
    std::size_t get_focus_item(std::size_t playlist) override;
    void set_focus_item(std::size_t playlist, std::size_t item) override;
    void set_selection(std::size_t playlist, const sonavel::bit_array& affected, const sonavel::bit_array& state) override;

    std::size_t insert_items(std::size_t playlist, std::size_t base, const sonavel::metadb_handle_list& tracks,
                             const sonavel::bit_array& selection) override;
    void remove_items(std::size_t playlist, const sonavel::bit_array& mask) override;
    void replace_item(std::size_t playlist, std::size_t item, const sonavel::metadb_handle_ptr& track) override;
    // Puts the items in a new order: order[i] is the old position of the item that comes i-th. Selection and
    // focus move with their items; listeners hear of a reorder, not of items removed and added.
    void reorder_items(std::size_t playlist, const std::vector<std::size_t>& order);

    // Tells listeners that the records of these items changed (the tag-change path of the host).
    void notify_items_modified(const sonavel::metadb_handle_list& tracks);
    // Told whenever a playlist is created or removed or another one becomes active (the player's tabs).
    void set_list_observer(std::function<void()> observer) { list_observer_ = std::move(observer); }

private:
    struct playlist {
        std::string name;
        sonavel::metadb_handle_list items;
        std::vector<bool> selected;
        std::size_t focus = sonavel::no_item;
    };
    playlist& at(std::size_t index);
    // Where the playlist is now, or no_item when it is gone.
    std::size_t index_of(const playlist* p) const noexcept;
    template <typename Call>
    void notify(std::size_t playlist, unsigned flag, const Call& call);
    template <typename Call>
    void notify_all(unsigned flag, const Call& call);
    // Tells listeners that another playlist, or none, is active now.
    void switched();

    // Held by pointer: listeners may create or remove playlists while being told of a removal, and the
    // removal must still reach its own playlist afterwards.
    std::vector<std::unique_ptr<playlist>> playlists_;
    std::size_t active_ = sonavel::no_item;
    std::function<void()> list_observer_;
    void lists_changed() {
        if (list_observer_) list_observer_();
    }
};

}  // namespace player
