#pragma once
// Places a top-level window over the middle of another, kept inside the monitor's work area.
#include <windows.h>

namespace player {

void center_on(HWND window, HWND over);

}  // namespace player
