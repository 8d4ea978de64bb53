#pragma once
// A thread of its own for one step of a longer job: its owner hands it one task at a time and collects
// each before handing the next, doing other work meanwhile. The thread starts with the first task and
// is joined when the object goes (after the task under way).
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace player {

class SerialThread {
public:
    SerialThread() = default;
    ~SerialThread();
    SerialThread(const SerialThread&) = delete;
    SerialThread& operator=(const SerialThread&) = delete;

    // Starts `task`; the task before must have been waited for.
    void run(std::function<void()> task);
    // Returns when the task under way (if any) is done; rethrows what it threw.
    void wait();

private:
    void serve();

    std::mutex lock_;
    std::condition_variable changed_;
    std::function<void()> task_;
    bool busy_ = false;
    bool stopping_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace player
