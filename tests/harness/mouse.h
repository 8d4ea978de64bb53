#pragma once
// Left-button clicks as the mouse makes them: button messages through the window's queue, with the cursor on
// the spot so that GetMessagePos and GetCursorPos in the handlers agree with the click.
#include <windows.h>

namespace harness {

// `at` is in `window`'s client coordinates. Both return once the messages have been dispatched; each first
// waits for the cursor to settle on the spot (30 ms without a mouse move), which wine needs.
void click(HWND window, POINT at);
void double_click(HWND window, POINT at);

// The mouse comes to rest on a spot: the cursor is put there and the move reaches the window's queue; the
// system's own hover tracking (WM_MOUSEHOVER) follows while this thread dispatches messages.
void rest_mouse(HWND window, POINT at);

// The middle of a child window, in its own client coordinates: where a user clicks a button.
POINT centre_of(HWND window);

}  // namespace harness
