#include "tests/harness/probe_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace harness_test {
namespace {

constexpr wchar_t class_name[] = L"HarnessProbeWindow";

void register_class_once(WNDPROC procedure) {
    static const ATOM atom = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = class_name;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
}

}  // namespace

ProbeWindow::ProbeWindow(const wchar_t* title, COLORREF background)
    : brush_(CreateSolidBrush(background)) {
    register_class_once(procedure);
    window_.reset(CreateWindowExW(0, class_name, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 360, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), this));
}

ProbeWindow::~ProbeWindow() {
    // Controls notify their parent while they are destroyed; the recording members must still be there.
    window_.reset();
}

HWND ProbeWindow::add_child(const wchar_t* window_class, const wchar_t* text, DWORD style, int id, RECT at,
                            DWORD ex_style) {
    return CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top,
                           at.right - at.left, at.bottom - at.top, hwnd(), reinterpret_cast<HMENU>(INT_PTR(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

int ProbeWindow::count(UINT code) const {
    return int(std::count_if(notifications.begin(), notifications.end(),
                             [&](const Notification& n) { return n.code == code; }));
}

const Notification* ProbeWindow::first(UINT code) const {
    auto found = std::find_if(notifications.begin(), notifications.end(),
                              [&](const Notification& n) { return n.code == code; });
    return found == notifications.end() ? nullptr : &*found;
}

LRESULT CALLBACK ProbeWindow::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ProbeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ProbeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (self) {
        try {
            if (auto result = self->handle(window, message, wparam, lparam)) return *result;
        } catch (...) {
            // A test's callback failed; the recorded state shows it, the window goes on.
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

std::optional<LRESULT> ProbeWindow::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_NOTIFY:
        record(*reinterpret_cast<const NMHDR*>(lparam));
        return 0;
    case WM_COMMAND:
        commands.push_back(LOWORD(wparam));
        if (on_command) on_command(LOWORD(wparam));
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
        keys.push_back({message, wparam, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0});
        return 0;
    case WM_APP:
        ++app_messages;
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        // `window`, not hwnd(): a visible window is erased before CreateWindowExW has returned its handle.
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wparam), &client, brush_.get());
        return 1;
    }
    default:
        return std::nullopt;
    }
}

void ProbeWindow::record(const NMHDR& header) {
    Notification n;
    n.code = header.code;
    n.from = header.idFrom;
    const DWORD pos = GetMessagePos();
    n.message_pos = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ScreenToClient(header.hwndFrom, &n.message_pos);
    if (header.code == LVN_ITEMCHANGING || header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        n.item = change.iItem;
        n.old_state = change.uOldState;
        n.new_state = change.uNewState;
    } else if (header.code == NM_CLICK || header.code == NM_DBLCLK) {
        n.item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
    }
    notifications.push_back(n);
}

}  // namespace harness_test
