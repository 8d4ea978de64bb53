#pragma once
// A picture of a window for a person to look at when a test fails in a way the assertions cannot describe.
#include <windows.h>

#include <string>

namespace harness {

// Copies what the screen shows of `window`'s client area into a 32-bit BMP file at `path`. The window has to
// be visible and uncovered. False when the picture cannot be taken or written.
bool save_client_bitmap(HWND window, const std::wstring& path);

// The colour the screen shows at a point of `window`'s client area (drawn first); CLR_INVALID when unknown.
COLORREF client_pixel(HWND window, POINT at);

}  // namespace harness
