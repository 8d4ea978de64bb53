#pragma once
// The system's message font, which the player's own windows use, and what a text measures in it, so that
// windows are laid out from the font rather than from fixed pixels.
#include <windows.h>

#include <string_view>

#include "sdk/win/unique_handle.h"

namespace player {

sonavel::unique_hfont message_font();
// The size of `text` in `font` on `window`'s screen.
SIZE text_extent(HWND window, HFONT font, std::wstring_view text);
// Sends the font to every child of `parent`.
void set_children_font(HWND parent, HFONT font);

}  // namespace player
