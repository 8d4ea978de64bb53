#pragma once
// The active playlist as a report list view (Artist, Title, Genre, File; several rows selectable; a track
// without a title shows its file name there, without the extension), kept
// equal to the playlist both ways: what the user selects and focuses goes to the playlist manager, what
// the playlist does (items, selection, focus, changed tags) shows in the view. Keys pressed in the view
// go to the host's keyboard shortcuts. The view hears its list's notifications by subclassing the
// parent. Main thread.
#include <windows.h>

#include "player/app/PlaylistListener.h"
#include "player/engine/HostEngines.h"
#include "sdk/win/unique_handle.h"

namespace player {

class PlaylistView final : private PlaylistEvents {
public:
    enum column : int { column_artist, column_title, column_genre, column_file, column_count };
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

private:
    void playlist_changed() override;
    void selection_changed(const sonavel::bit_array& affected, const sonavel::bit_array& state) override;
    void focus_changed(std::size_t from, std::size_t to) override;
    void items_modified(const sonavel::bit_array& mask) override;

    static LRESULT CALLBACK parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR self);
    void on_notify(const NMHDR& header);
    void on_item_changed(const NMLISTVIEW& change);
    void on_key_down(WORD key);
    void set_row_texts(int row, const sonavel::metadb_handle_ptr& track);
    void set_row_state(int row, UINT state, UINT mask);
    std::size_t active() { return engines_.playlists.get_active_playlist(); }

    HostEngines& engines_;
    HWND parent_;
    sonavel::unique_hwnd list_;
    sonavel::service_ptr_t<PlaylistListener> listener_;
    // Set while the view is changed to match the playlist: those changes are not the user's.
    bool syncing_ = false;
};

}  // namespace player
