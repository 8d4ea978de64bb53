#include "tests/panel/controls_window.h"

#include <commctrl.h>

#include <stdexcept>

#include "panel/model/CheckStates.h"

namespace panel_test {
namespace {
constexpr wchar_t class_name[] = L"PanelControlsTestWindow";

void register_class_once(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = class_name;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
}
}  // namespace

ControlsWindow::ControlsWindow(const wchar_t* title, RECT at, DWORD extra_list_style) {
    register_class_once(procedure);
    const int width = at.right - at.left, height = at.bottom - at.top;
    window_.reset(CreateWindowExW(0, class_name, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, at.left, at.top, width,
                                  height, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    if (!window_) throw std::runtime_error("the test panel window cannot be created");
    filter = child(WC_EDITW, ES_AUTOHSCROLL | WS_BORDER, quennet::filter_edit_id, {10, 10, width - 30, 34});
    add = child(WC_EDITW, ES_AUTOHSCROLL | WS_BORDER, quennet::add_edit_id, {10, 40, width - 30, 64});
    list = child(WC_LISTVIEWW, LVS_LIST | WS_BORDER | extra_list_style, quennet::value_list_id,
                 {10, 70, width - 30, height - 50});
}

HWND ControlsWindow::child(const wchar_t* window_class, DWORD style, int id, RECT at) {
    return CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right - at.left,
                           at.bottom - at.top, window_.get(), reinterpret_cast<HMENU>(INT_PTR(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK ControlsWindow::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ControlsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ControlsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (self && self->on_message) {
        try {
            if (auto result = self->on_message(message, wparam, lparam)) return *result;
        } catch (...) {
            ++self->failures;
            // A change that could not be judged is refused, as the panel will.
            if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == LVN_ITEMCHANGING) return TRUE;
            return 0;
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace panel_test
