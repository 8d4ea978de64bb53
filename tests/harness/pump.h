#pragma once
// Windows only change state while this thread dispatches their messages: tests wait by pumping, never by sleeping.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace harness {

inline constexpr std::chrono::milliseconds default_wait{5000};

// Dispatches what is queued for this thread now, through TranslateMessage as a message loop would, and returns
// without waiting for more.
void pump_pending();

// Dispatches this thread's messages until `condition` holds, checking it after each batch and at least every
// 10 ms (it may depend on another thread). False when `timeout` passes first.
bool pump_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout = default_wait);

// Dispatches messages for `duration`: for proving that something does not happen.
void pump_for(std::chrono::milliseconds duration);

}  // namespace harness

// Fail the test, naming the condition, when it does not come true while messages are pumped.
#define ASSERT_EVENTUALLY_WITHIN(condition, timeout)                                                        \
    if (::harness::pump_until([&]() -> bool { return static_cast<bool>(condition); }, (timeout))) {        \
    } else                                                                                                   \
        GTEST_FAIL() << "timed out after " << std::chrono::milliseconds(timeout).count()                  \
                     << " ms waiting for: " #condition
#define ASSERT_EVENTUALLY(condition) ASSERT_EVENTUALLY_WITHIN(condition, ::harness::default_wait)
#define EXPECT_EVENTUALLY_WITHIN(condition, timeout)                                                        \
    if (::harness::pump_until([&]() -> bool { return static_cast<bool>(condition); }, (timeout))) {        \
    } else                                                                                                   \
        ADD_FAILURE() << "timed out after " << std::chrono::milliseconds(timeout).count()                  \
                      << " ms waiting for: " #condition
#define EXPECT_EVENTUALLY(condition) EXPECT_EVENTUALLY_WITHIN(condition, ::harness::default_wait)
