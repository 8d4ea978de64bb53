#include "integration/VarnelContextItem.h"

#include "host/PanelHostCheck.h"
#include "integration/VarnelContextPopup.h"
#include "ui/PopupWindows.h"

namespace quennet {

bool VarnelContextItem::offered_to(const sonavel::guid& caller, std::size_t track_count) noexcept {
    using item = sonavel::contextmenu_item;
    if (caller == item::caller_keyboard_shortcut_list) return true;
    if (caller == item::caller_active_playlist_selection || caller == item::caller_playlist_manager)
        return track_count > 0;
    return false;
}

std::unique_ptr<sonavel::contextmenu_item_node> VarnelContextItem::instantiate_item(
    unsigned, const sonavel::metadb_handle_list& tracks, const sonavel::guid& caller) {
    if (!installed_panel_host_sufficient()) return nullptr;
    if (!offered_to(caller, tracks.size())) return nullptr;
    return std::make_unique<VarnelContextPopup>(item_name, popup_window_names());
}

void VarnelContextItem::item_execute_simple(unsigned index, const sonavel::guid& node,
                                            const sonavel::metadb_handle_list& tracks, const sonavel::guid& caller) {
    std::unique_ptr<sonavel::contextmenu_item_node> menu = instantiate_item(index, tracks, caller);
    if (!menu) return;
    for (std::size_t i = 0; i < menu->get_children_count(); ++i) {
        sonavel::contextmenu_item_node* child = menu->get_child(i);
        if (child && child->get_guid() == node) {
            child->execute(tracks, caller);
            return;
        }
    }
}

bool VarnelContextItem::get_item_description(unsigned, std::string& out) {
    out = item_name;
    return true;
}

}  // namespace quennet
