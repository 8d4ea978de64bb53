#pragma once
// Playlists of the host and their events.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "sdk/bit_array.h"
#include "sdk/metadb.h"

namespace sonavel {

inline constexpr std::size_t no_item = std::size_t(-1);

// Implemented by the host; called on the main thread.
class playlist_service : public service_base {
public:
    static constexpr guid class_guid = {0x6EE5D98D, 0x9764, 0x4C36, {0xAE, 0x04, 0xF9, 0x33, 0x91, 0x5D, 0x8D, 0x27}};
    using parent_t = service_base;

    // Called for each item whose index the mask selects; returns false to stop.
    using item_receiver = std::function<bool(std::size_t index, const metadb_handle_ptr& track, bool selected)>;

    virtual std::size_t get_playlist_count() = 0;
    virtual std::string get_playlist_name(std::size_t playlist) = 0;
    // no_item when no playlist is active.
    virtual std::size_t get_active_playlist() = 0;
    virtual void set_active_playlist(std::size_t playlist) = 0;
    // First playlist whose name equals `name` without regard to case, or no_item.
    virtual std::size_t find_playlist(const char* name) = 0;
    // Creates an empty playlist at `index` (clamped to the end); returns its index.
    virtual std::size_t create_playlist(const char* name, std::size_t index) = 0;
    virtual void remove_playlist(std::size_t playlist) = 0;

    virtual std::size_t get_item_count(std::size_t playlist) = 0;
    virtual metadb_handle_ptr get_item_handle(std::size_t playlist, std::size_t item) = 0;
    virtual void enum_items(std::size_t playlist, const bit_array& mask, const item_receiver& receiver) = 0;
    virtual bool is_item_selected(std::size_t playlist, std::size_t item) = 0;
    // no_item when nothing has the focus.
    virtual std::size_t get_focus_item(std::size_t playlist) = 0;
    virtual void set_focus_item(std::size_t playlist, std::size_t item) = 0;
    // Sets the selection of the items `affected` selects to what `state` says for them.
    virtual void set_selection(std::size_t playlist, const bit_array& affected, const bit_array& state) = 0;

    // Inserts tracks at `base` (clamped to the end) with the given selection; returns the first index.
    virtual std::size_t insert_items(std::size_t playlist, std::size_t base, const metadb_handle_list& tracks,
                                     const bit_array& selection) = 0;
    virtual void remove_items(std::size_t playlist, const bit_array& mask) = 0;
    virtual void replace_item(std::size_t playlist, std::size_t item, const metadb_handle_ptr& track) = 0;

    // Helpers over the calls above.
    void clear(std::size_t playlist) { remove_items(playlist, bit_array_true()); }
    std::size_t add_items_unselected(std::size_t playlist, const metadb_handle_list& tracks) {
        return insert_items(playlist, no_item, tracks, bit_array_false());
    }
    // The selected items in playlist order.
    metadb_handle_list get_selected_items(std::size_t playlist);
    metadb_handle_list get_all_items(std::size_t playlist);
};

// Events of the active playlist. Implemented by listeners; called on the main thread. Bodies are empty
// unless overridden.
class playlist_callback_single {
public:
    enum flags : unsigned {
        flag_on_items_added = 1u << 0,
        flag_on_items_reordered = 1u << 1,
        flag_on_items_removing = 1u << 2,
        flag_on_items_removed = 1u << 3,
        flag_on_items_selection_change = 1u << 4,
        flag_on_item_focus_change = 1u << 5,
        flag_on_items_modified = 1u << 6,
        flag_on_items_modified_fromplayback = 1u << 7,
        flag_on_items_replaced = 1u << 8,
        flag_on_item_ensure_visible = 1u << 9,
        flag_on_playlist_switch = 1u << 10,
        flag_on_playlist_renamed = 1u << 11,
        flag_on_playlist_locked = 1u << 12,
        flag_on_default_format_changed = 1u << 13,
        flag_on_playback_order_changed = 1u << 14,
        flag_all = (1u << 15) - 1,
    };

    virtual void on_items_added(std::size_t base, const metadb_handle_list& tracks, const bit_array& selection) {}
    virtual void on_items_reordered(const std::size_t* order, std::size_t count) {}
    virtual void on_items_removing(const bit_array& mask, std::size_t old_count, std::size_t new_count) {}
    virtual void on_items_removed(const bit_array& mask, std::size_t old_count, std::size_t new_count) {}
    virtual void on_items_selection_change(const bit_array& affected, const bit_array& state) {}
    virtual void on_item_focus_change(std::size_t from, std::size_t to) {}
    virtual void on_items_modified(const bit_array& mask) {}
    virtual void on_items_modified_fromplayback(const bit_array& mask) {}
    virtual void on_items_replaced(const bit_array& mask) {}
    virtual void on_item_ensure_visible(std::size_t item) {}
    // Another playlist is active now, or none (get_active_playlist() then gives no_item).
    virtual void on_playlist_switch() {}
    virtual void on_playlist_renamed(const char* name) {}
    virtual void on_playlist_locked(bool locked) {}
    virtual void on_default_format_changed() {}
    virtual void on_playback_order_changed(std::size_t order) {}

protected:
    ~playlist_callback_single() = default;
};

// A listener registered through a component's service list; the host delivers only the events whose
// flags get_flags() sets.
class playlist_callback_single_static : public service_base, public playlist_callback_single {
public:
    static constexpr guid class_guid = {0x3B6C588E, 0x3092, 0x48EE, {0x8B, 0xEA, 0xC2, 0xD7, 0xFF, 0x17, 0xDD, 0xC9}};
    using parent_t = service_base;

    virtual unsigned get_flags() = 0;
};

}  // namespace sonavel
