#include "player/app/PlayerWindow.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>

#include "player/app/TrackContextMenu.h"
#include "player/app/TrackImport.h"
#include "player/win/Dpi.h"
#include "sdk/core_api.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace player {
namespace {

constexpr UINT_PTR subclass_id = 1;

struct menu_entry {
    UINT id;  // 0: a separator
    const wchar_t* text;
};
constexpr menu_entry file_menu[] = {
    {PlayerWindow::command_add_folder, L"&Add folder..."},
    {PlayerWindow::command_preferences, L"&Preferences..."},
    {0, nullptr},
    {PlayerWindow::command_exit, L"E&xit"},
};

inline void free_item_list(LPITEMIDLIST list) noexcept { CoTaskMemFree(list); }
using unique_item_list = sonavel::unique_handle<LPITEMIDLIST, free_item_list>;

}  // namespace

PlayerWindow::PlayerWindow(WinHost& host, library::LibrarySync* library)
    : host_(host), library_(library), frame_(host.main_window()), dpi_(sonavel::window_dpi(frame_)) {
    if (library_) folder_menu_ = std::make_unique<FolderMenu>(*library_);
    for (auto& panel : sonavel::service_list_t<dockwork::window>()) {
        std::string name;
        panel->get_name(name);
        panel_types_.push_back({panel->get_guid(), name});
    }
    sonavel::uSetWindowText(frame_, player_title);
    tabs_ = std::make_unique<PlaylistTabs>(frame_, host_.engines().playlists);
    playlist_ = std::make_unique<PlaylistView>(frame_, host_.engines());
    status_ = std::make_unique<PlayerStatus>(frame_, host_.engines());
    build_menu();
    SetWindowSubclass(frame_, frame_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    layout();
}

PlayerWindow::~PlayerWindow() {
    RemoveWindowSubclass(frame_, frame_proc, subclass_id);
    docked_.clear();
    preferences_.reset();
    console_.reset();
    status_.reset();
    playlist_.reset();
    tabs_.reset();
    // The menu is ours, not the window's, which outlives us.
    SetMenu(frame_, nullptr);
}

void PlayerWindow::build_menu() {
    menu_.reset(CreateMenu());
    sonavel::unique_hmenu file(CreatePopupMenu());
    for (const auto& entry : file_menu) {
        if (entry.id == 0) AppendMenuW(file.get(), MF_SEPARATOR, 0, nullptr);
        else AppendMenuW(file.get(), MF_STRING, entry.id, entry.text);
        if (entry.id == command_add_folder && folder_menu_) {
            sonavel::unique_hmenu remove(CreatePopupMenu());
            remove_menu_ = remove.get();
            AppendMenuW(file.get(), MF_POPUP, UINT_PTR(remove.release()), L"&Remove folder");
        }
    }
    sonavel::unique_hmenu view(CreatePopupMenu());
    for (std::size_t i = 0; i < panel_types_.size(); ++i)
        sonavel::uAppendMenu(view.get(), MF_STRING, command_first_panel_type + i, panel_types_[i].name.c_str());
    if (panel_types_.empty()) AppendMenuW(view.get(), MF_STRING | MF_GRAYED, 0, L"(no panels)");
    AppendMenuW(view.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(view.get(), MF_STRING, command_console, L"&Console");
    // Submenus belong to the menu bar once appended.
    AppendMenuW(menu_.get(), MF_POPUP, UINT_PTR(file.release()), L"&File");
    AppendMenuW(menu_.get(), MF_POPUP, UINT_PTR(view.release()), L"&View");
    sonavel::unique_hmenu help(CreatePopupMenu());
    AppendMenuW(help.get(), MF_STRING, command_help, L"&Varnel Panel help");
    AppendMenuW(menu_.get(), MF_POPUP, UINT_PTR(help.release()), L"&Help");
    SetMenu(frame_, menu_.get());
}

DockedPanel& PlayerWindow::dock(const sonavel::guid& type, const std::vector<std::uint8_t>& config) {
    docked_.push_back(std::make_unique<DockedPanel>(frame_, type, config, RECT{0, 0, scaled_dock_width(), 300}));
    layout();
    return *docked_.back();
}

std::vector<PanelPlacement> PlayerWindow::placements() const {
    std::vector<PanelPlacement> out;
    for (const auto& panel : docked_) out.push_back({panel->panel()->get_guid(), panel->save_config()});
    return kept_.merged(out);
}

void PlayerWindow::restore(const std::vector<PanelPlacement>& panels) {
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const PanelPlacement& placement = panels[i];
        try {
            dock(placement.type, placement.config);
        } catch (const std::exception& e) {
            std::string panel = sonavel::to_string(placement.type);
            for (const auto& type : panel_types_)
                if (type.type == placement.type) panel = type.name + " " + panel;
            host_.engines().console.print(("Panel " + panel + " left out of the layout, its configuration kept: " +
                                           sonavel::message_of(e)).c_str());
            kept_.keep(i, placement, panel + ": " + sonavel::message_of(e));
        }
    }
}

int PlayerWindow::scaled_dock_width() const { return sonavel::scale_to_dpi(dock_width, sonavel::window_dpi(frame_)); }

void PlayerWindow::layout() {
    RECT client;
    GetClientRect(frame_, &client);
    int width = client.right, height = client.bottom - status_->bar().fit();
    int dock = docked_.empty() ? 0 : std::min(scaled_dock_width(), width / 2);
    int tabs = std::min(tabs_->height(), height);
    SetWindowPos(tabs_->window(), nullptr, 0, 0, width - dock, tabs, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(playlist_->window(), nullptr, 0, tabs, width - dock, height - tabs, SWP_NOZORDER | SWP_NOACTIVATE);
    if (docked_.empty()) return;
    int each = height / int(docked_.size());
    for (std::size_t i = 0; i < docked_.size(); ++i) {
        int top = int(i) * each;
        int bottom = i + 1 == docked_.size() ? height : top + each;
        SetWindowPos(docked_[i]->container(), nullptr, width - dock, top, dock, bottom - top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void PlayerWindow::run_command(UINT id) {
    if (id == command_add_folder) {
        add_folder();
    } else if (id == command_exit) {
        PostQuitMessage(0);
    } else if (id == command_preferences) {
        open_preferences();
    } else if (id == command_console) {
        open_console();
    } else if (id == command_help) {
        open_help();
    } else if (id >= command_first_panel_type && id < command_first_panel_type + panel_types_.size()) {
        dock(panel_types_[id - command_first_panel_type].type);
    } else if (folder_menu_) {
        folder_menu_->run(id);
    }
}

void PlayerWindow::add_folder() {
    BROWSEINFOW browse = {};
    browse.hwndOwner = frame_;
    browse.lpszTitle = L"Folder to add to the library and the playlist";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    unique_item_list chosen(SHBrowseForFolderW(&browse));
    if (!chosen) return;
    wchar_t path[MAX_PATH * 4] = {};
    if (!SHGetPathFromIDListW(chosen.get(), path)) return;
    if (library_) library_->add_folder(sonavel::wide_to_utf8(path));
    else import_folder(host_.engines(), path);
}

void PlayerWindow::open_preferences() {
    // A closed window is replaced, so that the page starts from the values the settings have now.
    if (!preferences_ || !preferences_->is_open())
        preferences_ = std::make_unique<PreferencesDialog>(frame_, [this] {
            if (settings_applied) settings_applied();
        });
    preferences_->show();
}

void PlayerWindow::open_console() {
    if (!console_) console_ = std::make_unique<ConsoleWindow>(frame_, host_.engines().console);
    console_->show();
}

void PlayerWindow::open_help() {
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(frame_, L"open", help_file_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return;
    MessageBoxW(frame_, (L"Unable to open help file\n" + help_file_).c_str(), L"Help", MB_OK | MB_ICONERROR);
}

void PlayerWindow::show_track_menu(POINT screen) {
    TrackContextMenu menu(playlist_->selected_tracks(), sonavel::contextmenu_item::caller_active_playlist_selection);
    menu.track(frame_, screen);
}

void PlayerWindow::report(const std::exception& e) {
    host_.engines().console.print(("Player: " + sonavel::message_of(e)).c_str());
}

LRESULT CALLBACK PlayerWindow::frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                          DWORD_PTR self) {
    // Nothing may unwind into the system's window code.
    try {
        return reinterpret_cast<PlayerWindow*>(self)->on_message(window, message, wparam, lparam);
    } catch (const std::exception& e) {
        reinterpret_cast<PlayerWindow*>(self)->report(e);
        return 0;
    }
}

LRESULT PlayerWindow::on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_DPICHANGED:
        // The docked panels refit themselves as children of a window whose DPI changed.
        rescale_list_columns(playlist_->window(), dpi_, LOWORD(wparam));
        dpi_ = LOWORD(wparam);
        move_to_suggested(window, lparam);
        layout();
        return 0;
    case WM_INITMENUPOPUP:
        if (folder_menu_ && reinterpret_cast<HMENU>(wparam) == remove_menu_) folder_menu_->fill(remove_menu_);
        break;
    case WM_COMMAND:
        if (lparam == 0 && HIWORD(wparam) == 0) {
            run_command(LOWORD(wparam));
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wparam) == playlist_->window()) {
            POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            // (-1, -1): opened from the keyboard.
            if (at.x == -1 && at.y == -1) at = playlist_->keyboard_menu_point();
            show_track_menu(at);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        SetFocus(playlist_->window());
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace player
