#pragma once
// "Tag in varnel panel" on the host's context menu for tracks: a submenu that makes a new popup panel
// window ("Default") or shows and hides one of the existing ones. Main thread.
#include "sdk/contextmenu.h"

namespace quennet {

class VarnelContextItem : public sonavel::contextmenu_item_v2 {
public:
    using interface_t = sonavel::contextmenu_item_v2;

    static constexpr sonavel::guid item_guid = {0x7CF33784, 0xDD39, 0x41E3, {0xA0, 0x5E, 0x94, 0xDD, 0xE7, 0x71, 0xB8, 0x4E}};
    static constexpr const sonavel::guid& parent_group = sonavel::contextmenu_item_v2::group_tagging;
    static constexpr const char* item_name = "Tag in varnel panel";

    // The menus that offer the entry: the playlist's selection and the playlist manager only with
    // tracks, the keyboard shortcut list also without.
    static bool offered_to(const sonavel::guid& caller, std::size_t track_count) noexcept;

    unsigned get_num_items() override { return 1; }
    // No node (no entry) without a sufficient panel host or for another caller.
    std::unique_ptr<sonavel::contextmenu_item_node> instantiate_item(unsigned index,
                                                                     const sonavel::metadb_handle_list& tracks,
                                                                     const sonavel::guid& caller) override;
    // Runs the first entry of the submenu with this identifier, if the submenu is offered.
    void item_execute_simple(unsigned index, const sonavel::guid& node, const sonavel::metadb_handle_list& tracks,
                             const sonavel::guid& caller) override;
    sonavel::guid get_item_guid(unsigned) override { return item_guid; }
    void get_item_name(unsigned, std::string& out) override { out = item_name; }
    void get_item_default_path(unsigned, std::string& out) override { out.clear(); }
    bool get_item_description(unsigned, std::string& out) override;
    double get_sort_priority() override { return 0.0; }
    sonavel::guid get_parent() override { return parent_group; }
};

}  // namespace quennet
