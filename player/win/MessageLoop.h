#pragma once
// The main thread's message loop of the stand-in player: runs the main-thread queue when woken, gives
// registered modeless dialogs their keyboard handling, and serves modal waits. Key presses are seen as
// they leave the thread's queue (a message hook, so that they are seen whatever loop takes them, as the
// panels' own hook sees theirs): first by the player's key filter, then Escape closes the window it was
// pressed in when that window asked for it.
#include <windows.h>

#include <functional>
#include <utility>
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
    // Sees each key press (WM_KEYDOWN, WM_SYSKEYDOWN) taken from the queue; true when it handled the key,
    // which then goes no further. Empty: none.
    void set_key_filter(std::function<bool(const MSG&)> filter) { key_filter_ = std::move(filter); }
    // Puts the key filter before any message hook installed since (a hosted panel's, which empties every
    // key it sees), so that the player's own keys (F6 out of a panel's text box) still reach it.
    void see_keys_first();
    // Escape pressed in the top-level window `window` (or in its controls) closes it, as Cancel would.
    static void close_on_escape(HWND window);

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK key_hook(int code, WPARAM wparam, LPARAM lparam);
    void dispatch(MSG& msg);
    bool filter_key(const MSG& msg);

    MainThreadQueue& queue_;
    const ModelessDialogs& dialogs_;
    sonavel::unique_hwnd wake_window_;
    std::function<bool(const MSG&)> key_filter_;
    sonavel::unique_hhook hook_;
};

}  // namespace player
