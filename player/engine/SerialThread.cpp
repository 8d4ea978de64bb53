#include "player/engine/SerialThread.h"

namespace player {

SerialThread::~SerialThread() {
    {
        std::unique_lock<std::mutex> guard(lock_);
        changed_.wait(guard, [&] { return !busy_; });
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void SerialThread::run(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        task_ = std::move(task);
        busy_ = true;
        error_ = nullptr;
    }
    changed_.notify_all();
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread([this] { serve(); });
        } catch (...) {
            std::lock_guard<std::mutex> guard(lock_);
            busy_ = false;
            task_ = nullptr;
            throw;
        }
    }
}

void SerialThread::wait() {
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [&] { return !busy_; });
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void SerialThread::serve() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        changed_.wait(guard, [&] { return stopping_ || busy_; });
        if (stopping_) return;
        std::function<void()> task = std::move(task_);
        guard.unlock();
        std::exception_ptr error;
        try {
            task();
        } catch (...) {
            error = std::current_exception();
        }
        guard.lock();
        error_ = error;
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace player
