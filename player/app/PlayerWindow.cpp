#include "player/app/PlayerWindow.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>

#include "player/app/DroppedFiles.h"
#include "player/app/PaneFocus.h"
#include "player/app/PopupWindows.h"
#include "player/app/TrackContextMenu.h"
#include "player/app/TrackImport.h"
#include "player/history/HistoryCommands.h"
#include "player/win/Dpi.h"
#include "sdk/core_api.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace player {
namespace {

constexpr UINT_PTR subclass_id = 1;
constexpr UINT_PTR tick_timer = 0x5054;

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

using shortcut = sonavel::keyboard_shortcut_manager;
using history::HistoryCommands;

// Ctrl+Tab and F6 go forward, with Shift backward; a command's first key is the one its menu shows.
const std::vector<PlayerKey> player_keys = {
    {'O' | shortcut::mod_ctrl, PlayerWindow::command_add_folder},
    {'P' | shortcut::mod_ctrl, PlayerWindow::command_preferences},
    {'Z' | shortcut::mod_ctrl, HistoryCommands::command_undo},
    {'Y' | shortcut::mod_ctrl, HistoryCommands::command_redo},
    {'H' | shortcut::mod_ctrl, HistoryCommands::command_history},
    {'N' | shortcut::mod_ctrl, PlaylistCommands::command_new},
    {VK_F2, PlaylistCommands::command_rename},
    {'W' | shortcut::mod_ctrl, PlaylistCommands::command_remove},
    {VK_F6, PlayerWindow::command_next_pane},
    {VK_F6 | shortcut::mod_shift, PlayerWindow::command_previous_pane},
    {VK_TAB | shortcut::mod_ctrl, PlayerWindow::command_next_pane},
    {VK_TAB | shortcut::mod_ctrl | shortcut::mod_shift, PlayerWindow::command_previous_pane},
};

inline void free_item_list(LPITEMIDLIST list) noexcept { CoTaskMemFree(list); }
using unique_item_list = sonavel::unique_handle<LPITEMIDLIST, free_item_list>;

}  // namespace

PlayerWindow::PlayerWindow(WinHost& host, library::LibrarySync* library)
    : host_(host), library_(library), frame_(host.main_window()), dpi_(sonavel::window_dpi(frame_)) {
    panes_.set_default_dock_width(scaled_dock_width());
    if (library_) folder_menu_ = std::make_unique<FolderMenu>(*library_, frame_);
    playlist_commands_ = std::make_unique<PlaylistCommands>(frame_, host_.engines().playlists,
                                                            library::LibrarySync::library_playlist_name);
    sonavel::uSetWindowText(frame_, player_title);
    tabs_ = std::make_unique<PlaylistTabs>(frame_, host_.engines().playlists);
    playlist_ = std::make_unique<PlaylistView>(frame_, host_.engines());
    status_ = std::make_unique<PlayerStatus>(frame_, host_.engines());
    panels_ = std::make_unique<DockedPanels>(frame_, host_, panes_, playlist_->window(), [this] {
        layout();
        fill_view_menu();
    });
    keys_ = std::make_unique<PlayerKeys>(frame_, host_.loop(), host_.engines().shortcuts, player_keys,
                                         std::vector<UINT>{HistoryCommands::command_undo, HistoryCommands::command_redo,
                                                           // F2 means nothing to a text box, but is no command there either.
                                                           PlaylistCommands::command_rename,
                                                           // Ctrl+H is a backspace in a text box.
                                                           HistoryCommands::command_history});
    build_menu();
    SetWindowSubclass(frame_, frame_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    SetTimer(frame_, tick_timer, DockedPanels::tick_ms, nullptr);
    DragAcceptFiles(frame_, TRUE);
    layout();
}

PlayerWindow::~PlayerWindow() {
    DragAcceptFiles(frame_, FALSE);
    KillTimer(frame_, tick_timer);
    if (GetCapture() == frame_) ReleaseCapture();
    RemoveWindowSubclass(frame_, frame_proc, subclass_id);
    keys_.reset();
    panels_.reset();
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
    view_menu_ = view.get();
    // Submenus belong to the menu bar once appended.
    AppendMenuW(menu_.get(), MF_POPUP, UINT_PTR(file.release()), L"&File");
    AppendMenuW(menu_.get(), MF_POPUP, UINT_PTR(view.release()), L"&View");
    sonavel::unique_hmenu playlist(CreatePopupMenu());
    playlist_menu_ = playlist.get();
    playlist_commands_->fill(playlist_menu_);
    AppendMenuW(menu_.get(), MF_POPUP, UINT_PTR(playlist.release()), L"&Playlist");
    sonavel::unique_hmenu help(CreatePopupMenu());
    AppendMenuW(help.get(), MF_STRING, command_help, L"&Varnel Panel help");
    AppendMenuW(menu_.get(), MF_POPUP, UINT_PTR(help.release()), L"&Help");
    fill_view_menu();
    show_keys(menu_.get());
    SetMenu(frame_, menu_.get());
}

void PlayerWindow::fill_view_menu() {
    HMENU view = view_menu_;
    if (!view || !IsMenu(view)) return;
    while (GetMenuItemCount(view) > 0) DeleteMenu(view, 0, MF_BYPOSITION);
    panels_->list_in(view);
    // The popup windows, each brought forward with one click whether hidden or covered.
    listed_popups_ = popup_windows(frame_);
    if (listed_popups_.size() > command_last_popup - command_first_popup + 1)
        listed_popups_.resize(command_last_popup - command_first_popup + 1);
    if (!listed_popups_.empty()) AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < listed_popups_.size(); ++i) {
        std::wstring text = L"Popup: " + window_title(listed_popups_[i]);
        UINT shown = IsWindowVisible(listed_popups_[i]) ? MF_CHECKED : 0;
        AppendMenuW(view, MF_STRING | shown, command_first_popup + i, text.c_str());
    }
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(view, MF_STRING, command_next_pane, L"&Next pane");
    AppendMenuW(view, MF_STRING, command_previous_pane, L"Pre&vious pane");
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(view, MF_STRING, command_console, L"&Console");
    if (keys_) show_keys(view);
}

void PlayerWindow::show_keys(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            show_keys(sub);
            continue;
        }
        wchar_t text[256] = {};
        UINT id = GetMenuItemID(menu, i);
        if (id == UINT(-1) || !GetMenuStringW(menu, UINT(i), text, 256, MF_BYPOSITION) || wcschr(text, L'\t')) continue;
        std::wstring shown = keys_->menu_text(id, text);
        if (shown == text) continue;
        // Only the text: the entry keeps its state (greyed, ticked).
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = shown.data();
        SetMenuItemInfoW(menu, UINT(i), TRUE, &item);
    }
}

std::vector<HWND> PlayerWindow::panes() const {
    std::vector<HWND> out{playlist_->window()};
    for (HWND panel : panels_->windows()) out.push_back(panel);
    return out;
}

ViewLayout PlayerWindow::view() const {
    ViewLayout out;
    out.columns = playlist_->columns().layout();
    WINDOWPLACEMENT place = {};
    place.length = sizeof place;
    if (GetWindowPlacement(frame_, &place)) {
        out.placed = true;
        out.left = place.rcNormalPosition.left;
        out.top = place.rcNormalPosition.top;
        out.right = place.rcNormalPosition.right;
        out.bottom = place.rcNormalPosition.bottom;
        out.maximized = IsZoomed(frame_) || place.showCmd == SW_SHOWMAXIMIZED;
    }
    out.dock_width = panes_.dock_width();
    out.panels = panels_->views();
    for (HWND popup : popup_windows(frame_))
        if (IsWindowVisible(popup)) out.shown_popups.push_back(sonavel::wide_to_utf8(window_title(popup)));
    return out;
}

void PlayerWindow::apply_view(const ViewLayout& view) {
    playlist_->columns().set(view.columns);
    RECT normal = {view.left, view.top, view.right, view.bottom};
    // A place on no screen any more (another monitor, another resolution) is not taken.
    bool usable = view.placed && normal.right - normal.left >= 200 && normal.bottom - normal.top >= 150 &&
                  MonitorFromRect(&normal, MONITOR_DEFAULTTONULL) != nullptr;
    if (usable) {
        WINDOWPLACEMENT place = {};
        place.length = sizeof place;
        GetWindowPlacement(frame_, &place);
        place.rcNormalPosition = normal;
        place.showCmd = IsWindowVisible(frame_) ? (view.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL) : SW_HIDE;
        SetWindowPlacement(frame_, &place);
        starts_maximized_ = view.maximized;
    }
    if (view.dock_width > 0) panes_.set_dock_width(view.dock_width);
    panels_->apply_views(view.panels);
    // Popup windows come back hidden: those shown at the end of the last run are shown again.
    std::vector<HWND> popups = popup_windows(frame_);
    for (const auto& title : view.shown_popups) {
        for (HWND& popup : popups) {
            if (popup && !IsWindowVisible(popup) && sonavel::wide_to_utf8(window_title(popup)) == title) {
                ShowWindow(popup, SW_SHOWNA);
                popup = nullptr;
                break;
            }
        }
    }
    layout();
    fill_view_menu();
}

int PlayerWindow::scaled_dock_width() const {
    return sonavel::scale_to_dpi(PaneLayout::default_dock_width, sonavel::window_dpi(frame_));
}

void PlayerWindow::layout() {
    RECT client;
    GetClientRect(frame_, &client);
    client.bottom = std::max(client.top, client.bottom - status_->bar().fit());
    placed_ = panes_.place(client, tabs_->height(), panels_->shown_heights());
    auto put = [](HWND window, const RECT& r) {
        SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    put(tabs_->window(), placed_.tabs);
    put(playlist_->window(), placed_.playlist);
    panels_->place(placed_.panels);
    // The splitters are the window's own background between its parts.
    InvalidateRect(frame_, &placed_.dock_splitter, TRUE);
    for (const auto& bar : placed_.panel_splitters) InvalidateRect(frame_, &bar, TRUE);
}

void PlayerWindow::on_splitter_mouse(UINT message, POINT at) {
    if (message == WM_LBUTTONDOWN) {
        if (panes_.start_drag(placed_, at)) SetCapture(frame_);
        return;
    }
    if (!panes_.dragging()) return;
    if (message == WM_LBUTTONUP) {
        panes_.end_drag();
        if (GetCapture() == frame_) ReleaseCapture();
        return;
    }
    RECT client;
    GetClientRect(frame_, &client);
    std::vector<int> heights = panels_->shown_heights();
    panes_.drag(placed_, at, client.right, heights);
    panels_->set_shown_heights(heights);
    layout();
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
    } else if (panels_->run_command(id)) {
    } else if (id >= command_first_popup && id <= command_last_popup) {
        if (id - command_first_popup < listed_popups_.size()) bring_forward(listed_popups_[id - command_first_popup]);
    } else if (playlist_commands_->run(id)) {
    } else if (id == command_next_pane || id == command_previous_pane) {
        move_pane_focus(panes(), id == command_next_pane);
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
    add_folders({path});
}

void PlayerWindow::add_folders(const std::vector<std::wstring>& folders) {
    for (const auto& folder : folders) {
        if (library_) library_->add_folder(sonavel::wide_to_utf8(folder));
        else import_folder(host_.engines(), folder);
    }
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
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wparam) == frame_ && LOWORD(lparam) == HTCLIENT) {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(frame_, &at);
            int bar = PaneLayout::hit(placed_, at);
            if (bar != -2) {
                SetCursor(LoadCursorW(nullptr, bar == -1 ? IDC_SIZEWE : IDC_SIZENS));
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        on_splitter_mouse(message, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return 0;
    case WM_CAPTURECHANGED:
        panes_.end_drag();
        return 0;
    case WM_TIMER:
        if (wparam == tick_timer) {
            panels_->on_tick();
            return 0;
        }
        break;
    case WM_DROPFILES: {
        auto drop = reinterpret_cast<HDROP>(wparam);
        std::vector<std::wstring> paths = dropped_paths(drop);
        DragFinish(drop);
        add_folders(folders_to_add(paths));
        return 0;
    }
    case WM_DPICHANGED:
        // The docked panels refit themselves as children of a window whose DPI changed.
        rescale_list_columns(playlist_->window(), dpi_, LOWORD(wparam));
        panes_.set_default_dock_width(MulDiv(panes_.default_width(), LOWORD(wparam), int(dpi_)));
        if (panes_.dock_width() > 0) panes_.set_dock_width(MulDiv(panes_.dock_width(), LOWORD(wparam), int(dpi_)));
        dpi_ = LOWORD(wparam);
        tabs_->set_dpi(dpi_);
        status_->bar().set_dpi(dpi_);
        move_to_suggested(window, lparam);
        layout();
        return 0;
    case DockedPanels::close_message:
        panels_->close(reinterpret_cast<const DockedPanel*>(lparam));
        return 0;
    case WM_INITMENUPOPUP:
        // Menus others add to the menu bar (Edit) show their keys too.
        if (reinterpret_cast<HMENU>(wparam) == view_menu_) fill_view_menu();
        if (reinterpret_cast<HMENU>(wparam) == playlist_menu_) playlist_commands_->fill(playlist_menu_);
        show_keys(reinterpret_cast<HMENU>(wparam));
        if (folder_menu_ && reinterpret_cast<HMENU>(wparam) == remove_menu_) folder_menu_->fill(remove_menu_);
        break;
    case WM_COMMAND:
        if (lparam == 0 && HIWORD(wparam) == 0) {
            run_command(LOWORD(wparam));
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wparam) == tabs_->window()) {
            POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            std::size_t playlist = host_.engines().playlists.get_active_playlist();
            if (at.x == -1 && at.y == -1) {
                RECT r;
                GetWindowRect(tabs_->window(), &r);
                at = {r.left, r.bottom};
            } else {
                TCHITTESTINFO hit = {};
                hit.pt = at;
                ScreenToClient(tabs_->window(), &hit.pt);
                int tab = TabCtrl_HitTest(tabs_->window(), &hit);
                if (tab >= 0) playlist = std::size_t(tab);
            }
            playlist_commands_->show_tab_menu(at, playlist);
            return 0;
        }
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
