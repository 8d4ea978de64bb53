#pragma once
// The host's context menu for tracks: the node of every registered contextmenu_item for these tracks and
// this caller, as a Windows pop-up menu (a popup node is a submenu, a command an item with its check
// mark, a separator a separator). The nodes live as long as the menu, so a chosen command runs on its
// own node. Main thread.
#include <windows.h>

#include <memory>
#include <vector>

#include "sdk/contextmenu.h"
#include "sdk/win/unique_handle.h"

namespace player {

class TrackContextMenu {
public:
    TrackContextMenu(sonavel::metadb_handle_list tracks, const sonavel::guid& caller);

    HMENU menu() const noexcept { return menu_.get(); }
    bool empty() const noexcept { return GetMenuItemCount(menu_.get()) <= 0; }
    // Runs the node behind a command id of the menu; false when the id is none of them.
    bool execute(UINT id);
    // Shows the menu at a screen point, then runs what the user chose (nothing when dismissed).
    void track(HWND owner, POINT screen);

private:
    void add_node(HMENU menu, sonavel::contextmenu_item_node& node);

    sonavel::metadb_handle_list tracks_;
    sonavel::guid caller_;
    std::vector<std::unique_ptr<sonavel::contextmenu_item_node>> roots_;
    // Command id n + 1 runs commands_[n].
    std::vector<sonavel::contextmenu_item_node*> commands_;
    sonavel::unique_hmenu menu_;
};

}  // namespace player
