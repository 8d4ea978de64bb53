// The main-thread queue: order, when callbacks run, their release, hand-over from other threads and
// failing callbacks.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host_fixture.h"
#include "sdk/main_thread.h"

namespace engine_test {
namespace {

using sonavel::main_thread_callback;
using sonavel::service_ptr_t;

// Counts live objects so that tests see when the queue lets go of a callback.
class CountedCallback : public main_thread_callback {
public:
    using interface_t = main_thread_callback;
    static inline std::atomic<int> live{0};

    explicit CountedCallback(std::function<void()> body) : body_(std::move(body)) { ++live; }
    ~CountedCallback() { --live; }
    void callback_run() override { body_(); }

private:
    std::function<void()> body_;
};

service_ptr_t<main_thread_callback> make_callback(std::function<void()> body) {
    return sonavel::service_impl_t<CountedCallback>::create(std::move(body));
}

class EngineMainThreadQueue : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        CountedCallback::live = 0;
        service = sonavel::standard_api_create_t<sonavel::main_thread_service>();
    }
    void TearDown() override {
        engines.queue.run_pending();
        EXPECT_EQ(CountedCallback::live, 0) << "the queue leaked a callback";
    }

    void queue(std::function<void()> body) { service->add_callback(make_callback(std::move(body))); }

    std::vector<std::string> ran;
    service_ptr_t<sonavel::main_thread_service> service;
};

TEST_F(EngineMainThreadQueue, CallbacksRunInQueueOrderOnlyWhenThePendingWorkRuns) {
    for (const char* name : {"one", "two", "three"}) queue([this, name] { ran.push_back(name); });
    EXPECT_TRUE(ran.empty()) << "add_callback must never run the callback itself";
    EXPECT_FALSE(engines.queue.empty());
    EXPECT_EQ(engines.queue.run_pending(), 3u);
    EXPECT_EQ(ran, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_TRUE(engines.queue.empty());
    EXPECT_EQ(engines.queue.run_pending(), 0u);
}

TEST_F(EngineMainThreadQueue, EachCallbackIsReleasedRightAfterItRan) {
    std::vector<int> live_seen;
    for (int i = 0; i < 3; ++i) queue([&] { live_seen.push_back(CountedCallback::live); });
    EXPECT_EQ(CountedCallback::live, 3) << "the queue keeps each callback alive until it ran";
    engines.queue.run_pending();
    // While a callback runs, those before it are gone and it and those after it are still alive.
    EXPECT_EQ(live_seen, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(CountedCallback::live, 0);
}

TEST_F(EngineMainThreadQueue, CallbacksQueuedFromAnotherThreadRunOnTheMainThread) {
    const std::thread::id main_id = std::this_thread::get_id();
    std::mutex lock;
    std::vector<std::thread::id> ran_on;
    std::vector<int> order;
    std::thread producer([&] {
        for (int i = 0; i < 20; ++i) {
            queue([&, i] {
                std::lock_guard<std::mutex> guard(lock);
                ran_on.push_back(std::this_thread::get_id());
                order.push_back(i);
            });
        }
    });
    producer.join();
    EXPECT_TRUE(order.empty());
    EXPECT_TRUE(engines.run_until([&] { return order.size() == 20; }));
    for (const auto& id : ran_on) EXPECT_EQ(id, main_id);
    std::vector<int> expected(20);
    for (int i = 0; i < 20; ++i) expected[std::size_t(i)] = i;
    EXPECT_EQ(order, expected);
}

TEST_F(EngineMainThreadQueue, CallbacksFromSeveralThreadsAllRunInTheOrderEachThreadQueued) {
    std::vector<std::pair<int, int>> order;  // thread, sequence
    std::vector<std::thread> producers;
    for (int t = 0; t < 4; ++t) {
        producers.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) queue([&order, t, i] { order.emplace_back(t, i); });
        });
    }
    for (auto& p : producers) p.join();
    engines.queue.run_pending();
    ASSERT_EQ(order.size(), 200u);
    int next[4] = {};
    for (auto [t, i] : order) EXPECT_EQ(i, next[t]++);
}

TEST_F(EngineMainThreadQueue, WakerHearsOfEveryQueuedCallback) {
    std::atomic<int> wakes{0};
    engines.queue.set_waker([&] { ++wakes; });
    queue([] {});
    std::thread([&] { queue([] {}); }).join();
    EXPECT_EQ(wakes, 2);
    engines.queue.set_waker(nullptr);
}

TEST_F(EngineMainThreadQueue, AThrowingCallbackIsReportedAndTheRestStillRun) {
    queue([this] { ran.push_back("before"); });
    queue([] { throw std::runtime_error("it broke"); });
    queue([] { throw sonavel::exception_io_data(); });
    queue([this] { ran.push_back("after"); });
    EXPECT_EQ(engines.queue.run_pending(), 4u);
    EXPECT_EQ(ran, (std::vector<std::string>{"before", "after"}));
    auto lines = console_lines_containing("it broke");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Main thread callback failed"), std::string::npos) << lines[0];
    EXPECT_EQ(console_lines_containing("Unsupported format or corrupted file").size(), 1u);
    EXPECT_EQ(CountedCallback::live, 0) << "a failed callback is released too";
}

TEST_F(EngineMainThreadQueue, ACallbackQueuedWhileRunningRunsLater) {
    queue([this] {
        ran.push_back("first");
        queue([this] { ran.push_back("queued while running"); });
    });
    queue([this] { ran.push_back("second"); });
    EXPECT_EQ(engines.queue.run_pending(), 2u);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(engines.queue.empty());
    EXPECT_EQ(engines.queue.run_pending(), 1u);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "queued while running"}));
}

TEST_F(EngineMainThreadQueue, ACallbackRunsOnceOnly) {
    int count = 0;
    queue([&] { ++count; });
    engines.queue.run_pending();
    engines.queue.run_pending();
    EXPECT_TRUE(engines.run_until_idle());
    EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace engine_test
