#pragma once
// Acting in modal dialogs as a user would, from inside their modal loops. Each step names the window it
// acts on and waits until that window is shown and takes input, that is until no modal window (a nested
// dialog, a message box, a chooser) sits over it; then it acts, typically by reading controls and clicking
// a button. Steps run in order from a timer that every modal loop dispatches, so a click that opens a
// nested dialog lets the next step act inside it. A step that never finds its window fails the test, and
// the script then cancels every dialog still open so that the test goes on.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "sdk/win/unique_handle.h"

namespace options_test {

class DialogScript {
public:
    using Finder = std::function<HWND()>;
    using Action = std::function<void(HWND)>;

    DialogScript();

    // Acts on the top-level dialog titled `title`.
    DialogScript& in(const std::wstring& title, Action act);
    // Acts on the window that `find` returns.
    DialogScript& in(Finder find, std::string description, Action act);

    // Runs `open`, which shows the first dialog modally, with the script going. Fails the test unless every
    // step ran.
    void run(const std::function<void()>& open);

private:
    struct Step {
        Finder find;
        std::string description;
        Action act;
    };
    static void CALLBACK on_timer(HWND, UINT, UINT_PTR id, DWORD) noexcept;
    void tick();
    void give_up();

    sonavel::unique_hwnd timer_window_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    // Windows whose step is still acting (a click that runs a nested modal loop): not acted on again before.
    std::vector<HWND> acting_;
    std::chrono::steady_clock::time_point last_step_;
    bool given_up_ = false;
};

// A dialog of the system (a font or colour chooser) owned by the dialog titled `owner_title`.
DialogScript::Finder chooser_over(const std::wstring& owner_title);

}  // namespace options_test
