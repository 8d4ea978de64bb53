#include "ui/ScreenClamp.h"

namespace quennet {

bool clamp_to_screen(RECT& rect, const RECT& screen) {
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    bool moved = false;
    if (rect.left < screen.left) {
        rect.left = screen.left;
        rect.right = rect.left + width;
        moved = true;
    }
    if (rect.right > screen.right) {
        rect.right = screen.right;
        rect.left = rect.right - width;
        moved = true;
    }
    if (rect.top < screen.top) {
        rect.top = screen.top;
        rect.bottom = rect.top + height;
        moved = true;
    }
    if (rect.bottom > screen.bottom) {
        rect.bottom = screen.bottom;
        rect.top = rect.bottom - height;
        moved = true;
    }
    return moved;
}

bool clamp_to_virtual_screen(RECT& rect) {
    RECT screen{};
    screen.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    screen.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return clamp_to_screen(rect, screen);
}

void bring_into_view(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    if (clamp_to_virtual_screen(rect))
        SetWindowPos(window, nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    BringWindowToTop(window);
    SetActiveWindow(window);
}

}  // namespace quennet
