#include "tests/harness/window_query.h"

namespace harness {
namespace {

constexpr UINT answer_wait_ms = 1000;

BOOL CALLBACK collect(HWND window, LPARAM into) noexcept {
    try {
        reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

std::wstring window_text(HWND window) {
    // WM_GETTEXT rather than GetWindowTextW: a window of another thread that is stuck must not stall the test.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, answer_wait_ms, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             answer_wait_ms, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::wstring class_name(HWND window) {
    wchar_t name[256] = {};
    int length = GetClassNameW(window, name, int(std::size(name)));
    return std::wstring(name, length > 0 ? std::size_t(length) : 0);
}

bool has_class(HWND window, std::wstring_view name) {
    std::wstring actual = class_name(window);
    return CompareStringOrdinal(actual.data(), int(actual.size()), name.data(), int(name.size()), TRUE) == CSTR_EQUAL;
}

std::vector<HWND> top_level_windows_of_this_process() {
    std::vector<HWND> all;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> ours;
    for (HWND window : all) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) ours.push_back(window);
    }
    return ours;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

RECT rect_in_parent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace harness
