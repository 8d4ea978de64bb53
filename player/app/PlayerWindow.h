#pragma once
// The player's main window: the host's main window with a menu (File: Add folder..., Remove folder,
// Preferences..., Exit; View: one entry per registered panel type, which docks a panel of that type, the
// docked panels to show or hide, and Console; Playlist: new, rename, remove; Help: the component's help
// page), the playlists' tabs above the active playlist on the left, the docked panels (DockedPanels)
// stacked on the right and a status bar below. Folders and files dropped onto it join the library.
// Right-click on the playlist opens the track context menu over the selected tracks. Closing the window
// ends the message loop. Main thread.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "player/app/DockedPanels.h"
#include "player/app/FolderMenu.h"
#include "player/app/KeptPanels.h"
#include "player/app/LayoutFile.h"
#include "player/app/PaneLayout.h"
#include "player/app/PlayerKeys.h"
#include "player/app/PlayerStatus.h"
#include "player/app/PlaylistCommands.h"
#include "player/app/PlaylistTabs.h"
#include "player/app/PlaylistView.h"
#include "player/app/ViewLayout.h"
#include "player/prefs/PreferencesDialog.h"
#include "player/win/ConsoleWindow.h"
#include "player/win/DockHost.h"
#include "player/win/WinHost.h"
#include "sdk/win/unique_handle.h"

namespace player {

class PlayerWindow {
public:
    enum command : UINT {
        command_add_folder = 100,
        command_exit = 101,
        command_preferences = 120,
        command_console = 121,
        command_help = 110,
        command_next_pane = 130,
        command_previous_pane = 131,
        command_first_panel_type = DockedPanels::command_first_type,
        // View: one entry per docked panel, ticked while it is shown.
        command_first_docked = DockedPanels::command_first_docked,
        command_last_docked = DockedPanels::command_last_docked,
        // View: one entry per popup window, which brings it forward.
        command_first_popup = 500,
        command_last_popup = 599
    };

    using PanelType = DockedPanels::PanelType;

    // With a library, File > Add folder adds to it and File > Remove folder lists its folders.
    explicit PlayerWindow(WinHost& host, library::LibrarySync* library = nullptr);
    ~PlayerWindow();
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    HWND frame() const noexcept { return frame_; }
    PlaylistView& playlist() noexcept { return *playlist_; }
    PlayerStatus& status() noexcept { return *status_; }
    // The Preferences window and the console window, once opened (they may be hidden again).
    PreferencesDialog* preferences() noexcept { return preferences_.get(); }
    ConsoleWindow* console() noexcept { return console_.get(); }
    // Runs after Preferences gave settings new values.
    std::function<void()> settings_applied;
    PlaylistTabs& tabs() noexcept { return *tabs_; }
    PlaylistCommands& playlist_commands() noexcept { return *playlist_commands_; }
    // File > Remove folder (null without a library).
    HMENU remove_folder_menu() const noexcept { return remove_menu_; }
    // The registered panel types, in the order of the View menu.
    const std::vector<PanelType>& panel_types() const noexcept { return panels_->types(); }

    // Docks a new panel of the type below the docked ones; throws "Service not found" for an unknown type.
    DockedPanel& dock(const sonavel::guid& type, const std::vector<std::uint8_t>& config = {}) {
        return panels_->dock(type, config);
    }
    const std::vector<std::unique_ptr<DockedPanel>>& docked() const noexcept { return panels_->docked(); }
    // The docked panels with their configurations, as the layout file keeps them, and the stored panels
    // that could not be docked at their places, as they were stored.
    std::vector<PanelPlacement> placements() const { return panels_->placements(); }
    // Docks the stored panels; one that cannot be docked is kept aside with a console line.
    void restore(const std::vector<PanelPlacement>& panels) { panels_->restore(panels); }
    const KeptPanels& kept_panels() const noexcept { return panels_->kept(); }

    // The page that Help > "Varnel Panel help" opens with the shell.
    void set_help_file(const std::wstring& path) { help_file_ = path; }

    // Runs a menu command as if the user chose it.
    void run_command(UINT id);
    // The track context menu of the playlist's selection at a screen point.
    void show_track_menu(POINT screen);
    void layout();
    // Where the parts are now (the splitters among them), in the main window's client coordinates.
    const PaneLayout::Result& placed() const noexcept { return placed_; }

    // Shows or hides a docked panel (it stays in the layout); closes one for good.
    void show_panel(std::size_t index, bool shown) { panels_->show(index, shown); }
    bool panel_shown(std::size_t index) const { return panels_->shown(index); }
    void close_panel(std::size_t index) { panels_->close(index); }
    // Reads each docked panel's field and preset into its caption again.
    void refresh_captions() { panels_->refresh_captions(); }

    // The window's look as view.cfg keeps it, and back (before the window is first shown: its place, and
    // whether it starts maximized; after restore(), whose panels take the views stored at their places).
    ViewLayout view() const;
    void apply_view(const ViewLayout& view);
    bool starts_maximized() const noexcept { return starts_maximized_; }

    // The panes F6 and Ctrl+Tab move the focus between: the playlist, then each docked panel.
    std::vector<HWND> panes() const;
    // The panel area's first width at the main window's DPI.
    int scaled_dock_width() const;

private:
    static LRESULT CALLBACK frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self);
    LRESULT on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void build_menu();
    void add_folder();
    // Adds folders to the library (without one, imports their files into the playlist).
    void add_folders(const std::vector<std::wstring>& folders);
    void open_preferences();
    void open_console();
    void open_help();
    void report(const std::exception& e);
    // Each entry of the menu bar whose command has a key shows it.
    void show_keys(HMENU menu);
    void fill_view_menu();
    void on_splitter_mouse(UINT message, POINT at);

    WinHost& host_;
    library::LibrarySync* library_;
    std::unique_ptr<FolderMenu> folder_menu_;
    HMENU remove_menu_ = nullptr;  // owned by the menu bar
    std::unique_ptr<PlaylistTabs> tabs_;
    HWND frame_;
    // The main window's DPI, which its playlist columns are sized for.
    unsigned dpi_;
    sonavel::unique_hmenu menu_;
    std::unique_ptr<PlaylistView> playlist_;
    std::unique_ptr<PlayerStatus> status_;
    std::unique_ptr<PreferencesDialog> preferences_;
    std::unique_ptr<ConsoleWindow> console_;
    std::unique_ptr<DockedPanels> panels_;
    std::wstring help_file_;
    std::unique_ptr<PlayerKeys> keys_;
    std::unique_ptr<PlaylistCommands> playlist_commands_;
    HMENU view_menu_ = nullptr;      // owned by the menu bar
    std::vector<HWND> listed_popups_;  // as the View menu lists them
    HMENU playlist_menu_ = nullptr;  // owned by the menu bar
    PaneLayout panes_;
    PaneLayout::Result placed_;
    bool starts_maximized_ = false;
};

}  // namespace player
