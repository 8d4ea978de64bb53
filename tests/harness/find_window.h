#pragma once
// Finding the window a test must act on by what a user reads on it.
#include <windows.h>

#include <string_view>

namespace harness {

// A top-level window of this process whose text is exactly `text`, of class `class_name` when one is given;
// null when there is none.
HWND find_window(std::wstring_view text, std::wstring_view class_name = {});

// A window anywhere below `parent` (children, their children, ...) matched the same way; null when none.
HWND find_child(HWND parent, std::wstring_view text, std::wstring_view class_name = {});

}  // namespace harness
