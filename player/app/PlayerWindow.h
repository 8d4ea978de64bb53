#pragma once
// The player's main window: the host's main window with a menu (File: Add folder..., Remove folder,
// Preferences..., Exit; View: one entry per registered panel type, which docks a panel of that type, and
// Console; Help: the component's help page), the playlists' tabs above the active playlist on the left,
// the docked panels stacked on the right and a status bar below. Right-click on the playlist opens the track context menu
// over the selected tracks. Closing the window ends the message loop. Main thread.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "player/app/FolderMenu.h"
#include "player/app/KeptPanels.h"
#include "player/app/LayoutFile.h"
#include "player/app/PlayerStatus.h"
#include "player/app/PlaylistTabs.h"
#include "player/app/PlaylistView.h"
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
        command_first_panel_type = 200
    };
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
    PlayerStatus& status() noexcept { return *status_; }
    // The Preferences window and the console window, once opened (they may be hidden again).
    PreferencesDialog* preferences() noexcept { return preferences_.get(); }
    ConsoleWindow* console() noexcept { return console_.get(); }
    // Runs after Preferences gave settings new values.
    std::function<void()> settings_applied;
    PlaylistTabs& tabs() noexcept { return *tabs_; }
    // File > Remove folder (null without a library).
    HMENU remove_folder_menu() const noexcept { return remove_menu_; }
    // The registered panel types, in the order of the View menu.
    const std::vector<PanelType>& panel_types() const noexcept { return panel_types_; }

    // Docks a new panel of the type below the docked ones; throws "Service not found" for an unknown type.
    DockedPanel& dock(const sonavel::guid& type, const std::vector<std::uint8_t>& config = {});
    const std::vector<std::unique_ptr<DockedPanel>>& docked() const noexcept { return docked_; }
    // The docked panels with their configurations, as the layout file keeps them, and the stored panels
    // that could not be docked at their places, as they were stored.
    std::vector<PanelPlacement> placements() const;
    // Docks the stored panels; one that cannot be docked is kept aside with a console line.
    void restore(const std::vector<PanelPlacement>& panels);
    const KeptPanels& kept_panels() const noexcept { return kept_; }

    // The page that Help > "Varnel Panel help" opens with the shell.
    void set_help_file(const std::wstring& path) { help_file_ = path; }

    // Runs a menu command as if the user chose it.
    void run_command(UINT id);
    // The track context menu of the playlist's selection at a screen point.
    void show_track_menu(POINT screen);
    void layout();
    // dock_width at the main window's DPI.
    int scaled_dock_width() const;

private:
    static LRESULT CALLBACK frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self);
    LRESULT on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void build_menu();
    void add_folder();
    void open_preferences();
    void open_console();
    void open_help();
    void report(const std::exception& e);

    WinHost& host_;
    library::LibrarySync* library_;
    std::unique_ptr<FolderMenu> folder_menu_;
    HMENU remove_menu_ = nullptr;  // owned by the menu bar
    std::unique_ptr<PlaylistTabs> tabs_;
    HWND frame_;
    // The main window's DPI, which its playlist columns are sized for.
    unsigned dpi_;
    std::vector<PanelType> panel_types_;
    sonavel::unique_hmenu menu_;
    std::unique_ptr<PlaylistView> playlist_;
    std::unique_ptr<PlayerStatus> status_;
    std::unique_ptr<PreferencesDialog> preferences_;
    std::unique_ptr<ConsoleWindow> console_;
    std::vector<std::unique_ptr<DockedPanel>> docked_;
    KeptPanels kept_;
    std::wstring help_file_;
};

}  // namespace player
