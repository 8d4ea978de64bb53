#pragma once
// Reading the pop-up menu a panel opens, and closing it with or without a choice, as the user does.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace window_test {

// Reads the pop-up menu that opens while it is alive and closes it without a choice.
class MenuReader {
public:
    // `close` ends the menu once it is read; by default without a choice.
    explicit MenuReader(std::function<void()> close = [] { EndMenu(); }) : close_(std::move(close)) {
        reader_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &MenuReader::tick);
    }
    ~MenuReader() {
        KillTimer(nullptr, timer_);
        reader_ = nullptr;
    }
    MenuReader(const MenuReader&) = delete;
    MenuReader& operator=(const MenuReader&) = delete;

    // "-" for a separator, "*" before a checked item, "~" before a greyed one.
    std::vector<std::wstring> items;
    bool seen = false;

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!reader_ || reader_->seen) return;
        HWND menu_window = FindWindowW(L"#32768", nullptr);
        if (!menu_window || !IsWindowVisible(menu_window)) return;
        auto menu = reinterpret_cast<HMENU>(SendMessageW(menu_window, 0x01E1 /* MN_GETHMENU */, 0, 0));
        if (!menu) return;
        reader_->seen = true;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
            if (state & MF_SEPARATOR) {
                reader_->items.push_back(L"-");
                continue;
            }
            wchar_t text[128] = {};
            GetMenuStringW(menu, UINT(i), text, 128, MF_BYPOSITION);
            std::wstring shown = (state & MF_CHECKED) ? L"*" : L"";
            if (state & MF_GRAYED) shown += L"~";
            reader_->items.push_back(shown + text);
        }
        reader_->close_();
    }

    static inline MenuReader* reader_ = nullptr;
    std::function<void()> close_;
    UINT_PTR timer_ = 0;
};

// Closes the menu by choosing its first item from the keyboard: Down, then Enter.
inline void choose_first_item() {
    INPUT keys[4] = {};
    const WORD codes[] = {VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        if (i % 2) keys[i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(4, keys, sizeof(INPUT));
}

}  // namespace window_test
