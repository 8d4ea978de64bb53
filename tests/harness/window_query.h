#pragma once
// What a test can read off a window without knowing which thread owns it.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace harness {

// The window's text; empty when the owning thread does not answer within a second.
std::wstring window_text(HWND window);
std::wstring class_name(HWND window);
// Window class names compare without regard to case ("Edit" and "EDIT" are one class).
bool has_class(HWND window, std::wstring_view name);

// The window's rectangle in its parent's client coordinates.
RECT rect_in_parent(HWND child);

// Snapshots, so that callers may create or destroy windows while they walk the result.
std::vector<HWND> top_level_windows_of_this_process();
std::vector<HWND> descendants(HWND parent);

}  // namespace harness
