#pragma once
// The player's main window: the host's main window with a menu (File: Add folder..., Remove folder,
// Exit; View: one entry per registered panel type, which docks a panel of that type), the playlists'
// tabs above the active playlist on the left
// and the docked panels stacked on the right. Right-click on the playlist opens the track context menu
// over the selected tracks. Closing the window ends the message loop. Main thread.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "player/app/FolderMenu.h"
#include "player/app/LayoutFile.h"
#include "player/app/PlaylistTabs.h"
#include "player/app/PlaylistView.h"
#include "player/win/DockHost.h"
#include "player/win/WinHost.h"
#include "sdk/win/unique_handle.h"

namespace player {

class PlayerWindow {
public:
    enum command : UINT { command_add_folder = 100, command_exit = 101, command_first_panel_type = 200 };
    static constexpr int dock_width = 440;

    struct PanelType {
        sonavel::guid type;
        std::string name;
    };

    // With a library, File > Add folder adds to it and File > Remove folder lists its folders.
    explicit PlayerWindow(WinHost& host, library::LibrarySync* library = nullptr);
    ~PlayerWindow();
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    HWND frame() const noexcept { return frame_; }
    PlaylistView& playlist() noexcept { return *playlist_; }
    PlaylistTabs& tabs() noexcept { return *tabs_; }
    // File > Remove folder (null without a library).
    HMENU remove_folder_menu() const noexcept { return remove_menu_; }
    // The registered panel types, in the order of the View menu.
    const std::vector<PanelType>& panel_types() const noexcept { return panel_types_; }

    // Docks a new panel of the type below the docked ones; throws "Service not found" for an unknown type.
    DockedPanel& dock(const sonavel::guid& type, const std::vector<std::uint8_t>& config = {});
    const std::vector<std::unique_ptr<DockedPanel>>& docked() const noexcept { return docked_; }
    // The docked panels with their configurations, as the layout file keeps them.
    std::vector<PanelPlacement> placements() const;
    // Docks the stored panels; one that cannot be docked is left out with a console line.
    void restore(const std::vector<PanelPlacement>& panels);

    // Runs a menu command as if the user chose it.
    void run_command(UINT id);
    // The track context menu of the playlist's selection at a screen point.
    void show_track_menu(POINT screen);
    void layout();

private:
    static LRESULT CALLBACK frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self);
    LRESULT on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void build_menu();
    void add_folder();
    void report(const std::exception& e);

    WinHost& host_;
    library::LibrarySync* library_;
    std::unique_ptr<FolderMenu> folder_menu_;
    HMENU remove_menu_ = nullptr;  // owned by the menu bar
    std::unique_ptr<PlaylistTabs> tabs_;
    HWND frame_;
    std::vector<PanelType> panel_types_;
    sonavel::unique_hmenu menu_;
    std::unique_ptr<PlaylistView> playlist_;
    std::vector<std::unique_ptr<DockedPanel>> docked_;
};

}  // namespace player
