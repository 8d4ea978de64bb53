#pragma once
// The playlists as tabs above the playlist view: one tab per playlist in the playlist manager's order,
// the active one selected. Choosing a tab makes its playlist active; playlists created, removed or
// activated elsewhere (a panel's double-click) show at once. The tabs' text is in the system's message font
// for the window's DPI. Main thread.
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
    // Takes the message font for `dpi`; the parent lays itself out after.
    void set_dpi(unsigned dpi);

private:
    static LRESULT CALLBACK parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR self);

    HWND parent_;
    PlaylistManager& playlists_;
    // Declared before the tabs, which use it until they are destroyed.
    sonavel::unique_hfont font_;
    sonavel::unique_hwnd tabs_;
    bool refreshing_ = false;
};

}  // namespace player
