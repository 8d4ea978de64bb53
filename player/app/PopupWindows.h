#pragma once
// The component's popup windows as the player sees them: the dialog windows its main window owns (they
// stay above it). The View menu lists them; choosing one brings it forward at once, shown and on top,
// whether it was hidden or only covered. Main thread.
#include <windows.h>

#include <string>
#include <vector>

namespace player {

// In the order the system keeps them (top first).
std::vector<HWND> popup_windows(HWND frame);
std::wstring window_title(HWND window);
// Shows the window if hidden, raises it above its siblings and gives it the activation.
void bring_forward(HWND popup);

}  // namespace player
