#pragma once
// A plain top-level window for the harness's own tests: it hosts controls and remembers what they told it.
#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "sdk/win/unique_handle.h"

namespace harness_test {

struct Notification {
    UINT code = 0;
    UINT_PTR from = 0;
    int item = -1;
    UINT old_state = 0;  // list-view item changes only
    UINT new_state = 0;
    POINT message_pos{};  // GetMessagePos at the time, in the control's client coordinates
};

struct KeyMessage {
    UINT message = 0;
    WPARAM key = 0;
    bool ctrl_down = false;
    bool shift_down = false;
};

class ProbeWindow {
public:
    explicit ProbeWindow(const wchar_t* title = L"Harness probe", COLORREF background = RGB(255, 255, 255));
    ~ProbeWindow();
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;

    HWND hwnd() const { return window_.get(); }
    // A child control; the window keeps it until it is destroyed itself.
    HWND add_child(const wchar_t* window_class, const wchar_t* text, DWORD style, int id, RECT at,
                   DWORD ex_style = 0);

    std::vector<Notification> notifications;
    std::vector<KeyMessage> keys;
    std::vector<WORD> commands;
    int app_messages = 0;  // WM_APP received
    std::function<void(WORD id)> on_command;

    int count(UINT code) const;
    const Notification* first(UINT code) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
    std::optional<LRESULT> handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void record(const NMHDR& header);

    sonavel::unique_hbrush brush_;
    sonavel::unique_hwnd window_;
};

}  // namespace harness_test
