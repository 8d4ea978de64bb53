#pragma once
// The host's worker threads: each background job gets a thread; finished threads are joined when the
// next one starts, and all of them when the host shuts down.
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace player {

class WorkerThreads {
public:
    WorkerThreads() = default;
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;
    ~WorkerThreads() { join_all(); }

    // `work` must not throw: thread entry points catch everything themselves.
    void start(std::function<void()> work);
    void join_all();

private:
    struct worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void join_finished();

    std::mutex lock_;
    std::list<worker> workers_;
};

}  // namespace player
