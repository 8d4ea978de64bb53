#pragma once
// The player's main window: the host's main window with a menu (File: Add folder..., Exit; View: one
// entry per registered panel type, which docks a panel of that type; Help: the component's help page),
// the active playlist on the left
// and the docked panels stacked on the right. Right-click on the playlist opens the track context menu
// over the selected tracks. Closing the window ends the message loop. Main thread.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "player/app/LayoutFile.h"
#include "player/app/PlaylistView.h"
#include "player/win/DockHost.h"
#include "player/win/WinHost.h"
#include "sdk/win/unique_handle.h"

namespace player {

class PlayerWindow {
public:
    enum command : UINT {
        command_add_folder = 100,
        command_exit = 101,
        command_help = 110,
        command_first_panel_type = 200
    };
    static constexpr int dock_width = 440;

    struct PanelType {
        sonavel::guid type;
        std::string name;
    };

    explicit PlayerWindow(WinHost& host);
    ~PlayerWindow();
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    HWND frame() const noexcept { return frame_; }
    PlaylistView& playlist() noexcept { return *playlist_; }
    // The registered panel types, in the order of the View menu.
    const std::vector<PanelType>& panel_types() const noexcept { return panel_types_; }

    // Docks a new panel of the type below the docked ones; throws "Service not found" for an unknown type.
    DockedPanel& dock(const sonavel::guid& type, const std::vector<std::uint8_t>& config = {});
    const std::vector<std::unique_ptr<DockedPanel>>& docked() const noexcept { return docked_; }
    // The docked panels with their configurations, as the layout file keeps them.
    std::vector<PanelPlacement> placements() const;
    // Docks the stored panels; one that cannot be docked is left out with a console line.
    void restore(const std::vector<PanelPlacement>& panels);

    // The page that Help > "Varnel Panel help" opens with the shell.
    void set_help_file(const std::wstring& path) { help_file_ = path; }

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
    void open_help();
    void report(const std::exception& e);

    WinHost& host_;
    HWND frame_;
    std::vector<PanelType> panel_types_;
    sonavel::unique_hmenu menu_;
    std::unique_ptr<PlaylistView> playlist_;
    std::vector<std::unique_ptr<DockedPanel>> docked_;
    std::wstring help_file_;
};

}  // namespace player
