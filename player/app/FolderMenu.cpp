#include "player/app/FolderMenu.h"

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
    if (index < shown_.size()) library_.remove_folder(shown_[index]);
    return true;
}

}  // namespace player
