#include "player/win/CenterOn.h"

#include <algorithm>

namespace player {

void center_on(HWND window, HWND over) {
    RECT mine, theirs;
    if (!GetWindowRect(window, &mine)) return;
    MONITORINFO monitor = {sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(over ? over : window, MONITOR_DEFAULTTONEAREST), &monitor);
    if (!over || !GetWindowRect(over, &theirs)) theirs = monitor.rcWork;
    const int width = mine.right - mine.left, height = mine.bottom - mine.top;
    const RECT& work = monitor.rcWork;
    int x = (theirs.left + theirs.right - width) / 2, y = (theirs.top + theirs.bottom - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace player
