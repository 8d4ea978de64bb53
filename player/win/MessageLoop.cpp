#include "player/win/MessageLoop.h"

#include <algorithm>

namespace player {
namespace {
constexpr UINT wm_run_queue = WM_APP + 1;
constexpr wchar_t wake_class[] = L"StandInPlayerMainThreadQueue";
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
}

MessageLoop::~MessageLoop() { queue_.set_waker(nullptr); }

LRESULT CALLBACK MessageLoop::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == wm_run_queue) {
        auto* self = reinterpret_cast<MessageLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) self->queue_.run_pending();
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
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
