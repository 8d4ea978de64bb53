#include "tests/harness/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "sdk/utf8.h"
#include "tests/harness/window_query.h"

namespace harness {
namespace {

constexpr UINT look_interval_ms = 15;
constexpr int text_control_id = 0xFFFF;
constexpr UINT click_wait_ms = 2000;

// Per thread: the timer proc has no context of its own, and a box belongs to the thread that shows it.
struct ThreadAnswerers {
    std::vector<MessageBoxAnswerer*> stack;
    UINT_PTR timer = 0;
    std::vector<HWND> pressed;  // boxes clicked already, until they are gone
};
thread_local ThreadAnswerers this_thread_answerers;

void report_failure(const std::string& what) noexcept {
    try {
        ADD_FAILURE() << what;
    } catch (...) {
        // --gtest_throw_on_failure: the failure is recorded, and nothing may leave a timer proc.
    }
}

bool is_message_box(HWND window) {
    if (!has_class(window, L"#32770") || !IsWindowVisible(window)) return false;
    bool has_text = false;
    for (HWND child : descendants(window)) {
        if (has_class(child, L"Static")) {
            has_text = has_text || GetDlgCtrlID(child) == text_control_id;
        } else if (!has_class(child, L"Button")) {
            return false;
        }
    }
    return has_text;
}

std::vector<std::pair<MessageBoxButton, HWND>> visible_buttons(HWND box) {
    // Message boxes are built from one template; the buttons a type does not use are hidden or destroyed.
    std::vector<std::pair<MessageBoxButton, HWND>> buttons;
    for (HWND child : descendants(box)) {
        if (has_class(child, L"Button") && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
            buttons.push_back({{GetDlgCtrlID(child), window_text(child)}, child});
    }
    return buttons;
}

int dismissing_button(const std::vector<std::pair<MessageBoxButton, HWND>>& buttons) {
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        for (const auto& button : buttons)
            if (button.first.id == id) return id;
    }
    return buttons.empty() ? 0 : buttons.front().first.id;
}

void press(HWND box, HWND button) {
    // BM_CLICK can be lost on a dialog that is not active.
    if (GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId()) SetActiveWindow(box);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, click_wait_ms, &ignored);
}

std::string describe(const AnsweredBox& box) {
    return "\"" + sonavel::wide_to_utf8(box.caption) + "\": " + sonavel::wide_to_utf8(box.text);
}

void look_for_boxes() {
    auto& state = this_thread_answerers;
    state.pressed.erase(std::remove_if(state.pressed.begin(), state.pressed.end(),
                                       [](HWND box) { return !IsWindow(box); }),
                        state.pressed.end());
    for (HWND window : top_level_windows_of_this_process()) {
        if (state.stack.empty()) return;
        if (std::find(state.pressed.begin(), state.pressed.end(), window) != state.pressed.end()) continue;
        if (!is_message_box(window)) continue;
        state.pressed.push_back(window);
        state.stack.back()->answer(window);
    }
}

void CALLBACK on_look_timer(HWND, UINT, UINT_PTR, DWORD) noexcept {
    try {
        look_for_boxes();
    } catch (const std::exception& e) {
        report_failure(std::string("message box answerer: ") + e.what());
    } catch (...) {
        report_failure("message box answerer: unknown exception");
    }
}

}  // namespace

std::vector<int> AnsweredBox::button_ids() const {
    std::vector<int> ids;
    for (const auto& button : buttons) ids.push_back(button.id);
    return ids;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<int> answers) : answers_(answers.begin(), answers.end()) {
    auto& state = this_thread_answerers;
    state.stack.push_back(this);
    if (!state.timer) state.timer = SetTimer(nullptr, 0, look_interval_ms, on_look_timer);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    auto& state = this_thread_answerers;
    state.stack.erase(std::remove(state.stack.begin(), state.stack.end(), this), state.stack.end());
    if (state.stack.empty() && state.timer) KillTimer(nullptr, std::exchange(state.timer, 0));
}

void MessageBoxAnswerer::queue_answer(int button_id) { answers_.push_back(button_id); }

std::size_t MessageBoxAnswerer::answered() const {
    return std::size_t(std::count_if(boxes_.begin(), boxes_.end(), [](const AnsweredBox& b) { return b.expected; }));
}

std::size_t MessageBoxAnswerer::unexpected() const { return boxes_.size() - answered(); }

void MessageBoxAnswerer::answer(HWND box) {
    AnsweredBox seen;
    seen.caption = window_text(box);
    if (HWND text = GetDlgItem(box, text_control_id)) seen.text = window_text(text);
    const auto buttons = visible_buttons(box);
    for (const auto& button : buttons) seen.buttons.push_back(button.first);

    int wanted = 0;
    if (answers_.empty()) {
        seen.expected = false;
        report_failure("unexpected message box " + describe(seen));
    } else {
        wanted = answers_.front();
        answers_.pop_front();
    }
    auto chosen = std::find_if(buttons.begin(), buttons.end(), [&](const auto& b) { return b.first.id == wanted; });
    if (seen.expected && chosen == buttons.end()) {
        seen.expected = false;
        report_failure("message box " + describe(seen) + " has no button with id " + std::to_string(wanted));
    }
    if (chosen == buttons.end()) {
        const int fallback = dismissing_button(buttons);
        chosen = std::find_if(buttons.begin(), buttons.end(), [&](const auto& b) { return b.first.id == fallback; });
    }
    if (chosen != buttons.end()) seen.pressed = chosen->first.id;
    boxes_.push_back(seen);
    if (chosen != buttons.end()) press(box, chosen->second);
}

}  // namespace harness
