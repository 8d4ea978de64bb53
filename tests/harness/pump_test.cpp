// Waiting on windows: draining the queue, waiting for a condition, and giving up in time.
#include "tests/harness/pump.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/harness/message_box.h"
#include "tests/harness/probe_window.h"

namespace {

using namespace std::chrono_literals;
using clock_type = std::chrono::steady_clock;
using harness_test::ProbeWindow;

void CALLBACK post_once(HWND window, UINT, UINT_PTR id, DWORD) noexcept {
    KillTimer(window, id);
    PostMessageW(window, WM_APP, 0, 0);
}

void CALLBACK post_each_time(HWND window, UINT, UINT_PTR, DWORD) noexcept { PostMessageW(window, WM_APP, 0, 0); }

class HarnessPump : public ::testing::Test {
protected:
    harness::UnexpectedBoxGuard no_boxes_;
    ProbeWindow window_;
};

TEST_F(HarnessPump, PendingDispatchesEveryQueuedMessageWithoutWaiting) {
    for (int i = 0; i < 3; ++i) PostMessageW(window_.hwnd(), WM_APP, 0, 0);
    const auto start = clock_type::now();
    harness::pump_pending();
    EXPECT_EQ(window_.app_messages, 3);
    EXPECT_LT(clock_type::now() - start, 500ms);
}

TEST_F(HarnessPump, UntilReturnsTrueOnceAMessageMakesTheConditionHold) {
    SetTimer(window_.hwnd(), 1, 30, post_once);
    EXPECT_TRUE(harness::pump_until([&] { return window_.app_messages == 1; }, 2s));
}

TEST_F(HarnessPump, UntilSeesAConditionThatAnotherThreadMakesTrue) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        std::this_thread::sleep_for(50ms);
        done = true;
    });
    const bool held = harness::pump_until([&] { return done.load(); }, 2s);
    worker.join();
    EXPECT_TRUE(held);
}

TEST_F(HarnessPump, UntilReturnsFalseWhenTheTimeoutPassesAndNotLongAfter) {
    const auto start = clock_type::now();
    EXPECT_FALSE(harness::pump_until([] { return false; }, 200ms));
    const auto waited = clock_type::now() - start;
    EXPECT_GE(waited, 200ms);
    EXPECT_LT(waited, 700ms);
}

TEST_F(HarnessPump, UntilKeepsDispatchingWhileItWaits) {
    SetTimer(window_.hwnd(), 1, 20, post_each_time);
    harness::pump_for(300ms);
    KillTimer(window_.hwnd(), 1);
    EXPECT_GE(window_.app_messages, 3);
}

bool never() { return false; }

TEST(HarnessPumpAssertions, EventuallyFailsTheTestNamingTheCondition) {
    EXPECT_FATAL_FAILURE(ASSERT_EVENTUALLY_WITHIN(never(), 50ms), "ms waiting for: never()");
    EXPECT_NONFATAL_FAILURE(EXPECT_EVENTUALLY_WITHIN(never(), 50ms), "ms waiting for: never()");
}

TEST(HarnessPumpAssertions, EventuallyPassesWhenTheConditionHolds) {
    ASSERT_EVENTUALLY(true);
    EXPECT_EVENTUALLY(1 + 1 == 2);
}

}  // namespace
