#include "player/win/ConsoleWindow.h"

#include <mutex>
#include <utility>
#include <vector>

#include "player/win/CenterOn.h"
#include "player/win/MessageLoop.h"
#include "player/win/Dpi.h"
#include "player/win/WindowFont.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace player {
namespace {
constexpr wchar_t window_class[] = L"VarnelPlayerConsole";
constexpr UINT wm_lines_waiting = WM_APP + 1;

void register_class() {
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = window_class;
    RegisterClassExW(&wc);
}

// A console line as the text box shows it: its own line breaks as CR LF.
std::wstring box_text(const std::string& line) {
    std::wstring wide = sonavel::utf8_to_wide(line), out;
    out.reserve(wide.size());
    for (wchar_t c : wide) {
        if (c == L'\r') continue;
        if (c == L'\n') out += L"\r\n";
        else out += c;
    }
    return out;
}
}  // namespace

// Lines printed since the window last looked, filled by the printing threads.
struct ConsoleWindow::Inbox {
    std::mutex lock;
    std::vector<std::string> lines;
    HWND window = nullptr;
};

ConsoleWindow::ConsoleWindow(HWND owner, Console& console)
    : console_(console), inbox_(std::make_shared<Inbox>()), font_(message_font()) {
    register_class();
    window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, window_class, L"Console", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, scaled_for_screen(760), scaled_for_screen(360), owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw sonavel::exception_bug_check();
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    MessageLoop::close_on_escape(window_.get());
    SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window_proc));
    HWND text = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                    ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                0, 0, 100, 100, window_.get(), reinterpret_cast<HMENU>(INT_PTR(id_text)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(text, WM_SETFONT, WPARAM(font_.get()), FALSE);
    // As much text as the system allows: the backlog bounds it.
    SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
    RECT client;
    GetClientRect(window_.get(), &client);
    SetWindowPos(text, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    center_on(window_.get(), owner);

    inbox_->window = window_.get();
    std::weak_ptr<Inbox> inbox = inbox_;
    auto [id, backlog] = console_.add_listener([inbox](const std::string& line) {
        auto box = inbox.lock();
        if (!box) return;
        std::lock_guard<std::mutex> guard(box->lock);
        // One wake-up per batch: a burst of lines costs one posted message.
        if (box->lines.empty()) PostMessageW(box->window, wm_lines_waiting, 0, 0);
        box->lines.push_back(line);
    });
    listener_ = id;
    std::wstring joined;
    for (std::size_t i = 0; i < backlog.size(); ++i) joined += (i ? L"\r\n" : L"") + box_text(backlog[i]);
    append(joined, backlog.size());
}

ConsoleWindow::~ConsoleWindow() {
    // Once this returns no printing thread touches the inbox.
    console_.remove_listener(listener_);
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

void ConsoleWindow::show() {
    take_lines();
    ShowWindow(window_.get(), IsIconic(window_.get()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_.get());
    SendMessageW(text_box(), EM_SCROLLCARET, 0, 0);
}

std::wstring ConsoleWindow::text() const {
    HWND box = text_box();
    std::wstring text(std::size_t(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(box, text.data(), int(text.size()))));
    return text;
}

void ConsoleWindow::take_lines() {
    std::vector<std::string> lines;
    {
        std::lock_guard<std::mutex> guard(inbox_->lock);
        lines.swap(inbox_->lines);
    }
    if (lines.empty()) return;
    std::wstring joined;
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i || shown_lines_ ? L"\r\n" : L"") + box_text(lines[i]);
    append(joined, lines.size());
}

void ConsoleWindow::append(const std::wstring& text, std::size_t lines) {
    if (lines == 0) return;
    HWND box = text_box();
    int end = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, WPARAM(end), LPARAM(end));
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    shown_lines_ += lines;
    // The window keeps no more than the console does: the oldest lines go.
    if (shown_lines_ > Console::backlog_lines) {
        std::size_t excess = shown_lines_ - Console::backlog_lines;
        LRESULT cut = SendMessageW(box, EM_LINEINDEX, WPARAM(excess), 0);
        if (cut > 0) {
            SendMessageW(box, EM_SETSEL, 0, cut);
            SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
            shown_lines_ -= excess;
        }
        end = GetWindowTextLengthW(box);
        SendMessageW(box, EM_SETSEL, WPARAM(end), LPARAM(end));
    }
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

LRESULT CALLBACK ConsoleWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<ConsoleWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    // Nothing may unwind into the system's window code; the console cannot report on itself.
    try {
        return self->on_message(window, message, wparam, lparam);
    } catch (const std::exception&) {
        return 0;
    }
}

LRESULT ConsoleWindow::on_message(HWND self, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case wm_lines_waiting:
        take_lines();
        return 0;
    case WM_SIZE:
        SetWindowPos(text_box(), nullptr, 0, 0, LOWORD(lparam), HIWORD(lparam), SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case WM_DPICHANGED:
        renew_children_font(window_.get(), font_);
        move_to_suggested(window_.get(), lparam);
        return 0;
    case WM_SETFOCUS:
        SetFocus(text_box());
        return 0;
    case WM_CTLCOLORSTATIC:
        // Read-only, but read like a page: the window's colours rather than a disabled box's.
        if (reinterpret_cast<HWND>(lparam) == text_box()) {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_CLOSE:
        ShowWindow(self, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(self, message, wparam, lparam);
}

}  // namespace player
