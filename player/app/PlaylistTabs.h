#pragma once
// The playlists as tabs above the playlist view: one tab per playlist in the playlist manager's order,
// the active one selected. Choosing a tab makes its playlist active; playlists created, removed or
// activated elsewhere (a panel's double-click) show at once. Main thread.
#include <windows.h>

#include "player/engine/PlaylistManager.h"
#include "sdk/win/unique_handle.h"

namespace player {

class PlaylistTabs {
public:
    static constexpr int control_id = 1002;

    PlaylistTabs(HWND parent, PlaylistManager& playlists);
    ~PlaylistTabs();
    PlaylistTabs(const PlaylistTabs&) = delete;
    PlaylistTabs& operator=(const PlaylistTabs&) = delete;

    HWND window() const noexcept { return tabs_.get(); }
    // The height the tabs take at the top of their area.
    int height() const;
    // Shows the playlists as they are now.
    void refresh();

private:
    static LRESULT CALLBACK parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR self);

    HWND parent_;
    PlaylistManager& playlists_;
    sonavel::unique_hwnd tabs_;
    bool refreshing_ = false;
};

}  // namespace player
