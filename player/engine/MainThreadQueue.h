#pragma once
// The main-thread queue: callbacks queued from any thread run in order on the main thread, each released
// right after it ran. The host's message loop calls run_pending when the waker tells it to.
#include <deque>
#include <functional>
#include <mutex>

#include "sdk/main_thread.h"

namespace player {

class Console;

class MainThreadQueue : public sonavel::main_thread_service {
public:
    using interface_t = sonavel::main_thread_service;

    explicit MainThreadQueue(Console& console) : console_(console) {}

    void add_callback(sonavel::service_ptr_t<sonavel::main_thread_callback> callback) override;
    // Queues a host task; host tasks and callbacks share one order.
    void post(std::function<void()> task);

    // Runs what was queued when it was called; returns how many ran. Main thread only.
    std::size_t run_pending();
    bool empty() const;
    // Called (from any thread) whenever something was queued: the message loop's wake-up.
    void set_waker(std::function<void()> waker);

private:
    Console& console_;
    mutable std::mutex lock_;
    std::deque<std::function<void()>> queue_;
    std::function<void()> waker_;
};

}  // namespace player
