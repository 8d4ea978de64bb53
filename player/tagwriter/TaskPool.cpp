#include "player/tagwriter/TaskPool.h"

#include <algorithm>
#include <system_error>

namespace player::tagwriter {

TaskPool::TaskPool(std::size_t threads) : wanted_(threads) {}

TaskPool::~TaskPool() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    work_.notify_all();
    for (auto& thread : threads_) thread.join();
}

void TaskPool::start_threads() {
    started_ = true;
    try {
        for (std::size_t t = 0; t < wanted_; ++t) threads_.emplace_back([this] { serve(); });
    } catch (const std::system_error&) {
        // Fewer threads: the callers flush what they do not.
    }
}

void TaskPool::work_on(Batch& batch) {
    for (std::size_t k; (k = batch.next++) < batch.count;) {
        (*batch.task)(k);
        std::lock_guard<std::mutex> guard(lock_);
        if (++batch.done == batch.count) finished_.notify_all();
    }
}

void TaskPool::serve() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        work_.wait(guard, [&] { return stopping_ || !batches_.empty(); });
        if (stopping_) return;
        Batch* batch = batches_.front();
        if (batch->next >= batch->count) {
            // Every task is taken: the batch leaves the queue; its caller waits for the last ones.
            batches_.pop_front();
            continue;
        }
        ++batch->helpers;
        guard.unlock();
        work_on(*batch);
        guard.lock();
        if (--batch->helpers == 0) finished_.notify_all();
    }
}

void TaskPool::for_each(std::size_t count, const std::function<void(std::size_t)>& task) {
    if (count == 0) return;
    Batch batch;
    batch.count = count;
    batch.task = &task;
    if (count > 1) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!started_) start_threads();
        batches_.push_back(&batch);
    }
    work_.notify_all();
    work_on(batch);
    std::unique_lock<std::mutex> guard(lock_);
    finished_.wait(guard, [&] { return batch.done == batch.count && batch.helpers == 0; });
    batches_.erase(std::remove(batches_.begin(), batches_.end(), &batch), batches_.end());
}

}  // namespace player::tagwriter
