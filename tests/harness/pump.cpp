#include "tests/harness/pump.h"

#include <windows.h>

#include <algorithm>

namespace harness {
namespace {

using clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds poll_interval{10};
// A window that invalidates itself while painting would keep the queue full for ever; the caller gets control
// back after this many messages and decides.
constexpr int most_messages_per_batch = 10000;

}  // namespace

void pump_pending() {
    MSG message;
    for (int handled = 0; handled < most_messages_per_batch && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool pump_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = clock::now() + timeout;
    for (;;) {
        pump_pending();
        if (condition()) return true;
        const auto now = clock::now();
        if (now >= deadline) return false;
        const auto wait =
            std::min(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now) + std::chrono::milliseconds(1),
                     poll_interval);
        MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(wait.count()), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void pump_for(std::chrono::milliseconds duration) {
    pump_until([] { return false; }, duration);
}

}  // namespace harness
