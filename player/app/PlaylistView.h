#pragma once
// The active playlist as a report list view (by default Artist, Title, Genre, File, Album, Track, Date; the
// columns are the user's to choose, order and size; several rows selectable; a track without a title shows
// its file name there, without the extension; a click on a column's header sorts the playlist by it, a
// second click the other way round), kept
// equal to the playlist both ways: what the user selects and focuses goes to the playlist manager, what
// the playlist does (items, selection, focus, changed tags) shows in the view. Keys pressed in the view
// go to the host's keyboard shortcuts. The view hears its list's notifications by subclassing the
// parent. The list is virtual: it holds no rows of its own, their texts are read from the playlist as
// they are drawn, so that filling, selecting all and redrawing cost no more than the rows on screen.
// Main thread.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "player/app/PlaylistColumns.h"
#include "player/app/PlaylistListener.h"
#include "player/engine/HostEngines.h"
#include "sdk/file_info.h"
#include "sdk/win/unique_handle.h"

namespace player {

class PlaylistView final : private PlaylistEvents {
public:
    // The default columns' sub-items.
    enum column : int { column_artist, column_title, column_genre, column_file };
    static constexpr int control_id = 1001;

    PlaylistView(HWND parent, HostEngines& engines);
    ~PlaylistView();
    PlaylistView(const PlaylistView&) = delete;
    PlaylistView& operator=(const PlaylistView&) = delete;

    HWND window() const noexcept { return list_.get(); }
    // The selected tracks of the active playlist, in playlist order.
    sonavel::metadb_handle_list selected_tracks();
    // Where a context menu opened from the keyboard appears (screen coordinates): at the focused row.
    POINT keyboard_menu_point() const;
    PlaylistColumns& columns() noexcept { return columns_; }
    // Sorts the active playlist by the sub-item's column, as a click on its header does: ascending, or the
    // other way round when it is sorted by that column already.
    void sort_by(int subitem);
    // The column the playlist was last sorted by (-1: none since it changed) and whether downwards.
    int sorted_column() const noexcept { return sorted_column_; }
    bool sorted_descending() const noexcept { return sorted_descending_; }

private:
    void playlist_changed() override;
    void items_added(std::size_t base, std::size_t count, const sonavel::bit_array& selection) override;
    void selection_changed(const sonavel::bit_array& affected, const sonavel::bit_array& state) override;
    void focus_changed(std::size_t from, std::size_t to) override;
    void items_modified(const sonavel::bit_array& mask) override;

    static LRESULT CALLBACK parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR self);
    static LRESULT CALLBACK list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR self);
    // Tells the playlist of the selection changes the list made while it handled one message.
    void flush_user_selection();
    void on_notify(const NMHDR& header);
    void on_item_changed(const NMLISTVIEW& change);
    void on_key_down(WORD key);
    void on_range_changed(const NMLVODSTATECHANGE& change);
    // The header's menu of columns, at a screen point ((-1, -1): below the header's left end).
    void show_column_menu(POINT screen);
    void forget_sort();
    // The text of a cell, asked for by the list as it draws (the rows are virtual: the playlist holds them).
    std::wstring cell_text(std::size_t row, int column);
    void forget_cached_row();
    void set_row_state(int row, UINT state, UINT mask);
    // Shows the selection of the affected rows in one pass (one call when every row takes one state).
    void show_selection(const sonavel::bit_array& affected, const sonavel::bit_array& state, std::size_t rows);
    std::size_t active() { return engines_.playlists.get_active_playlist(); }

    HostEngines& engines_;
    HWND parent_;
    sonavel::unique_hwnd list_;
    PlaylistColumns columns_;
    int sorted_column_ = -1;
    bool sorted_descending_ = false;
    bool sorting_ = false;
    sonavel::service_ptr_t<PlaylistListener> listener_;
    // Set while the view is changed to match the playlist: those changes are not the user's.
    bool syncing_ = false;
    // Set while the user's change in the view goes to the playlist: its echo is not shown again.
    bool user_change_ = false;
    // Selection changes the list made during the message it is handling (depth > 0), told at its end.
    int batch_depth_ = 0;
    struct pending_selection {
        bool all = false, all_selected = false;
        std::vector<std::pair<std::size_t, bool>> items;
    };
    pending_selection pending_;
    std::size_t cached_row_ = sonavel::no_item;
    sonavel::metadb_handle_ptr cached_track_;
    sonavel::file_info_impl cached_record_;
    bool cached_known_ = false;
};

}  // namespace player
