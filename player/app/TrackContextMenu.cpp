#include "player/app/TrackContextMenu.h"

#include <string>

#include "sdk/core_api.h"
#include "sdk/win/uwin.h"

namespace player {
namespace {

using node_t = sonavel::contextmenu_item_node;

UINT state_flags(unsigned flags) {
    UINT out = 0;
    if (flags & (node_t::flag_checked | node_t::flag_radiochecked)) out |= MF_CHECKED;
    if (flags & node_t::flag_grayed) out |= MF_GRAYED;
    else if (flags & node_t::flag_disabled) out |= MF_DISABLED;
    return out;
}

}  // namespace

TrackContextMenu::TrackContextMenu(sonavel::metadb_handle_list tracks, const sonavel::guid& caller)
    : tracks_(std::move(tracks)), caller_(caller), menu_(CreatePopupMenu()) {
    for (auto& item : sonavel::service_list_t<sonavel::contextmenu_item>()) {
        for (unsigned i = 0; i < item->get_num_items(); ++i) {
            if (auto node = item->instantiate_item(i, tracks_, caller_)) roots_.push_back(std::move(node));
        }
    }
    for (auto& root : roots_) add_node(menu_.get(), *root);
}

void TrackContextMenu::add_node(HMENU menu, node_t& node) {
    std::string text;
    unsigned flags = 0;
    switch (node.get_type()) {
    case node_t::type_separator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    case node_t::type_popup: {
        if (!node.get_display_data(text, flags, tracks_, caller_)) return;
        sonavel::unique_hmenu submenu(CreatePopupMenu());
        for (std::size_t i = 0; i < node.get_children_count(); ++i) {
            if (node_t* child = node.get_child(i)) add_node(submenu.get(), *child);
        }
        // The parent menu owns the submenu from here on.
        sonavel::uAppendMenu(menu, MF_POPUP | MF_STRING | state_flags(flags), UINT_PTR(submenu.get()), text.c_str());
        submenu.release();
        return;
    }
    case node_t::type_command:
        if (!node.get_display_data(text, flags, tracks_, caller_)) return;
        commands_.push_back(&node);
        if (flags & node_t::flag_radiochecked) {
            sonavel::uAppendMenu(menu, MF_STRING | MFT_RADIOCHECK | state_flags(flags), commands_.size(), text.c_str());
        } else {
            sonavel::uAppendMenu(menu, MF_STRING | state_flags(flags), commands_.size(), text.c_str());
        }
        return;
    }
}

bool TrackContextMenu::execute(UINT id) {
    if (id == 0 || id > commands_.size()) return false;
    commands_[id - 1]->execute(tracks_, caller_);
    return true;
}

void TrackContextMenu::track(HWND owner, POINT screen) {
    if (empty()) return;
    // The menu's owner must be in front, or the menu does not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT id = UINT(TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0,
                                  owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    execute(id);
}

}  // namespace player
