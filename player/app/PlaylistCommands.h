#pragma once
// Making, renaming and removing playlists, from the Playlist menu (on the active playlist) and from a
// playlist tab's context menu (on that tab's playlist). A new playlist is named by the user and becomes
// active; removing one asks first. The library's own playlist can be neither renamed nor removed. Main
// thread.
#include <windows.h>

#include <cstddef>
#include <string>

#include "player/engine/PlaylistManager.h"

namespace player {

class PlaylistCommands {
public:
    enum command : UINT { command_new = 140, command_rename = 141, command_remove = 142 };

    // `protected_name`: the playlist that stays (the library's).
    PlaylistCommands(HWND owner, PlaylistManager& playlists, std::string protected_name);

    // The three entries, greyed where they cannot act on the active playlist.
    void fill(HMENU menu);
    // Runs a command on a playlist (no_item: the active one); false for a command that is not one of ours.
    bool run(UINT command, std::size_t playlist = sonavel::no_item);
    // The context menu of the tab of `playlist` at a screen point.
    void show_tab_menu(POINT screen, std::size_t playlist);

private:
    bool changeable(std::size_t playlist);
    void create();
    void rename(std::size_t playlist);
    void remove(std::size_t playlist);

    HWND owner_;
    PlaylistManager& playlists_;
    std::string protected_name_;
};

}  // namespace player
