#include "tests/harness/mouse.h"

#include "sdk/win/unique_handle.h"
#include "tests/harness/pump.h"

namespace harness {
namespace {

using clock_type = std::chrono::steady_clock;

constexpr std::chrono::milliseconds cursor_quiet_time{30};
constexpr std::chrono::milliseconds cursor_settle_wait{300};
constexpr int cursor_attempts = 5;

thread_local clock_type::time_point last_mouse_move{};

LRESULT CALLBACK note_moves(int code, WPARAM wparam, LPARAM lparam) noexcept {
    if (code == HC_ACTION && (wparam == WM_MOUSEMOVE || wparam == WM_NCMOUSEMOVE)) last_mouse_move = clock_type::now();
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool cursor_is_at(POINT screen) {
    POINT now{};
    GetCursorPos(&now);
    return now.x == screen.x && now.y == screen.y;
}

// Under wine the X server reports pointer positions late, and not only to us: when a window appears or goes
// away under the pointer, the desktop process reports the pointer where it was, some time later, and the
// cursor jumps back, in the middle of a click if we let it (a list view then takes the click for a drag).
// So the cursor is put in place, moves are let die down, and the position is checked before any button goes.
void put_cursor_on(HWND window, POINT at) {
    POINT screen = at;
    ClientToScreen(window, &screen);
    sonavel::unique_hhook watcher(SetWindowsHookExW(WH_MOUSE, note_moves, nullptr, GetCurrentThreadId()));
    for (int attempt = 0; attempt < cursor_attempts; ++attempt) {
        if (!cursor_is_at(screen)) SetCursorPos(screen.x, screen.y);
        last_mouse_move = clock_type::now();
        pump_until([] { return clock_type::now() - last_mouse_move >= cursor_quiet_time; }, cursor_settle_wait);
        if (cursor_is_at(screen)) return;
    }
}

// Posted, not sent: controls that track the mouse after a button-down (the list view's drag detection) peek
// the queue for the button-up, so it has to be there already when the button-down is handled.
void post_button(HWND window, UINT message, WPARAM keys, POINT at) {
    PostMessageW(window, message, keys, MAKELPARAM(at.x, at.y));
}

}  // namespace

void click(HWND window, POINT at) {
    put_cursor_on(window, at);
    post_button(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    post_button(window, WM_LBUTTONUP, 0, at);
    pump_pending();
}

void double_click(HWND window, POINT at) {
    put_cursor_on(window, at);
    post_button(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    post_button(window, WM_LBUTTONUP, 0, at);
    post_button(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    post_button(window, WM_LBUTTONUP, 0, at);
    pump_pending();
}

void rest_mouse(HWND window, POINT at) {
    put_cursor_on(window, at);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    pump_pending();
}

POINT centre_of(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
}

}  // namespace harness
