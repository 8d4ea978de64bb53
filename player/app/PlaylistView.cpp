#include "player/app/PlaylistView.h"

#include <commctrl.h>

#include <string>

#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace player {
namespace {

constexpr const char* column_fields[] = {"ARTIST", "TITLE", "GENRE"};
constexpr const wchar_t* column_titles[] = {L"Artist", L"Title", L"Genre", L"File"};
constexpr int column_widths[] = {140, 180, 140, 220};

// Several values of a field shown as the user reads them.
std::string joined_values(const sonavel::file_info& record, const char* field) {
    std::string text;
    std::size_t index = record.meta_find(field);
    if (index == sonavel::file_info::npos) return text;
    for (std::size_t v = 0; v < record.meta_enum_value_count(index); ++v) {
        if (v) text += "; ";
        text += record.meta_enum_value(index, v);
    }
    return text;
}

std::string file_name(const char* path) {
    std::string text = path;
    std::size_t slash = text.find_last_of("\\/");
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

// An untagged track is known by its file name: it stands in for the missing title.
std::string name_without_extension(const std::string& name) {
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

class scoped_flag {
public:
    explicit scoped_flag(bool& flag) : flag_(flag), old_(flag) { flag = true; }
    ~scoped_flag() { flag_ = old_; }
    scoped_flag(const scoped_flag&) = delete;
    scoped_flag& operator=(const scoped_flag&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

PlaylistView::PlaylistView(HWND parent, HostEngines& engines)
    : engines_(engines), parent_(parent), listener_(sonavel::service_impl_t<PlaylistListener>::create_object()) {
    list_.reset(CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 100, 100,
                                parent, reinterpret_cast<HMENU>(INT_PTR(control_id)), GetModuleHandleW(nullptr),
                                nullptr));
    ListView_SetExtendedListViewStyle(list_.get(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int c = 0; c < column_count; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(column_titles[c]);
        column.cx = column_widths[c];
        column.iSubItem = c;
        ListView_InsertColumn(list_.get(), c, &column);
    }
    engines_.state.registry.add_instance(sonavel::playlist_callback_single_static::class_guid,
                                         static_cast<sonavel::service_base*>(listener_.get_ptr()));
    listener_->attach(this);
    SetWindowSubclass(parent_, parent_proc, control_id, reinterpret_cast<DWORD_PTR>(this));
    playlist_changed();
}

PlaylistView::~PlaylistView() {
    listener_->attach(nullptr);
    RemoveWindowSubclass(parent_, parent_proc, control_id);
}

LRESULT CALLBACK PlaylistView::parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR self) {
    if (message == WM_NOTIFY) {
        // Nothing may unwind into the system's window code.
        try {
            reinterpret_cast<PlaylistView*>(self)->on_notify(*reinterpret_cast<const NMHDR*>(lparam));
        } catch (const std::exception& e) {
            reinterpret_cast<PlaylistView*>(self)->engines_.console.print(
                ("Playlist view: " + sonavel::message_of(e)).c_str());
        }
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

void PlaylistView::set_row_texts(int row, const sonavel::metadb_handle_ptr& track) {
    sonavel::file_info_impl record;
    bool known = track->get_info(record);
    const std::string name = file_name(track->get_path());
    for (int c = 0; c < column_count; ++c) {
        std::string text = c == column_file ? name : known ? joined_values(record, column_fields[c]) : std::string();
        if (c == column_title && text.empty()) text = name_without_extension(name);
        std::wstring wide = sonavel::utf8_to_wide(text);
        ListView_SetItemText(list_.get(), row, c, wide.data());
    }
}

void PlaylistView::set_row_state(int row, UINT state, UINT mask) {
    scoped_flag guard(syncing_);
    ListView_SetItemState(list_.get(), row, state, mask);
}

void PlaylistView::playlist_changed() {
    scoped_flag guard(syncing_);
    HWND list = list_.get();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    std::size_t playlist = active();
    if (playlist != sonavel::no_item) {
        std::size_t focus = engines_.playlists.get_focus_item(playlist);
        engines_.playlists.enum_items(playlist, sonavel::bit_array_true(),
                                      [&](std::size_t index, const sonavel::metadb_handle_ptr& track, bool selected) {
                                          LVITEMW item = {};
                                          item.mask = LVIF_TEXT | LVIF_STATE;
                                          item.iItem = int(index);
                                          item.pszText = const_cast<wchar_t*>(L"");
                                          item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                                          item.state = (selected ? LVIS_SELECTED : 0) | (index == focus ? LVIS_FOCUSED : 0);
                                          ListView_InsertItem(list, &item);
                                          set_row_texts(int(index), track);
                                          return true;
                                      });
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void PlaylistView::selection_changed(const sonavel::bit_array& affected, const sonavel::bit_array& state) {
    int rows = ListView_GetItemCount(list_.get());
    for (int row = 0; row < rows; ++row) {
        if (affected.get(std::size_t(row))) set_row_state(row, state.get(std::size_t(row)) ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

void PlaylistView::focus_changed(std::size_t from, std::size_t to) {
    if (from != sonavel::no_item) set_row_state(int(from), 0, LVIS_FOCUSED);
    if (to != sonavel::no_item) {
        set_row_state(int(to), LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(list_.get(), int(to), FALSE);
    }
}

void PlaylistView::items_modified(const sonavel::bit_array& mask) {
    std::size_t playlist = active();
    if (playlist == sonavel::no_item) return;
    engines_.playlists.enum_items(playlist, mask, [&](std::size_t index, const sonavel::metadb_handle_ptr& track, bool) {
        set_row_texts(int(index), track);
        return true;
    });
}

void PlaylistView::on_notify(const NMHDR& header) {
    if (header.hwndFrom != list_.get()) return;
    if (header.code == LVN_ITEMCHANGED) {
        on_item_changed(reinterpret_cast<const NMLISTVIEW&>(header));
    } else if (header.code == LVN_KEYDOWN) {
        on_key_down(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
    }
}

void PlaylistView::on_item_changed(const NMLISTVIEW& change) {
    if (syncing_ || !(change.uChanged & LVIF_STATE)) return;
    std::size_t playlist = active();
    if (playlist == sonavel::no_item) return;
    auto& playlists = engines_.playlists;
    if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) {
        bool selected = (change.uNewState & LVIS_SELECTED) != 0;
        // Item -1 stands for every row.
        if (change.iItem < 0 && selected) {
            playlists.set_selection(playlist, sonavel::bit_array_true(), sonavel::bit_array_true());
        } else if (change.iItem < 0) {
            playlists.set_selection(playlist, sonavel::bit_array_true(), sonavel::bit_array_false());
        } else if (selected) {
            playlists.set_selection(playlist, sonavel::bit_array_one(std::size_t(change.iItem)), sonavel::bit_array_true());
        } else {
            playlists.set_selection(playlist, sonavel::bit_array_one(std::size_t(change.iItem)), sonavel::bit_array_false());
        }
    }
    if (change.iItem >= 0 && (change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED))
        playlists.set_focus_item(playlist, std::size_t(change.iItem));
}

void PlaylistView::on_key_down(WORD key) {
    using shortcuts = sonavel::keyboard_shortcut_manager;
    sonavel::metadb_handle_list tracks = selected_tracks();
    if (engines_.shortcuts.process_keydown_simple(shortcuts::type_context_playlist, tracks, key)) return;
    engines_.shortcuts.process_keydown_simple(shortcuts::type_main, tracks, key);
}

sonavel::metadb_handle_list PlaylistView::selected_tracks() {
    std::size_t playlist = active();
    if (playlist == sonavel::no_item) return {};
    return engines_.playlists.get_selected_items(playlist);
}

POINT PlaylistView::keyboard_menu_point() const {
    POINT at = {0, 0};
    int row = ListView_GetNextItem(list_.get(), -1, LVNI_FOCUSED);
    RECT bounds;
    if (row >= 0 && ListView_GetItemRect(list_.get(), row, &bounds, LVIR_LABEL)) at = {bounds.left, bounds.bottom};
    ClientToScreen(list_.get(), &at);
    return at;
}

}  // namespace player
