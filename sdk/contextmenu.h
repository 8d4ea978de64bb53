#pragma once
// Entries of the host's context menu for tracks.
#include <cstddef>
#include <memory>
#include <string>

#include "sdk/metadb.h"

namespace sonavel {

// A node of a dynamically built menu. Nodes are owned: the root by the host, children by their parent.
class contextmenu_item_node {
public:
    enum node_type { type_command, type_popup, type_separator };
    enum display_flags : unsigned { flag_checked = 1, flag_disabled = 2, flag_grayed = 4, flag_radiochecked = 8 };

    virtual ~contextmenu_item_node() = default;
    virtual node_type get_type() = 0;
    // Display text and flags; false hides the node.
    virtual bool get_display_data(std::string& out, unsigned& flags, const metadb_handle_list& tracks,
                                  const guid& caller) = 0;
    virtual std::size_t get_children_count() { return 0; }
    virtual contextmenu_item_node* get_child(std::size_t index) { return nullptr; }
    virtual void execute(const metadb_handle_list& tracks, const guid& caller) {}
    virtual guid get_guid() = 0;
    virtual bool is_mappable_shortcut() = 0;
    virtual bool get_description(std::string& out) { return false; }
};

// Implemented by components; main thread. A command path is the default path plus the node names.
class contextmenu_item : public service_base {
public:
    static constexpr guid class_guid = {0xD08A703E, 0xF55C, 0x4552, {0x86, 0xB5, 0x04, 0x1A, 0x6C, 0x62, 0xF3, 0xBB}};
    using parent_t = service_base;

    // Who opens the menu.
    static constexpr guid caller_active_playlist_selection = {0xE3207CF6, 0x60FA, 0x4773, {0x8A, 0x90, 0x1F, 0x21, 0x8E, 0x40, 0xB9, 0x2D}};
    static constexpr guid caller_active_playlist = {0x649B4675, 0xA7B2, 0x4438, {0x8C, 0xD0, 0xA9, 0xC0, 0xA9, 0x28, 0x19, 0x52}};
    static constexpr guid caller_playlist_manager = {0x6F78B006, 0x1178, 0x487A, {0xB9, 0x71, 0x20, 0x27, 0x63, 0x54, 0xB6, 0xFF}};
    static constexpr guid caller_now_playing = {0x20A23B06, 0xE30C, 0x4FC8, {0x93, 0xA7, 0x15, 0xED, 0xFC, 0x43, 0x8A, 0xA9}};
    static constexpr guid caller_keyboard_shortcut_list = {0x6E21979D, 0x818E, 0x41F3, {0x8C, 0x92, 0x2B, 0x79, 0x3C, 0x7B, 0xE7, 0xE9}};
    static constexpr guid caller_media_library_viewer = {0x534DD812, 0x14D8, 0x4FB3, {0xA5, 0x0F, 0xD1, 0x49, 0xA1, 0x1B, 0xDE, 0x53}};

    virtual unsigned get_num_items() = 0;
    // The item's node for one opening of the menu, or nullptr to hide it.
    virtual std::unique_ptr<contextmenu_item_node> instantiate_item(unsigned index, const metadb_handle_list& tracks,
                                                                    const guid& caller) = 0;
    // Runs the node with identifier `node` directly (the keyboard shortcut path).
    virtual void item_execute_simple(unsigned index, const guid& node, const metadb_handle_list& tracks,
                                     const guid& caller) = 0;
    virtual guid get_item_guid(unsigned index) = 0;
    virtual void get_item_name(unsigned index, std::string& out) = 0;
    virtual void get_item_default_path(unsigned index, std::string& out) = 0;
    virtual bool get_item_description(unsigned index, std::string& out) = 0;
    virtual double get_sort_priority() { return 0; }
};

// Second version: the item names the menu group it belongs to.
class contextmenu_item_v2 : public contextmenu_item {
public:
    static constexpr guid class_guid = {0x8CD656F3, 0x8A9A, 0x4243, {0xB3, 0x16, 0xA2, 0x3A, 0x33, 0x03, 0x6F, 0x6B}};
    using parent_t = contextmenu_item;

    // The host's groups.
    static constexpr guid group_root = {0xAE50A0D7, 0x1453, 0x4929, {0x8D, 0x27, 0x2C, 0x25, 0xE9, 0x1C, 0x92, 0xE8}};
    static constexpr guid group_tagging = {0x40C5AD19, 0x10C7, 0x4679, {0xBA, 0xE8, 0x58, 0xC2, 0x94, 0x7D, 0x7D, 0x29}};
    static constexpr guid group_utilities = {0x0DDBCEB0, 0xE301, 0x4DA5, {0x94, 0x30, 0x8A, 0xC5, 0x1A, 0xE7, 0x9D, 0x6F}};

    virtual guid get_parent() = 0;
};

}  // namespace sonavel
