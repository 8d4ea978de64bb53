#pragma once
// Mouse and keyboard input as a user gives it: SendInput, to whatever window is under the cursor or has the
// focus.
#include <windows.h>

namespace demo {

void move_to(POINT screen);
void click(POINT screen, bool right = false, UINT held_key = 0);
void press(UINT key, UINT held_key = 0);
// Lets the input reach the windows (they belong to another process).
void settle(DWORD ms = 300);

}  // namespace demo
