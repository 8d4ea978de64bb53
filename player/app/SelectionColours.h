#pragma once
// How a list marks its selected rows while another window has the keyboard focus: the system's default
// for that (a pale face colour) is nearly white, so the rows a command will act on could not be told.
// The highlight colour half-way toward the window's background stays clearly visible and readable with
// the window's text colour, and still differs from the focused list's selection. Main thread.
#include <windows.h>
#include <commctrl.h>

namespace player {

COLORREF inactive_selection_background();

// For a list's NM_CUSTOMDRAW: draws selected rows of an unfocused list in the colours above. Returns the
// custom-draw answer for the list.
LRESULT draw_unfocused_selection(HWND list, NMLVCUSTOMDRAW& draw);

}  // namespace player
