#pragma once
// The main thread's message loop of the stand-in player: runs the main-thread queue when woken, gives
// registered modeless dialogs their keyboard handling, and serves modal waits.
#include <windows.h>

#include <functional>
#include <vector>

#include "player/engine/MainThreadQueue.h"
#include "sdk/ui_services.h"
#include "sdk/win/unique_handle.h"

namespace player {

class ModelessDialogs : public sonavel::modeless_dialog_manager {
public:
    using interface_t = sonavel::modeless_dialog_manager;

    void add(HWND__* window) override;
    void remove(HWND__* window) override;
    // IsDialogMessage for the registered dialog the message belongs to.
    bool route(MSG& msg) const;
    bool is_registered(HWND window) const;

private:
    std::vector<HWND> windows_;
};

class MessageLoop {
public:
    MessageLoop(MainThreadQueue& queue, const ModelessDialogs& dialogs);
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;
    ~MessageLoop();

    // Dispatches messages until `done` holds; false when `timeout_ms` passed first.
    bool run_until(const std::function<bool()>& done, DWORD timeout_ms = INFINITE);
    // Dispatches what is queued now.
    void run_pending();
    // Until WM_QUIT.
    int run();

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void dispatch(MSG& msg);

    MainThreadQueue& queue_;
    const ModelessDialogs& dialogs_;
    sonavel::unique_hwnd wake_window_;
};

}  // namespace player
