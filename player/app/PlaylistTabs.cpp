#include "player/app/PlaylistTabs.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "player/win/Dpi.h"
#include "player/win/GdiScope.h"
#include "sdk/utf8.h"

namespace player {

PlaylistTabs::PlaylistTabs(HWND parent, PlaylistManager& playlists) : parent_(parent), playlists_(playlists) {
    tabs_.reset(CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_SINGLELINE | TCS_FOCUSNEVER,
                                0, 0, 100, 26, parent, reinterpret_cast<HMENU>(INT_PTR(control_id)),
                                GetModuleHandleW(nullptr), nullptr));
    set_dpi(sonavel::window_dpi(parent));
    SetWindowSubclass(parent_, parent_proc, control_id, reinterpret_cast<DWORD_PTR>(this));
    playlists_.set_list_observer([this] { refresh(); });
    refresh();
}

PlaylistTabs::~PlaylistTabs() {
    playlists_.set_list_observer(nullptr);
    RemoveWindowSubclass(parent_, parent_proc, control_id);
}

void PlaylistTabs::set_dpi(unsigned dpi) {
    sonavel::unique_hfont fresh = message_font_at(dpi);
    if (!fresh) return;
    // The tabs let go of the old font before it is deleted.
    SendMessageW(tabs_.get(), WM_SETFONT, WPARAM(fresh.get()), TRUE);
    font_ = std::move(fresh);
}

int PlaylistTabs::height() const {
    RECT area = {0, 0, 400, 0};
    TabCtrl_AdjustRect(tabs_.get(), TRUE, &area);
    // The tabs' own row: what the control adds above an empty page. Some versions of the control say
    // nothing useful before it was first sized: then the row of the first tab, or a line of its font.
    int row = -area.top + 2;
    RECT item{};
    if (TabCtrl_GetItemCount(tabs_.get()) > 0 && TabCtrl_GetItemRect(tabs_.get(), 0, &item)) row = std::max(row, int(item.bottom) + 4);
    window_dc dc(tabs_.get());
    if (dc.get()) {
        selected_object font(dc.get(), font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc.get(), &metrics)) row = std::max(row, int(metrics.tmHeight) + 10);
    }
    return row;
}

void PlaylistTabs::refresh() {
    refreshing_ = true;
    HWND tabs = tabs_.get();
    std::size_t count = playlists_.get_playlist_count();
    while (std::size_t(TabCtrl_GetItemCount(tabs)) > count) TabCtrl_DeleteItem(tabs, TabCtrl_GetItemCount(tabs) - 1);
    for (std::size_t i = 0; i < count; ++i) {
        std::wstring name = sonavel::utf8_to_wide(playlists_.get_playlist_name(i));
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = name.data();
        if (i < std::size_t(TabCtrl_GetItemCount(tabs))) TabCtrl_SetItem(tabs, int(i), &item);
        else TabCtrl_InsertItem(tabs, int(i), &item);
    }
    std::size_t active = playlists_.get_active_playlist();
    TabCtrl_SetCurSel(tabs, active == sonavel::no_item ? -1 : int(active));
    refreshing_ = false;
}

LRESULT CALLBACK PlaylistTabs::parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR self) {
    auto* tabs = reinterpret_cast<PlaylistTabs*>(self);
    if (message == WM_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
        if (header.hwndFrom == tabs->tabs_.get() && header.code == TCN_SELCHANGE && !tabs->refreshing_) {
            int chosen = TabCtrl_GetCurSel(tabs->tabs_.get());
            // Nothing may unwind into the system's window code.
            try {
                if (chosen >= 0 && std::size_t(chosen) < tabs->playlists_.get_playlist_count())
                    tabs->playlists_.set_active_playlist(std::size_t(chosen));
            } catch (const std::exception&) {
                tabs->refresh();
            }
        }
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace player
