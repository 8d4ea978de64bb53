#pragma once
// Typing into a control as the keyboard does: the control gets the focus, then key messages arrive through the
// thread's queue, so message hooks, TranslateMessage and GetKeyState in the receiver all see them.
//
// Two ways to deliver, both tested under wine in Xvfb with a virtual desktop:
// - through_input (the default): SendInput, the real keyboard path. The window's top level must be the
//   foreground window; a std::runtime_error says so when the system refuses. Modifiers are keys like any other.
//   The whole sequence goes in one SendInput call so that no modifier is ever left held down.
// - posted: key messages posted to the target, with SetKeyboardState holding the modifiers for this thread
//   while they are handled. Needs no foreground (useful where the desktop cannot be given to the test), but only
//   a receiver on this thread sees the modifiers, and GetAsyncKeyState does not.
#include <windows.h>

#include <string_view>

namespace harness {

enum class key_delivery { through_input, posted };

enum class modifiers : unsigned { none = 0, ctrl = 1, shift = 2, alt = 4 };
constexpr modifiers operator|(modifiers a, modifiers b) { return modifiers(unsigned(a) | unsigned(b)); }
constexpr bool has(modifiers set, modifiers one) { return (unsigned(set) & unsigned(one)) != 0; }

// Gives `target` the keyboard focus and its top-level window the foreground; false when the system refuses.
bool focus(HWND target);

// Each UTF-16 unit of `text` as a typed character (VK_PACKET by input, WM_CHAR when posted).
void type_text(HWND target, std::wstring_view text, key_delivery how = key_delivery::through_input);

// One press and release of `key` (a VK_ code) with `held` down around it.
void press_key(HWND target, UINT key, modifiers held = modifiers::none,
               key_delivery how = key_delivery::through_input);

}  // namespace harness
