#include "player/engine/MainThreadQueue.h"

#include <string>

#include "player/engine/Console.h"

namespace player {

void MainThreadQueue::add_callback(sonavel::service_ptr_t<sonavel::main_thread_callback> callback) {
    // The queue holds the reference until the callback ran; the task drops it as it ends.
    post([callback = std::move(callback)]() mutable {
        callback->callback_run();
        callback.release();
    });
}

void MainThreadQueue::post(std::function<void()> task) {
    std::function<void()> waker;
    {
        std::lock_guard<std::mutex> guard(lock_);
        queue_.push_back(std::move(task));
        waker = waker_;
    }
    if (waker) waker();
}

std::size_t MainThreadQueue::run_pending() {
    std::size_t count;
    {
        std::lock_guard<std::mutex> guard(lock_);
        count = queue_.size();
    }
    std::size_t ran = 0;
    for (; ran < count; ++ran) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (queue_.empty()) break;
            task = std::move(queue_.front());
            queue_.pop_front();
        }
        try {
            task();
        } catch (const std::exception& e) {
            // One failing callback must not stop the queue; the console says what happened.
            console_.print(("Main thread callback failed: " + sonavel::message_of(e)).c_str());
        }
    }
    return ran;
}

bool MainThreadQueue::empty() const {
    std::lock_guard<std::mutex> guard(lock_);
    return queue_.empty();
}

void MainThreadQueue::set_waker(std::function<void()> waker) {
    std::lock_guard<std::mutex> guard(lock_);
    waker_ = std::move(waker);
}

}  // namespace player
