#pragma once
// Threads that run a batch of tasks side by side with the caller: the tag writer's flushes of a group's
// files (a disk takes many flushes at once for little more than the price of one) and its checks of
// them. Started at the first use and kept until the pool goes: starting a thread is costly on some
// systems, and a write has a batch per group of files. Any thread may call for_each, several at once.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace player::tagwriter {

class TaskPool {
public:
    explicit TaskPool(std::size_t threads);
    ~TaskPool();
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    // Runs task(k) for every k below `count`, on the pool's threads and the caller's, and returns when
    // all are done. `task` must not throw.
    void for_each(std::size_t count, const std::function<void(std::size_t)>& task);

private:
    struct Batch {
        std::size_t count;
        const std::function<void(std::size_t)>* task;
        std::atomic<std::size_t> next{0};
        std::size_t done = 0;     // under lock_
        std::size_t helpers = 0;  // pool threads working on it, under lock_: it lives until they leave
    };

    void start_threads();  // under lock_
    void serve();
    // Runs the batch's tasks that no thread took yet.
    void work_on(Batch& batch);

    const std::size_t wanted_;
    std::mutex lock_;
    std::condition_variable work_, finished_;
    std::deque<Batch*> batches_;
    std::vector<std::thread> threads_;
    bool started_ = false;
    bool stopping_ = false;
};

}  // namespace player::tagwriter
