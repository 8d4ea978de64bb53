#pragma once
// What a window must show at any display scaling, as gtest expectations: every visible child inside its
// parent's client area, and every text control (label, edit box, button, status bar, row of tabs) at least a
// line of its font high.
#include <windows.h>

namespace harness {

// Checks the visible children of `window` and, below them, their own children.
void expect_children_inside(HWND window);
void expect_text_controls_hold_a_line(HWND window);

}  // namespace harness
