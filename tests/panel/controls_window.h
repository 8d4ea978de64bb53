#pragma once
// A top-level window holding the panel's three controls (filter edit, add edit, list view) that hands
// each message to a handler first: the panel's wiring without its dialog, for tests.
#include <windows.h>

#include <functional>
#include <optional>

#include "sdk/win/unique_handle.h"

namespace panel_test {

class ControlsWindow {
public:
    // A result ends the message; nullopt lets the window's default handling have it.
    using handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wparam, LPARAM lparam)>;

    // `at` is the window's place and size on the screen; the controls fill it.
    ControlsWindow(const wchar_t* title, RECT at, DWORD extra_list_style = 0);
    ControlsWindow(const ControlsWindow&) = delete;
    ControlsWindow& operator=(const ControlsWindow&) = delete;

    HWND hwnd() const noexcept { return window_.get(); }
    HWND filter = nullptr;
    HWND add = nullptr;
    HWND list = nullptr;
    handler on_message;
    // Exceptions the handler let out (it must not: the window procedure stops them and counts them).
    int failures = 0;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
    HWND child(const wchar_t* window_class, DWORD style, int id, RECT at);

    sonavel::unique_hwnd window_;
};

}  // namespace panel_test
