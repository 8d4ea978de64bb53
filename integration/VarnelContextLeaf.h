#pragma once
// One command of the "Tag in varnel panel" submenu: "Default" makes a new popup panel window, the others
// show or hide one popup window. A leaf names its window by position, so it is valid while the list of
// popup windows does not change (one showing of the menu); a position that has gone does nothing.
#include <cstddef>
#include <string>

#include "sdk/contextmenu.h"
#include "ui/PopupConfig.h"

namespace quennet {

class VarnelContextLeaf final : public sonavel::contextmenu_item_node {
public:
    static constexpr sonavel::guid default_guid = {0x256A8B45, 0x6EA1, 0x47E7, {0x8E, 0xF4, 0x1D, 0x11, 0xEE, 0x0C, 0x2C, 0x87}};
    // A popup window's entry has this identifier with its last byte replaced by the entry number.
    static constexpr sonavel::guid window_base_guid = {0xDDF6A2EC, 0x74F7, 0x4E59, {0x94, 0x2B, 0xA0, 0xBE, 0xE2, 0x60, 0xB4, 0x00}};
    static constexpr int default_entry = 0;
    static constexpr int entry_of_position(std::size_t position) noexcept { return int(position) + 2; }

    // `text`: what the menu shows; for a popup window, its name.
    VarnelContextLeaf(int entry, std::string text) : entry_(entry), text_(std::move(text)) {}

    node_type get_type() override { return type_command; }
    // A popup window's entry is checked while the window is visible.
    bool get_display_data(std::string& out, unsigned& flags, const sonavel::metadb_handle_list&,
                          const sonavel::guid&) override;
    void execute(const sonavel::metadb_handle_list&, const sonavel::guid&) override;
    sonavel::guid get_guid() override;
    bool is_mappable_shortcut() override { return true; }

    int entry() const noexcept { return entry_; }

private:
    int entry_;
    std::string text_;
};

// What "Default" creates: no placement, named "Varnel panel", the component's own panel, not persistent.
PopupConfig default_popup_config();

}  // namespace quennet
