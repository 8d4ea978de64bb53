#pragma once
// The player's windows at the display's scaling: the message font for a DPI, buttons sized from their
// text, windows sized from their client area, and the rectangle Windows suggests when a window moves to a
// monitor of another DPI (WM_DPICHANGED).
#include <windows.h>

#include <string_view>

#include "sdk/win/dpi.h"
#include "sdk/win/unique_handle.h"

namespace player {

// The system's message font for `dpi`.
sonavel::unique_hfont message_font_at(unsigned dpi);
// A push button for `text` in `font`: at least 80 px at 96 DPI, its text with room on both sides, a line
// of the font high with room above and below.
SIZE button_size(HWND window, HFONT font, std::wstring_view text);
// Gives `window` a client area of `width` x `height`, keeping its position.
void resize_client(HWND window, int width, int height, unsigned dpi);
// WM_DPICHANGED: moves `window` to the rectangle that `lparam` suggests.
void move_to_suggested(HWND window, LPARAM lparam);
// The message font for `window`'s DPI on all its children, then in `font` in place of the one they had.
void renew_children_font(HWND window, sonavel::unique_hfont& font);
// Scales the width of every column of a report list view from `from` DPI to `to` DPI.
void rescale_list_columns(HWND list, unsigned from, unsigned to);
// `pixels` at 96 DPI for a window on the primary screen, before it exists.
int scaled_for_screen(int pixels);
// The first size of a top-level window: `width` x `height` at 96 DPI scaled to the primary screen, but no
// larger than its work area less `margin` (unscaled) on each side.
SIZE first_window_size(int width, int height, int margin);

}  // namespace player
