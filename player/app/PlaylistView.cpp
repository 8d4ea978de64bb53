#include "player/app/PlaylistView.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "player/app/TextPrompt.h"
#include "player/app/PlaylistSort.h"
#include "player/app/ScopedFlag.h"
#include "player/app/SelectionColours.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"
#include "sdk/win/dpi.h"

namespace player {
namespace {

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

// Rows beyond which a change is drawn once at its end instead of row by row.
constexpr int many_rows = 64;

// Whether the message, in a list of several selectable rows, replaces the selection by one row.
bool starts_new_selection(UINT message, WPARAM wparam) {
    bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
    if (message == WM_LBUTTONDOWN) return !(wparam & (MK_SHIFT | MK_CONTROL));
    if (message != WM_KEYDOWN || shift || control) return false;
    switch (wparam) {
    case VK_UP: case VK_DOWN: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT:
        return true;
    default:
        return false;
    }
}

// The list draws nothing while it lives, and all of itself once it goes.
class quiet_redraw {
public:
    quiet_redraw(HWND list, bool quiet) : list_(quiet ? list : nullptr) {
        if (list_) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    }
    ~quiet_redraw() {
        if (!list_) return;
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, FALSE);
    }
    quiet_redraw(const quiet_redraw&) = delete;
    quiet_redraw& operator=(const quiet_redraw&) = delete;

private:
    HWND list_;
};

}  // namespace

PlaylistView::PlaylistView(HWND parent, HostEngines& engines)
    : engines_(engines), parent_(parent),
      list_(CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, 0, 0,
                            100, 100, parent, reinterpret_cast<HMENU>(INT_PTR(control_id)), GetModuleHandleW(nullptr),
                            nullptr)),
      columns_(list_.get()),
      listener_(sonavel::service_impl_t<PlaylistListener>::create_object()) {
    ListView_SetExtendedListViewStyle(list_.get(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
    columns_.set({});
    engines_.state.registry.add_instance(sonavel::playlist_callback_single_static::class_guid,
                                         static_cast<sonavel::service_base*>(listener_.get_ptr()));
    listener_->attach(this);
    SetWindowSubclass(parent_, parent_proc, control_id, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(list_.get(), list_proc, control_id, reinterpret_cast<DWORD_PTR>(this));
    playlist_changed();
}

PlaylistView::~PlaylistView() {
    listener_->attach(nullptr);
    RemoveWindowSubclass(parent_, parent_proc, control_id);
    RemoveWindowSubclass(list_.get(), list_proc, control_id);
}

LRESULT CALLBACK PlaylistView::list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                         DWORD_PTR self) {
    auto* view = reinterpret_cast<PlaylistView*>(self);
    // A click or key that changes the selection of many rows: the list tells of each row in turn and
    // draws each; it draws once instead, and the playlist hears of the whole change once.
    bool quiet = (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_KEYDOWN) &&
                 int(ListView_GetSelectedCount(window)) > many_rows;
    if (message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wparam) == ListView_GetHeader(window)) {
        try {
            view->show_column_menu({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        } catch (const std::exception& e) {
            view->engines_.console.print(("Playlist view: " + sonavel::message_of(e)).c_str());
        }
        return 0;
    }
    if (quiet) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    ++view->batch_depth_;
    // A plain click or a move of the focus from the keyboard selects one row: the others are deselected
    // in one call here, which the list makes in one pass with one notification, not row by row.
    if (quiet && starts_new_selection(message, wparam)) ListView_SetItemState(window, -1, 0, LVIS_SELECTED);
    LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    if (--view->batch_depth_ == 0) {
        try {
            view->flush_user_selection();
        } catch (const std::exception& e) {
            view->engines_.console.print(("Playlist view: " + sonavel::message_of(e)).c_str());
        }
    }
    if (quiet) {
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, FALSE);
    }
    return result;
}

void PlaylistView::flush_user_selection() {
    if (!pending_.all && pending_.items.empty()) return;
    auto pending = std::move(pending_);
    pending_ = {};
    std::size_t playlist = active();
    if (playlist == sonavel::no_item) return;
    ScopedFlag guard(user_change_);
    auto& playlists = engines_.playlists;
    if (pending.all) {
        if (pending.all_selected) playlists.set_selection(playlist, sonavel::bit_array_true(), sonavel::bit_array_true());
        else playlists.set_selection(playlist, sonavel::bit_array_true(), sonavel::bit_array_false());
    }
    if (pending.items.size() == 1) {
        auto [row, selected] = pending.items.front();
        if (selected) playlists.set_selection(playlist, sonavel::bit_array_one(row), sonavel::bit_array_true());
        else playlists.set_selection(playlist, sonavel::bit_array_one(row), sonavel::bit_array_false());
    } else if (!pending.items.empty()) {
        std::size_t count = playlists.get_item_count(playlist);
        std::vector<bool> affected(count), state(count);
        for (auto [row, selected] : pending.items) {
            if (row >= count) continue;
            affected[row] = true;
            state[row] = selected;
        }
        playlists.set_selection(playlist, sonavel::bit_array_bittable(std::move(affected)),
                                sonavel::bit_array_bittable(std::move(state)));
    }
}

LRESULT CALLBACK PlaylistView::parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR self) {
    if (message == WM_NOTIFY) {
        auto& header = *reinterpret_cast<NMHDR*>(lparam);
        auto* view = reinterpret_cast<PlaylistView*>(self);
        if (header.hwndFrom == view->list_.get() && header.code == NM_CUSTOMDRAW)
            return draw_unfocused_selection(view->list_.get(), reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        // Nothing may unwind into the system's window code.
        try {
            view->on_notify(header);
        } catch (const std::exception& e) {
            reinterpret_cast<PlaylistView*>(self)->engines_.console.print(
                ("Playlist view: " + sonavel::message_of(e)).c_str());
        }
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

std::wstring PlaylistView::cell_text(std::size_t row, int column) {
    std::size_t playlist = active();
    if (playlist == sonavel::no_item) return {};
    auto track = engines_.playlists.get_item_handle(playlist, row);
    if (!track.is_valid()) return {};
    const std::string& field = columns_.field(column);
    if (field.empty()) return {};
    if (field == PlaylistColumns::file_name_field) return sonavel::utf8_to_wide(file_name(track->get_path()));
    if (field == PlaylistColumns::path_field) return sonavel::utf8_to_wide(track->get_path());
    // The row's record is read once for its columns as the list asks for them in turn.
    if (cached_row_ != row || cached_track_ != track) {
        cached_known_ = track->get_info(cached_record_);
        cached_row_ = row;
        cached_track_ = track;
    }
    std::string text = cached_known_ ? joined_values(cached_record_, field.c_str()) : std::string();
    // An untagged track is still told apart from the others: by its file name.
    if (field == "TITLE" && text.empty()) text = name_without_extension(file_name(track->get_path()));
    return sonavel::utf8_to_wide(text);
}

void PlaylistView::forget_cached_row() {
    cached_row_ = sonavel::no_item;
    cached_track_.release();
}

void PlaylistView::set_row_state(int row, UINT state, UINT mask) {
    ScopedFlag guard(syncing_);
    ListView_SetItemState(list_.get(), row, state, mask);
}

void PlaylistView::show_selection(const sonavel::bit_array& affected, const sonavel::bit_array& state, std::size_t rows) {
    // Drawn once at the end, not row by row.
    quiet_redraw quiet(list_.get(), rows > std::size_t(many_rows));
    // Every row to one state: one call, which the list applies without a notification per row.
    bool uniform = true;
    bool first = rows ? state.get(0) : false;
    for (std::size_t row = 0; row < rows && uniform; ++row) uniform = affected.get(row) && state.get(row) == first;
    if (uniform && rows) {
        set_row_state(-1, first ? LVIS_SELECTED : 0, LVIS_SELECTED);
        return;
    }
    for (std::size_t row = 0; row < rows; ++row) {
        if (!affected.get(row)) continue;
        bool selected = state.get(row);
        bool shown = ListView_GetItemState(list_.get(), int(row), LVIS_SELECTED) != 0;
        if (selected != shown) set_row_state(int(row), selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

void PlaylistView::forget_sort() {
    // Another order or another playlist: no longer sorted by a column (unless it is that sort's own change).
    if (sorting_ || sorted_column_ < 0) return;
    sorted_column_ = -1;
    columns_.show_sorted(-1, false);
}

void PlaylistView::playlist_changed() {
    forget_sort();
    ScopedFlag guard(syncing_);
    forget_cached_row();
    pending_ = {};
    HWND list = list_.get();
    std::size_t playlist = active();
    std::size_t count = playlist == sonavel::no_item ? 0 : engines_.playlists.get_item_count(playlist);
    {
        quiet_redraw quiet(list, int(ListView_GetSelectedCount(list)) > many_rows);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    }
    ListView_SetItemCountEx(list, int(count), 0);
    int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (focused >= 0) ListView_SetItemState(list, focused, 0, LVIS_FOCUSED);
    if (count == 0) {
        InvalidateRect(list, nullptr, TRUE);
        return;
    }
    std::vector<bool> selected(count);
    bool any = false;
    engines_.playlists.enum_items(playlist, sonavel::bit_array_true(),
                                  [&](std::size_t index, const sonavel::metadb_handle_ptr&, bool on) {
                                      selected[index] = on;
                                      any = any || on;
                                      return true;
                                  });
    if (any) show_selection(sonavel::bit_array_true(), sonavel::bit_array_bittable(std::move(selected)), count);
    std::size_t focus = engines_.playlists.get_focus_item(playlist);
    if (focus != sonavel::no_item && focus < count) ListView_SetItemState(list, int(focus), LVIS_FOCUSED, LVIS_FOCUSED);
    InvalidateRect(list, nullptr, TRUE);
}

void PlaylistView::items_added(std::size_t base, std::size_t count, const sonavel::bit_array& selection) {
    forget_sort();
    std::size_t rows = std::size_t(ListView_GetItemCount(list_.get()));
    bool any_selected = false;
    for (std::size_t i = 0; i < count && !any_selected; ++i) any_selected = selection.get(i);
    // Unselected items after the last row (a folder being imported): the list only grows.
    if (base != rows || any_selected) {
        playlist_changed();
        return;
    }
    ScopedFlag guard(syncing_);
    ListView_SetItemCountEx(list_.get(), int(rows + count), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
}

void PlaylistView::selection_changed(const sonavel::bit_array& affected, const sonavel::bit_array& state) {
    // The view told the playlist of this change itself: it shows it already.
    if (user_change_) return;
    show_selection(affected, state, std::size_t(ListView_GetItemCount(list_.get())));
}

void PlaylistView::focus_changed(std::size_t from, std::size_t to) {
    if (user_change_) return;
    if (from != sonavel::no_item) set_row_state(int(from), 0, LVIS_FOCUSED);
    if (to != sonavel::no_item) {
        set_row_state(int(to), LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(list_.get(), int(to), FALSE);
    }
}

void PlaylistView::items_modified(const sonavel::bit_array&) {
    // Rows are drawn from the records as they are shown: the visible ones are simply drawn again.
    forget_cached_row();
    InvalidateRect(list_.get(), nullptr, FALSE);
}

void PlaylistView::on_notify(const NMHDR& header) {
    if (header.hwndFrom != list_.get()) return;
    if (header.code == LVN_GETDISPINFOW) {
        auto& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            std::wstring text = cell_text(std::size_t(item.iItem), item.iSubItem);
            lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
    } else if (header.code == LVN_ITEMCHANGED) {
        on_item_changed(reinterpret_cast<const NMLISTVIEW&>(header));
    } else if (header.code == LVN_ODSTATECHANGED) {
        on_range_changed(reinterpret_cast<const NMLVODSTATECHANGE&>(header));
    } else if (header.code == LVN_KEYDOWN) {
        on_key_down(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
    } else if (header.code == LVN_COLUMNCLICK) {
        sort_by(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    }
}

void PlaylistView::sort_by(int subitem) {
    std::size_t playlist = active();
    if (playlist == sonavel::no_item || columns_.field(subitem).empty()) return;
    bool descending = sorted_column_ == subitem && !sorted_descending_;
    {
        ScopedFlag guard(sorting_);
        sort_playlist(engines_.playlists, playlist, [&](std::size_t item) { return cell_text(item, subitem); }, descending);
    }
    sorted_column_ = subitem;
    sorted_descending_ = descending;
    columns_.show_sorted(subitem, descending);
}

void PlaylistView::show_column_menu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        RECT header;
        GetWindowRect(ListView_GetHeader(list_.get()), &header);
        screen = {header.left, header.bottom};
    }
    columns_.show_menu(parent_, screen, [this] { return ask_field_name(parent_); });
    // The sub-items were made anew.
    sorted_column_ = -1;
    forget_cached_row();
}

namespace {

class bit_array_range final : public sonavel::bit_array {
public:
    bit_array_range(std::size_t first, std::size_t last) : first_(first), last_(last) {}
    bool get(std::size_t n) const override { return n >= first_ && n <= last_; }

private:
    std::size_t first_, last_;
};

}  // namespace

void PlaylistView::on_range_changed(const NMLVODSTATECHANGE& change) {
    if (syncing_ || !((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) return;
    std::size_t playlist = active();
    if (playlist == sonavel::no_item || change.iFrom < 0 || change.iTo < change.iFrom) return;
    flush_user_selection();
    ScopedFlag guard(user_change_);
    bit_array_range rows(std::size_t(change.iFrom), std::size_t(change.iTo));
    if (change.uNewState & LVIS_SELECTED) engines_.playlists.set_selection(playlist, rows, sonavel::bit_array_true());
    else engines_.playlists.set_selection(playlist, rows, sonavel::bit_array_false());
}

void PlaylistView::on_item_changed(const NMLISTVIEW& change) {
    if (syncing_ || !(change.uChanged & LVIF_STATE)) return;
    std::size_t playlist = active();
    if (playlist == sonavel::no_item) return;
    auto& playlists = engines_.playlists;
    if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) && batch_depth_ > 0) {
        // Told once the list has handled the message that made the change.
        bool selected = (change.uNewState & LVIS_SELECTED) != 0;
        if (change.iItem < 0) {
            pending_.all = true;
            pending_.all_selected = selected;
            pending_.items.clear();
        } else {
            pending_.items.emplace_back(std::size_t(change.iItem), selected);
        }
    } else if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) {
        ScopedFlag guard(user_change_);
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
    if (change.iItem >= 0 && (change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED)) {
        ScopedFlag guard(user_change_);
        playlists.set_focus_item(playlist, std::size_t(change.iItem));
    }
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
