#include "player/win/ProgressWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "player/win/Dpi.h"
#include "player/win/WindowFont.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace player {
namespace {
constexpr wchar_t window_class[] = L"StandInPlayerProgress";
constexpr UINT_PTR show_timer = 1;
// The window shows what the worker last said at most this often, however often it says something.
constexpr UINT_PTR refresh_timer = 2;
constexpr UINT refresh_ms = 33;
constexpr UINT show_delay_ms = 500;

void register_class() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
        return true;
    }();
    (void)registered;
}
}  // namespace

ProgressWindow::ProgressWindow(HWND parent, const char* title, unsigned flags) : flags_(flags), title_(title ? title : "") {
    register_class();
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = window_class;
    RegisterClassExW(&wc);

    // Sized by layout() once the window knows its DPI.
    window_.reset(CreateWindowExW(WS_EX_DLGMODALFRAME, window_class, sonavel::utf8_to_wide(title_).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, parent,
                                  nullptr, wc.hInstance, this));
    if (!window_) throw sonavel::exception_bug_check();
    HINSTANCE instance = wc.hInstance;
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
        return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_.get(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    child(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, 0, 0, 0, 0, id_item);
    HWND bar = child(PROGRESS_CLASSW, L"", 0, 0, 0, 0, 0, id_bar);
    SendMessageW(bar, PBM_SETRANGE32, 0, LPARAM(sonavel::threaded_process_status::progress_max));
    if (flags & sonavel::threaded_process_service::flag_show_abort) {
        child(L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 0, 0, id_cancel);
    }
    layout();
    SetTimer(window_.get(), refresh_timer, refresh_ms, nullptr);
    if (flags & sonavel::threaded_process_service::flag_show_delayed) {
        SetTimer(window_.get(), show_timer, show_delay_ms, nullptr);
    } else {
        bool activate = !(flags & sonavel::threaded_process_service::flag_no_focus);
        ShowWindow(window_.get(), activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    }
}

ProgressWindow::~ProgressWindow() { close(); }

void ProgressWindow::close() {
    std::lock_guard<std::mutex> guard(lock_);
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

LRESULT CALLBACK ProgressWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    return self->on_message(window, message, wparam, lparam);
}

void ProgressWindow::layout() {
    const HWND self = window_.get();
    const unsigned dpi = sonavel::window_dpi(self);
    font_ = message_font_at(dpi);
    set_children_font(self, font_.get());
    const int margin = sonavel::scale_to_dpi(12, dpi);
    const int line = sonavel::line_height(self, font_.get());
    const int inner = sonavel::scale_to_dpi(380, dpi);
    const int bar_height = std::max(sonavel::scale_to_dpi(18, dpi), line);
    const SIZE cancel = button_size(self, font_.get(), L"Cancel");
    const int item_top = margin;
    const int bar_top = item_top + line + sonavel::scale_to_dpi(8, dpi);
    const int cancel_top = bar_top + bar_height + margin;
    const bool has_cancel = GetDlgItem(self, id_cancel) != nullptr;
    const int bottom = (has_cancel ? cancel_top + cancel.cy : bar_top + bar_height) + margin;
    MoveWindow(GetDlgItem(self, id_item), margin, item_top, inner, line, FALSE);
    MoveWindow(GetDlgItem(self, id_bar), margin, bar_top, inner, bar_height, FALSE);
    if (has_cancel) MoveWindow(GetDlgItem(self, id_cancel), margin + inner - cancel.cx, cancel_top, cancel.cx, cancel.cy, FALSE);
    resize_client(self, margin * 2 + inner, bottom, dpi);
    InvalidateRect(self, nullptr, TRUE);
}

LRESULT ProgressWindow::on_message(HWND self, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_DPICHANGED:
            move_to_suggested(self, lparam);
            layout();
            return 0;
        case WM_TIMER:
            if (wparam == refresh_timer) {
                refresh();
            } else if (wparam == show_timer) {
                KillTimer(self, show_timer);
                ShowWindow(self, SW_SHOWNOACTIVATE);
                refresh();
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wparam) == id_cancel) {
                abort_.abort();
                EnableWindow(GetDlgItem(self, id_cancel), FALSE);
            }
            return 0;
        case WM_CLOSE:
            // Closing the window is asking to stop; the work's end closes it.
            abort_.abort();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(self, message, wparam, lparam);
}

void ProgressWindow::set_progress(std::size_t position) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        progress_ = position;
        changed_ = true;
    }
}

void ProgressWindow::set_item(const char* text) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        item_ = text ? text : "";
        changed_ = true;
    }
}

void ProgressWindow::set_title(const char* text) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        title_ = text ? text : "";
        title_changed_ = true;
        changed_ = true;
    }
}

void ProgressWindow::refresh() {
    // A window still waiting to be shown is brought up to date as it shows.
    if (!window_ || !IsWindowVisible(window_.get())) return;
    std::size_t progress;
    std::string item, title;
    bool title_changed;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!std::exchange(changed_, false)) return;
        progress = progress_;
        item = item_;
        title = title_;
        title_changed = std::exchange(title_changed_, false);
    }
    SendDlgItemMessageW(window_.get(), id_bar, PBM_SETPOS, WPARAM(progress), 0);
    sonavel::uSetDlgItemText(window_.get(), id_item, item.c_str());
    if (title_changed) sonavel::uSetWindowText(window_.get(), title.c_str());
}

std::unique_ptr<ProgressView> ProgressWindowFactory::open(HWND__* parent, const char* title, unsigned flags) {
    return std::make_unique<ProgressWindow>(parent, title, flags);
}

}  // namespace player
