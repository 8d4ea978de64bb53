#pragma once
// The stand-in player's windows as another process finds them: its main window, the playlist and the
// value list of the first docked panel of the component.
#include <windows.h>

#include <string>

namespace demo {

struct PlayerWindows {
    HWND main = nullptr;
    HWND playlist = nullptr;
    HWND panel_list = nullptr;  // null while no panel is docked
};

// Waits up to `timeout_ms` for the player's main window with its playlist; throws when it does not come.
PlayerWindows find_player(DWORD timeout_ms);
// The panel's value list under the main window, or null.
HWND find_panel_list(HWND main);
// A top-level window of the player's process with this class ("#32768" for menus, "#32770" for dialogs)
// other than the main window, or null.
HWND find_top_level(HWND main, const std::wstring& class_name);
std::wstring class_of(HWND window);

}  // namespace demo
