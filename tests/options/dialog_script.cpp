#include "tests/options/dialog_script.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sdk/utf8.h"
#include "tests/harness/find_window.h"
#include "tests/harness/window_query.h"

namespace options_test {
namespace {

constexpr UINT tick_ms = 15;
constexpr std::chrono::seconds patience{8};

bool takes_input(HWND window) { return window && IsWindowVisible(window) && IsWindowEnabled(window); }

}  // namespace

DialogScript::DialogScript()
    : timer_window_(CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}

DialogScript& DialogScript::in(const std::wstring& title, Action act) {
    return in([title] { return harness::find_window(title, L"#32770"); },
              "the dialog titled " + sonavel::wide_to_utf8(title), std::move(act));
}

DialogScript& DialogScript::in(Finder find, std::string description, Action act) {
    steps_.push_back({std::move(find), std::move(description), std::move(act)});
    return *this;
}

void DialogScript::run(const std::function<void()>& open) {
    // The timer's id carries the script: the timer procedure has no other context.
    last_step_ = std::chrono::steady_clock::now();
    SetTimer(timer_window_.get(), reinterpret_cast<UINT_PTR>(this), tick_ms, &DialogScript::on_timer);
    open();
    KillTimer(timer_window_.get(), reinterpret_cast<UINT_PTR>(this));
    if (next_ < steps_.size() && !given_up_)
        ADD_FAILURE() << "the dialog closed before step " << next_ + 1 << " (" << steps_[next_].description << ")";
}

void CALLBACK DialogScript::on_timer(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    try {
        reinterpret_cast<DialogScript*>(id)->tick();
    } catch (...) {
        // --gtest_throw_on_failure: recorded already, and nothing may leave a timer procedure.
    }
}

void DialogScript::tick() {
    if (given_up_) return give_up();
    if (next_ >= steps_.size()) return;
    Step& step = steps_[next_];
    const HWND target = step.find();
    if (!takes_input(target) || std::find(acting_.begin(), acting_.end(), target) != acting_.end()) {
        if (std::chrono::steady_clock::now() - last_step_ > patience) {
            ADD_FAILURE() << "step " << next_ + 1 << " never found " << step.description;
            given_up_ = true;
        }
        return;
    }
    ++next_;
    last_step_ = std::chrono::steady_clock::now();
    acting_.push_back(target);
    step.act(target);
    acting_.erase(std::find(acting_.begin(), acting_.end(), target));
    last_step_ = std::chrono::steady_clock::now();
}

void DialogScript::give_up() {
    for (HWND window : harness::top_level_windows_of_this_process())
        if (harness::has_class(window, L"#32770") && takes_input(window))
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

DialogScript::Finder chooser_over(const std::wstring& owner_title) {
    return [owner_title]() -> HWND {
        const HWND owner = harness::find_window(owner_title, L"#32770");
        if (!owner) return nullptr;
        for (HWND window : harness::top_level_windows_of_this_process())
            if (window != owner && GetWindow(window, GW_OWNER) == owner && harness::has_class(window, L"#32770"))
                return window;
        return nullptr;
    };
}

}  // namespace options_test
