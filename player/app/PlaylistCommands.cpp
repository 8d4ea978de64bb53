#include "player/app/PlaylistCommands.h"

#include "player/app/TextPrompt.h"
#include "sdk/utf8.h"
#include "sdk/win/unique_handle.h"

namespace player {
namespace {

constexpr wchar_t new_text[] = L"&New playlist...";
constexpr wchar_t rename_text[] = L"&Rename playlist...";
constexpr wchar_t remove_text[] = L"Re&move playlist";

}  // namespace

PlaylistCommands::PlaylistCommands(HWND owner, PlaylistManager& playlists, std::string protected_name)
    : owner_(owner), playlists_(playlists), protected_name_(std::move(protected_name)) {}

bool PlaylistCommands::changeable(std::size_t playlist) {
    return playlist < playlists_.get_playlist_count() &&
           sonavel::stricmp_utf8(playlists_.get_playlist_name(playlist).c_str(), protected_name_.c_str()) != 0;
}

void PlaylistCommands::fill(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    UINT greyed = changeable(playlists_.get_active_playlist()) ? 0 : MF_GRAYED;
    AppendMenuW(menu, MF_STRING, command_new, new_text);
    AppendMenuW(menu, MF_STRING | greyed, command_rename, rename_text);
    AppendMenuW(menu, MF_STRING | greyed, command_remove, remove_text);
}

bool PlaylistCommands::run(UINT command, std::size_t playlist) {
    if (playlist == sonavel::no_item) playlist = playlists_.get_active_playlist();
    switch (command) {
    case command_new:
        create();
        return true;
    case command_rename:
        if (changeable(playlist)) rename(playlist);
        return true;
    case command_remove:
        if (changeable(playlist)) remove(playlist);
        return true;
    default:
        return false;
    }
}

void PlaylistCommands::show_tab_menu(POINT screen, std::size_t playlist) {
    sonavel::unique_hmenu menu(CreatePopupMenu());
    UINT greyed = changeable(playlist) ? 0 : MF_GRAYED;
    AppendMenuW(menu.get(), MF_STRING, command_new, new_text);
    AppendMenuW(menu.get(), MF_STRING | greyed, command_rename, rename_text);
    AppendMenuW(menu.get(), MF_STRING | greyed, command_remove, remove_text);
    UINT chosen = UINT(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0,
                                      owner_, nullptr));
    if (chosen) run(chosen, playlist);
}

void PlaylistCommands::create() {
    std::string name = ask_text(owner_, L"New playlist", L"Name of the new playlist:", "New playlist");
    if (name.empty()) return;
    std::size_t active = playlists_.get_active_playlist();
    std::size_t at = playlists_.create_playlist(name.c_str(), active == sonavel::no_item ? sonavel::no_item : active + 1);
    playlists_.set_active_playlist(at);
}

void PlaylistCommands::rename(std::size_t playlist) {
    std::string name = ask_text(owner_, L"Rename playlist", L"New name of the playlist:", playlists_.get_playlist_name(playlist));
    if (name.empty() || !changeable(playlist)) return;
    playlists_.rename_playlist(playlist, name);
}

void PlaylistCommands::remove(std::size_t playlist) {
    std::string name = playlists_.get_playlist_name(playlist);
    std::wstring question = L"Remove the playlist \"" + sonavel::utf8_to_wide(name) +
                            L"\"?\n\nIts tracks stay in the library and on the disk.";
    if (MessageBoxW(owner_, question.c_str(), L"Remove playlist", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
    // The answer took a while: the playlist may have moved.
    if (playlist < playlists_.get_playlist_count() && playlists_.get_playlist_name(playlist) == name) {
        playlists_.remove_playlist(playlist);
        return;
    }
    for (std::size_t i = 0; i < playlists_.get_playlist_count(); ++i) {
        if (playlists_.get_playlist_name(i) == name) {
            playlists_.remove_playlist(i);
            return;
        }
    }
}

}  // namespace player
