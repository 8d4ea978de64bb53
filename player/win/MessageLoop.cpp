#include "player/win/MessageLoop.h"

#include <algorithm>

namespace player {
namespace {
constexpr UINT wm_run_queue = WM_APP + 1;
constexpr wchar_t wake_class[] = L"StandInPlayerMainThreadQueue";
constexpr wchar_t close_on_escape_property[] = L"PlayerClosesOnEscape";
// The loop whose hook serves this thread: a message hook has no data of its own.
thread_local MessageLoop* hooked_loop = nullptr;
}  // namespace

void ModelessDialogs::add(HWND__* window) {
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) windows_.push_back(window);
}

void ModelessDialogs::remove(HWND__* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

bool ModelessDialogs::is_registered(HWND window) const {
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

bool ModelessDialogs::route(MSG& msg) const {
    for (HWND dialog : windows_) {
        if ((msg.hwnd == dialog || IsChild(dialog, msg.hwnd)) && IsDialogMessageW(dialog, &msg)) return true;
    }
    return false;
}

MessageLoop::MessageLoop(MainThreadQueue& queue, const ModelessDialogs& dialogs) : queue_(queue), dialogs_(dialogs) {
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = wake_class;
    RegisterClassExW(&wc);  // fails harmlessly when a second loop registers it again
    wake_window_.reset(CreateWindowExW(0, wake_class, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this));
    SetWindowLongPtrW(wake_window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    HWND target = wake_window_.get();
    // Any thread may queue; the posted message brings the work to this thread's loop.
    queue_.set_waker([target] { PostMessageW(target, wm_run_queue, 0, 0); });
    if (!hooked_loop) {
        hook_.reset(SetWindowsHookExW(WH_GETMESSAGE, key_hook, nullptr, GetCurrentThreadId()));
        if (hook_) hooked_loop = this;
    }
}

void MessageLoop::see_keys_first() {
    if (hooked_loop != this) return;
    // The hook installed last is called first.
    hook_.reset(SetWindowsHookExW(WH_GETMESSAGE, key_hook, nullptr, GetCurrentThreadId()));
    if (!hook_) hooked_loop = nullptr;
}

MessageLoop::~MessageLoop() {
    queue_.set_waker(nullptr);
    if (hooked_loop == this) hooked_loop = nullptr;
    hook_.reset();
}

LRESULT CALLBACK MessageLoop::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == wm_run_queue) {
        auto* self = reinterpret_cast<MessageLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) self->queue_.run_pending();
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

bool MessageLoop::filter_key(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (key_filter_ && key_filter_(msg)) return true;
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE || !msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || !GetPropW(root, close_on_escape_property)) return false;
    PostMessageW(root, WM_CLOSE, 0, 0);
    return true;
}

void MessageLoop::close_on_escape(HWND window) { SetPropW(window, close_on_escape_property, HANDLE(1)); }

LRESULT CALLBACK MessageLoop::key_hook(int code, WPARAM wparam, LPARAM lparam) {
    auto* msg = reinterpret_cast<MSG*>(lparam);
    // Only messages taken from the queue: a key peeked at and left there is seen when it is taken.
    if (code >= 0 && wparam == PM_REMOVE && hooked_loop) {
        try {
            if (hooked_loop->filter_key(*msg)) {
                // Emptied: the loop that took it dispatches nothing.
                msg->message = WM_NULL;
                msg->wParam = 0;
                msg->lParam = 0;
            }
        } catch (...) {
            // A key that could not be handled is left to its window.
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void MessageLoop::dispatch(MSG& msg) {
    if (dialogs_.route(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void MessageLoop::run_pending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

bool MessageLoop::run_until(const std::function<bool()>& done, DWORD timeout_ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        DWORD waited = GetTickCount() - start;
        if (timeout_ms != INFINITE && waited >= timeout_ms) return false;
        DWORD left = timeout_ms == INFINITE ? 50 : std::min<DWORD>(50, timeout_ms - waited);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
        run_pending();
    }
    return true;
}

int MessageLoop::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) dispatch(msg);
    return int(msg.wParam);
}

}  // namespace player
