#include "player/engine/WorkerThreads.h"

namespace player {

void WorkerThreads::start(std::function<void()> work) {
    join_finished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([work = std::move(work), done] {
        work();
        *done = true;
    });
    std::lock_guard<std::mutex> guard(lock_);
    workers_.push_back(worker{std::move(thread), std::move(done)});
}

void WorkerThreads::join_finished() {
    std::list<worker> finished;
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (auto it = workers_.begin(); it != workers_.end();) {
            auto next = std::next(it);
            if (*it->done) finished.splice(finished.end(), workers_, it);
            it = next;
        }
    }
    for (auto& w : finished) w.thread.join();
}

void WorkerThreads::join_all() {
    std::list<worker> all;
    {
        std::lock_guard<std::mutex> guard(lock_);
        all.swap(workers_);
    }
    for (auto& w : all) w.thread.join();
}

}  // namespace player
