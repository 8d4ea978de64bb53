#include "player/app/FolderMenu.h"

#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace player {

void FolderMenu::fill(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    shown_ = library_.folders();
    if (shown_.size() > last_command - first_command + 1) shown_.resize(last_command - first_command + 1);
    for (std::size_t i = 0; i < shown_.size(); ++i)
        sonavel::uAppendMenu(menu, MF_STRING, first_command + i, shown_[i].c_str());
    if (shown_.empty()) AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"(no folders)");
}

bool FolderMenu::run(UINT command) {
    if (command < first_command || command > last_command) return false;
    std::size_t index = command - first_command;
    if (index >= shown_.size()) return true;
    std::wstring question = L"Remove the folder \"" + sonavel::utf8_to_wide(shown_[index]) +
                            L"\" from the library?\n\nIts tracks leave the library and the playlists; the files stay on the disk.";
    if (MessageBoxW(owner_, question.c_str(), L"Remove folder", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        library_.remove_folder(shown_[index]);
    return true;
}

}  // namespace player
