#pragma once
// Moving the keyboard focus between the panes of the main window (the playlist, then each docked panel
// in its order), as F6 and Ctrl+Tab do. Main thread.
#include <windows.h>

#include <vector>

namespace player {

// The pane that holds the focus now (itself or one of its children), or -1.
int pane_with_focus(const std::vector<HWND>& panes);
// Gives the focus to the next (or previous) visible pane after the one that has it, wrapping around;
// in a pane with controls, to its first control that takes the focus.
void move_pane_focus(const std::vector<HWND>& panes, bool forward);

}  // namespace player
