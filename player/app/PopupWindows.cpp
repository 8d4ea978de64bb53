#include "player/app/PopupWindows.h"

namespace player {
namespace {

struct search {
    HWND frame;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<search*>(data);
    wchar_t name[16] = {};
    if (GetWindow(window, GW_OWNER) == s->frame && GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0 &&
        GetWindow(window, GW_CHILD))
        s->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> popup_windows(HWND frame) {
    search s{frame, {}};
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::wstring window_title(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

void bring_forward(HWND popup) {
    if (!IsWindow(popup)) return;
    if (!IsWindowVisible(popup)) ShowWindow(popup, SW_SHOW);
    SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(popup);
}

}  // namespace player
