#include "demo/driver/PlayerWindows.h"

#include <commctrl.h>

#include <stdexcept>

namespace demo {
namespace {

constexpr wchar_t main_class[] = L"StandInPlayerMain";
constexpr int panel_list_id = 1101;

struct TopLevelSearch {
    DWORD process;
    HWND main;
    std::wstring class_name;
    HWND found;
};

BOOL CALLBACK match_top_level(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window != search.main && process == search.process && IsWindowVisible(window) &&
        class_of(window) == search.class_name) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK match_panel_list(HWND child, LPARAM out) {
    if (GetDlgCtrlID(child) == panel_list_id && class_of(child) == WC_LISTVIEWW) {
        *reinterpret_cast<HWND*>(out) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring class_of(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

HWND find_panel_list(HWND main) {
    HWND found = nullptr;
    EnumChildWindows(main, match_panel_list, LPARAM(&found));
    return found;
}

HWND find_top_level(HWND main, const std::wstring& class_name) {
    TopLevelSearch search{0, main, class_name, nullptr};
    GetWindowThreadProcessId(main, &search.process);
    EnumWindows(match_top_level, LPARAM(&search));
    return search.found;
}

PlayerWindows find_player(DWORD timeout_ms) {
    PlayerWindows out;
    for (DWORD waited = 0; waited < timeout_ms; waited += 100) {
        out.main = FindWindowW(main_class, nullptr);
        if (out.main && IsWindowVisible(out.main)) {
            for (HWND child = GetWindow(out.main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (class_of(child) == WC_LISTVIEWW) out.playlist = child;
            if (out.playlist) {
                out.panel_list = find_panel_list(out.main);
                return out;
            }
        }
        Sleep(100);
    }
    throw std::runtime_error("the player's window did not appear");
}

}  // namespace demo
