#pragma once
// File > "Remove folder": a submenu listing the library folders, filled each time it opens; choosing
// one asks first, then forgets the folder and the tracks only it held. Main thread.
#include <windows.h>

#include <string>
#include <vector>

#include "player/library/LibrarySync.h"

namespace player {

class FolderMenu {
public:
    static constexpr UINT first_command = 1000;
    static constexpr UINT last_command = 1099;

    // `owner`: the window the question is asked over.
    FolderMenu(library::LibrarySync& library, HWND owner) : library_(library), owner_(owner) {}

    // Fills the submenu with the folders as they are now ("(no folders)" greyed when there are none).
    void fill(HMENU menu);
    // Runs a command of the submenu; false for a command that is not one of its.
    bool run(UINT command);

private:
    library::LibrarySync& library_;
    HWND owner_;
    std::vector<std::string> shown_;
};

}  // namespace player
