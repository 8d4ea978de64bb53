#pragma once
// Keeps a window on the monitors that exist now: a window placed on a monitor that has since gone comes
// back onto the virtual screen with its size kept.
#include <windows.h>

namespace quennet {

// Moves `rect` inside the virtual screen, left and top edge first, then right and bottom: a rectangle
// larger than the screen ends on its right or bottom edge. true when it moved.
bool clamp_to_virtual_screen(RECT& rect);
// The same against an explicit screen rectangle.
bool clamp_to_screen(RECT& rect, const RECT& screen);

// Moves `window` back onto the virtual screen if it left it (size kept), shows it, raises it and makes
// it the active window.
void bring_into_view(HWND window);

}  // namespace quennet
