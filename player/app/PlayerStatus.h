#pragma once
// The main window's status bar: the number of tracks in the active playlist, how many are selected, and
// the player's latest news (the result of the last tag write, or whatever else set the status line); while
// a component holds unwritten edits, its line about them stands in the news part instead. Main thread.
#include <windows.h>

#include <memory>
#include <string>

#include "player/app/PendingChangesLine.h"
#include "player/app/PlaylistListener.h"
#include "player/engine/HostEngines.h"
#include "player/win/StatusBar.h"

namespace player {

class PlayerStatus final : private PlaylistEvents {
public:
    enum part : int { part_tracks, part_selected, part_news };
    static constexpr int control_id = 1003;

    PlayerStatus(HWND parent, HostEngines& engines);
    ~PlayerStatus();
    PlayerStatus(const PlayerStatus&) = delete;
    PlayerStatus& operator=(const PlayerStatus&) = delete;

    StatusBar& bar() noexcept { return bar_; }

private:
    void playlist_changed() override { count(); }
    void items_added(std::size_t, std::size_t, const sonavel::bit_array&) override { count(); }
    void selection_changed(const sonavel::bit_array&, const sonavel::bit_array&) override { count(); }
    void focus_changed(std::size_t, std::size_t) override {}
    void items_modified(const sonavel::bit_array&) override {}
    void count();
    void show_news();

    HostEngines& engines_;
    StatusBar bar_;
    sonavel::service_ptr_t<PlaylistListener> listener_;
    sonavel::service_ptr_t<PendingChangesLine> pending_line_;
    std::string pending_text_;
};

}  // namespace player
