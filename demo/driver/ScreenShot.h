#pragma once
// A picture of part of the screen, as a 24-bit BMP file (the demo's scripts turn them into PNGs).
#include <windows.h>

#include <string>

namespace demo {

// The screen inside `area` (screen coordinates); false when it cannot be taken or written.
bool save_screen(const RECT& area, const std::wstring& path);
// The window with its frame, and the menus and dialogs over it that lie inside `margin` pixels around it.
bool save_window(HWND window, const std::wstring& path, int margin = 0);

}  // namespace demo
